#include "browser/ListRows.h"

#include "browser/ShellListView.h"

std::vector<TListRowRecord> SelectedRowRecords(TSHListView& list)
{
    std::vector<TListRowRecord> records;
    records.reserve(size_t(list.SelectedCount()));
    for (int i = list.NextSelected(-1); i >= 0; i = list.NextSelected(i)) {
        TSHFileItem* row = list.FileList().Rows(i);
        if (!row) continue;
        TListRowRecord r;
        r.Name = row->GetDisplayName();
        r.FileName = row->GetFileName();
        r.Path = row->GetPath();
        r.Size = row->GetFileSize();
        r.SizeText = row->GetSizeText();
        r.TypeText = row->GetTypeText();
        r.DateText = row->GetDateText();
        const FILETIME& write = row->GetFindData().LastWrite;
        r.LastWrite = (uint64_t(write.dwHighDateTime) << 32) | write.dwLowDateTime;
        r.Attributes = row->GetFileAttributes();
        r.Folder = row->IsFolderRow();
        r.IconIndex = row->GetSmallIconIndex();
        records.push_back(std::move(r));
    }
    return records;
}
