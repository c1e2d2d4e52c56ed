#pragma once
// Rows for the file report's tests: plain records as a folder list hands
// them over, and what one drawn page showed.
#include "core/shell/RowRecord.h"
#include "dialogs/FileReportDialog.h"

#include <shellapi.h>

#include <string>
#include <vector>

// The small system icon of a kind of file, by its extension alone.
inline int SmallIconOf(const wchar_t* name, DWORD attributes)
{
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(name, attributes, &info, sizeof info, SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON))
        return -1;
    return info.iIcon;
}

// `count` files "file001.txt"..., sizes 1536 x n bytes, as file-system rows.
inline std::vector<TListRowRecord> NumberedRows(int count, const std::wstring& folder = L"C:\\data")
{
    std::vector<TListRowRecord> rows;
    const int icon = SmallIconOf(L"x.txt", FILE_ATTRIBUTE_NORMAL);
    for (int i = 1; i <= count; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"file%03d.txt", i);
        TListRowRecord r;
        r.Name = r.FileName = name;
        r.Path = folder + L"\\" + name;
        r.Size = uint64_t(1536) * uint64_t(i);
        r.TypeText = L"Text Document";
        r.DateText = L"2024/01/02 03:04";
        r.Attributes = FILE_ATTRIBUTE_ARCHIVE;
        r.IconIndex = icon;
        rows.push_back(r);
    }
    return rows;
}

// What the report printed on one page: the rows' names, sizes and
// attribute letters, and the footer's text.
struct TPrintedPage {
    std::vector<std::wstring> Names, Sizes, Attributes;
    int LineOnlyRows = 0;
    std::wstring Footer, Folder;
};

// Listens to the report's events and notes each page as it prints (the
// dialog's own handlers run first, so the items hold the row's texts).
class TPageRecorder {
public:
    explicit TPageRecorder(TSubForm01070& dialog) : Items(dialog.Items())
    {
        Items.LRGridPanel20->OnPrintPanel.Add([this](TLRGridPanel&, int32_t, int32_t, const TLRRect&, TPrintStatus& status) {
            if (Pages.empty() || !Pages.back().Footer.empty()) Pages.emplace_back();
            if (status == TPrintStatus::psLineOnly) {
                ++Pages.back().LineOnlyRows;
                return;
            }
            Pages.back().Names.push_back(Items.ItemFileName->DisplayText());
            Pages.back().Sizes.push_back(Items.ItemFileSize->DisplayText());
            Pages.back().Attributes.push_back(Items.ItemFileAttr->DisplayText());
        });
        Items.LRLayoutPanel10->AfterPrint.Add([this](TCustomLRPanel&) {
            if (!Pages.empty()) Pages.back().Folder = Items.ItemFolder->DisplayText();
        });
        Items.LRLayoutPanel30->AfterPrint.Add([this](TCustomLRPanel&) {
            if (!Pages.empty()) Pages.back().Footer = Items.ItemPage->DisplayText();
        });
    }
    std::vector<TPrintedPage> Pages;

private:
    const TFileReportItems& Items;
};
