#include "core/settings/WindowRecord.h"

TColumnLayout ColumnLayoutFromRecords(const std::vector<TColumnData>& records)
{
    TColumnLayout layout;
    bool seen[kColumnCount] = {};
    bool permutation = records.size() >= size_t(kColumnCount);
    for (size_t k = 0; permutation && k < size_t(kColumnCount); ++k) {
        int id = records[k].ID;
        permutation = id >= 0 && id < kColumnCount && !seen[id];
        if (permutation) seen[id] = true;
    }
    for (size_t k = 0; k < records.size() && k < size_t(kColumnCount); ++k) {
        const TColumnData& c = records[k];
        if (permutation) layout.Order[k] = c.ID;
        if (c.ID >= 0 && c.ID < kColumnCount && c.Width >= 0) layout.Widths[c.ID] = c.Width;
        layout.Directions[k] = c.SortDirection < 0 ? -1 : 1;
    }
    return layout;
}

std::vector<TColumnData> RecordsFromColumnLayout(const TColumnLayout& layout)
{
    std::vector<TColumnData> records;
    for (int k = 0; k < kColumnCount; ++k) {
        int id = layout.Order[k];
        records.push_back({id, layout.Widths[id], layout.Directions[k]});
    }
    return records;
}

int SortKeyOfRecord(const TWindowData& record) { return record.SortType < kColumnCount ? record.SortType : 0; }

const TSHFileFilter* FilterNamed(const TInitData& settings, const std::string& name)
{
    const TSHFileFilter* found = nullptr;
    if (name.empty()) return found;
    for (const auto& filter : settings.Filters)
        if (filter->Name == name) found = filter.get();
    return found;
}

TWindowData NewWindowRecord(const TInitData& settings, std::vector<uint8_t> idList)
{
    TWindowData record;
    record.ViewStyle = settings.NewViewStyle <= 3 ? settings.NewViewStyle : 0;
    record.Columns = RecordsFromColumnLayout(TColumnLayout{});
    record.IDList = std::move(idList);
    return record;
}
