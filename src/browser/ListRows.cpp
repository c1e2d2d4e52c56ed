#include "browser/ListRows.h"

#include "browser/ShellListView.h"

namespace {

TListRowRecord RecordOf(TSHFileItem& row)
{
    TListRowRecord r;
    r.Name = row.GetDisplayName();
    r.FileName = row.GetFileName();
    r.Path = row.GetPath();
    r.Size = row.GetFileSize();
    r.SizeText = row.GetSizeText();
    r.TypeText = row.GetTypeText();
    r.DateText = row.GetDateText();
    const FILETIME& write = row.GetFindData().LastWrite;
    r.LastWrite = (uint64_t(write.dwHighDateTime) << 32) | write.dwLowDateTime;
    r.Attributes = row.GetFileAttributes();
    r.Folder = row.IsFolderRow();
    r.IconIndex = row.GetSmallIconIndex();
    return r;
}

}  // namespace

std::vector<TListRowRecord> SelectedRowRecords(TSHListView& list)
{
    std::vector<TListRowRecord> records;
    int selected = list.SelectedCount();
    records.reserve(size_t(selected));
    TSHFileList& rows = list.FileList();
    // Every message to the control costs a good deal on some platforms:
    // a selection of every row is taken without asking row by row.
    if (selected == rows.Count()) {
        for (int i = 0; i < rows.Count(); ++i) records.push_back(RecordOf(*rows.Rows(i)));
        return records;
    }
    for (int i = list.NextSelected(-1); i >= 0; i = list.NextSelected(i))
        if (TSHFileItem* row = rows.Rows(i)) records.push_back(RecordOf(*row));
    return records;
}
