#include "app/StatusPanels.h"

#include "browser/ShellListView.h"
#include "browser/ShellTreeView.h"
#include "core/commands/CommandTable.h"
#include "core/shell/SizeText.h"
#include "gui/Handles.h"
#include "gui/Strings.h"
#include "shell/ShellHelpers.h"

#include <commctrl.h>

namespace {

enum : int { kCountPanel = 0, kSizePanel = 1, kLockPanel = 2, kFilterPanel = 3 };

std::wstring FolderSummary(TSHFileList& files)
{
    return FormatFolderSummary(int64_t(files.GetTotalSize()), int64_t(files.GetFreeSpace()),
                               LocaleThousandsSeparator(), LocaleDecimalSeparator());
}

}  // namespace

bool FolderShownByPath(TSHTreeView& tree, TSHListView& list)
{
    TSHFolderItem* node = tree.SelectedItem();
    int level = node ? node->GetLevel() : 0;
    return level >= 2 || (level == 1 && !list.GetFolderPath().empty());
}

TStatusPanels::TStatusPanels(HWND statusBar, TSHTreeView& tree, HIMAGELIST images, HFONT font)
    : Bar(statusBar), Tree(tree), Images(images), Font(font)
{
}

TStatusPanels::~TStatusPanels() { Unobserve(); }

void TStatusPanels::Unobserve()
{
    if (!List) return;
    List->OnShListChange.Remove(ChangeToken);
    List->OnShSelChange.Remove(SelectionToken);
    List->OnShFolderLock.Remove(LockToken);
    List->OnShSizesKnown.Remove(SizesToken);
    List = nullptr;
}

void TStatusPanels::Observe(TSHListView* list)
{
    if (list == List) return;
    Unobserve();
    List = list;
    if (List) {
        ChangeToken = List->OnShListChange.Add([this](TSHListView&) { ListChanged(); });
        SelectionToken = List->OnShSelChange.Add([this](TSHListView&, int64_t size) { SelectionChanged(size); });
        LockToken = List->OnShFolderLock.Add([this](TSHListView&, bool) { RepaintIndicators(); });
        SizesToken = List->OnShSizesKnown.Add([this](TSHListView& list) {
            if (list.SelectedCount() == 0) ShowFolderSummary();
        });
        SelectionChanged(List->SelectionSize());
    } else {
        SetPanelText(kCountPanel, L"");
        SetPanelText(kSizePanel, L"");
    }
    RepaintIndicators();
}

std::wstring TStatusPanels::PanelText(int panel) const
{
    int length = LOWORD(SendMessageW(Bar, SB_GETTEXTLENGTHW, WPARAM(panel), 0));
    std::wstring text(size_t(length) + 1, L'\0');
    SendMessageW(Bar, SB_GETTEXTW, WPARAM(panel), LPARAM(text.data()));
    text.resize(size_t(length));
    return text;
}

void TStatusPanels::SetPanelText(int panel, const std::wstring& text)
{
    SendMessageW(Bar, SB_SETTEXTW, WPARAM(panel), LPARAM(text.c_str()));
}

void TStatusPanels::ShowCount() { SetPanelText(kCountPanel, FormatObjectCount(List->FileList().Count())); }

void TStatusPanels::ShowFolderSummary()
{
    TSHFileList& files = List->FileList();
    bool byPath = !files.GetFolderPath().empty() && FolderShownByPath(Tree, *List);
    SetPanelText(kSizePanel, byPath ? FolderSummary(files) : L"");
}

void TStatusPanels::ListChanged()
{
    ShowFolderSummary();
    ShowCount();
}

void TStatusPanels::SelectionChanged(int64_t selSize)
{
    int selected = List->SelectedCount();
    if (selected > 0) {
        SetPanelText(kCountPanel, FormatSelectedCount(selected));
        SetPanelText(kSizePanel, FormatSelectionSize(selSize, LocaleThousandsSeparator(), LocaleDecimalSeparator()));
        UpdateWindow(Bar);
    } else {
        ShowCount();
        ShowFolderSummary();
        InvalidateRect(Bar, nullptr, TRUE);
    }
}

void TStatusPanels::RepaintIndicators()
{
    SendMessageW(Bar, SB_SETTEXTW, kLockPanel | SBT_OWNERDRAW, 0);
    SendMessageW(Bar, SB_SETTEXTW, kFilterPanel | SBT_OWNERDRAW, 0);
    InvalidateRect(Bar, nullptr, TRUE);
}

void TStatusPanels::DrawIndicator(const DRAWITEMSTRUCT& item)
{
    int panel = int(item.itemID);
    bool show = List && (panel == kLockPanel ? List->FolderLock() : panel == kFilterPanel ? List->Filtering() : false);
    if (!show) return;
    const RECT& r = item.rcItem;
    ImageList_Draw(Images, panel == kLockPanel ? ImageFolderLock : ImageDisplayFilter, item.hDC, r.left + 5, r.top,
                   ILD_TRANSPARENT);
    SetTextColor(item.hDC, RGB(0, 0, 0));
    SetBkMode(item.hDC, TRANSPARENT);
    TSelectObject font(item.hDC, Font);
    const wchar_t* text = panel == kLockPanel ? L"フォルダロック" : L"表示フィルタ";
    TextOutW(item.hDC, r.left + 25, r.top + 2, text, lstrlenW(text));
}

void TStatusPanels::ShowHint(const std::wstring& statusText)
{
    if (!IsWindowVisible(Bar)) return;
    SendMessageW(Bar, SB_SIMPLE, TRUE, 0);
    SendMessageW(Bar, SB_SETTEXTW, SB_SIMPLEID | SBT_NOBORDERS, LPARAM(statusText.c_str()));
    HintShown = true;
}

void TStatusPanels::HideHint()
{
    if (!HintShown) return;
    SendMessageW(Bar, SB_SIMPLE, FALSE, 0);
    HintShown = false;
}
