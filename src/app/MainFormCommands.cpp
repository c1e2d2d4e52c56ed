// The command list of the main window: built from the command table, with
// the handlers of the commands that belong to the frame itself.
#include "core/commands/CommandTable.h"
#include "app/ControlIds.h"
#include "app/MainForm.h"
#include "app/FolderWindow.h"
#include "app/MenuBuilder.h"
#include "core/shell/FileFilter.h"
#include "shell/ShellTreeView.h"

#include <commctrl.h>

namespace {

const int kFirstBandToggle = 3011;   // Action03011 to Action03018 show bands 0 to 7
const int kLastBandToggle = 3018;

using THtmlHelpW = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
const UINT kHelpContext = 0x000F;    // HH_HELP_CONTEXT

BYTE ShortCutFlags(const TShortCut& keys)
{
    return BYTE((keys.Ctrl ? FCONTROL : 0) | (keys.Alt ? FALT : 0) | (keys.Shift ? FSHIFT : 0));
}

}  // namespace

void TMainForm::CreateActions()
{
    for (const TCommandDef& def : CommandTable()) {
        TAction a;
        a.Id = def.Number;
        a.Name = ActionName(def.Number);
        a.Category = def.Category;
        a.Caption = def.Caption;
        a.Tooltip = def.Tooltip;
        a.StatusText = def.StatusText;
        a.ShortCutKey = def.Keys.Key;
        a.ShortCutFlags = ShortCutFlags(def.Keys);
        a.ImageIndex = def.ImageIndex;
        a.HelpContext = def.HelpContext;
        a.Visible = !def.Hidden;
        Actions.Add(std::move(a));
    }
}

void TMainForm::BindActionHandlers()
{
    auto bind = [this](int id, std::function<void()> execute, std::function<void(TAction&)> update) {
        if (TAction* a = Actions.Find(id)) {
            a->OnExecute = std::move(execute);
            a->OnUpdate = std::move(update);
        }
    };
    auto always = [](TAction& a) { a.Enabled = true; };
    auto withChild = [this](TAction& a) { a.Enabled = ActiveChildCount() > 0; };
    auto mdi = [this](UINT msg, WPARAM wParam) { return [this, msg, wParam] { SendMessageW(ClientWnd, msg, wParam, 0); }; };

    bind(1130, [this] { PostMessageW(Wnd, WM_CLOSE, 0, 0); }, always);
    bind(1030, [this] {
        if (HWND child = HWND(SendMessageW(ClientWnd, WM_MDIGETACTIVE, 0, 0))) SendMessageW(child, WM_CLOSE, 0, 0);
    }, [this](TAction& a) { a.Enabled = SendMessageW(ClientWnd, WM_MDIGETACTIVE, 0, 0) != 0; });

    for (int id = kFirstBandToggle; id <= kLastBandToggle; ++id) {
        int band = id - kFirstBandToggle;
        bind(id, [this, band] { ShowBand(band, !BandVisible(band)); },
             [this, band](TAction& a) { a.Enabled = true; a.Checked = BandVisible(band); });
    }
    bind(3020, [this] { SetStatusBarVisible(!IsWindowVisible(StatusWnd)); },
         [this](TAction& a) { a.Enabled = true; a.Checked = IsWindowVisible(StatusWnd) != 0; });
    bind(3030, [this] { SetViewerVisible(!ViewerVisible()); },
         [this](TAction& a) { a.Enabled = true; a.Checked = ViewerVisible(); });

    bind(5020, [this] {
        TAction* a = Actions.Find(5020);
        a->Checked = !a->Checked;
        for (auto& window : FolderWindows) window->SHListView().SetFiltering(a->Checked);
        RepaintStatusBar();
    }, [this](TAction& a) { a.Enabled = SendMessageW(ComboBox1, CB_GETCURSEL, 0, 0) != CB_ERR; });

    bind(8010, [this] {
        if (Tree->SelectedItem()) {
            NewFolderWindow(nullptr, Tree->GetSelectedIDList());
            if (TAction* filtering = Actions.Find(5020))
                if (TSHListView* list = AttachedList()) list->SetFiltering(filtering->Checked);
        }
    }, always);
    // Navigation and the new folder, which browsing cannot do without.
    bind(1011, [this] {
        if (TSHListView* list = AttachedList()) {
            SetFocus(list->ListHandle());
            list->NewFolder();
        } else {
            Tree->NewFolder();
        }
    }, [this](TAction& a) { a.Enabled = Tree->SelectedItem() && !Tree->GetSelectedPath().empty(); });
    bind(4010, [this] { Tree->GoBack(-1); }, [this](TAction& a) { a.Enabled = !Tree->BackList().empty(); });
    bind(4020, [this] { Tree->GoForward(-1); }, [this](TAction& a) { a.Enabled = !Tree->ForwardList().empty(); });
    bind(4030, [this] {
        HWND tree = Tree->TreeHandle();
        auto node = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
        if (!node) return;
        if (SendMessageW(tree, TVM_GETITEMSTATE, WPARAM(node), TVIS_EXPANDED) & TVIS_EXPANDED)
            SendMessageW(tree, TVM_EXPAND, TVE_COLLAPSE, LPARAM(node));
        else if (auto parent = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_PARENT, LPARAM(node))))
            SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(parent));
    }, [this](TAction& a) {
        HWND tree = Tree->TreeHandle();
        LRESULT node = SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
        a.Enabled = node && SendMessageW(tree, TVM_GETNEXTITEM, TVGN_PARENT, node);
    });

    bind(3090, [this] {
        Tree->RefreshAll();
        for (auto& window : FolderWindows) window->SHListView().Refresh();
    }, always);

    bind(8020, mdi(WM_MDICASCADE, 0), withChild);
    bind(8030, mdi(WM_MDITILE, MDITILE_HORIZONTAL), withChild);
    bind(8040, mdi(WM_MDITILE, MDITILE_VERTICAL), withChild);
    bind(8050, [this] {
        for (HWND child = GetWindow(ClientWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (!GetWindow(child, GW_OWNER)) ShowWindow(child, SW_MINIMIZE);
    }, withChild);
    bind(8060, mdi(WM_MDIICONARRANGE, 0), withChild);
}

void TMainForm::UpdateActions()
{
    if (Actions.UpdateAll() || !Shown) SyncToolBars();
    Shown = true;
}

void TMainForm::SyncToolBars()
{
    for (HWND tb : ToolBars) {
        int count = int(SendMessageW(tb, TB_BUTTONCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            TBBUTTON b{};
            SendMessageW(tb, TB_GETBUTTON, i, LPARAM(&b));
            if (b.idCommand == IDB_PASTE) {
                SendMessageW(tb, TB_ENABLEBUTTON, IDB_PASTE, MAKELPARAM(bool(PasteHandler), 0));
                continue;
            }
            TAction* a = Actions.Find(b.idCommand);
            if (!a) continue;
            SendMessageW(tb, TB_ENABLEBUTTON, b.idCommand, MAKELPARAM(a->Enabled, 0));
            SendMessageW(tb, TB_CHECKBUTTON, b.idCommand, MAKELPARAM(a->Checked, 0));
        }
    }
}

void TMainForm::OnCommand(int id, HWND control, int code)
{
    if (Actions.Find(id)) {
        Actions.Execute(id, Wnd);
        return;
    }
    if (id == IDB_PASTE && PasteHandler) {
        PasteHandler();
        return;
    }
    if (id == IDC_FILTERCOMBO && code == CBN_SELCHANGE) ComboBox1Select();
    // The drop-down buttons' own parts, the paste button and the filter combo
    // box get their handlers with the commands they share.
}

void TMainForm::FillHistoryMenu(HMENU menu, bool back)
{
    while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
    const std::vector<HTREEITEM>& entries = back ? Tree->BackList() : Tree->ForwardList();
    // Newest first.
    int position = 0;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it, ++position) {
        TSHFolderItem* item = Tree->ItemOf(*it);
        std::wstring text = item ? item->GetDisplayName() : L"";
        AppendMenuW(menu, MF_STRING, UINT_PTR(IDM_HISTORY_FIRST + position), text.c_str());
    }
}

void TMainForm::ComboBox1Select()
{
    int index = int(SendMessageW(ComboBox1, CB_GETCURSEL, 0, 0));
    auto* filter = index > 0 ? reinterpret_cast<const TSHFileFilter*>(SendMessageW(ComboBox1, CB_GETITEMDATA, index, 0))
                             : nullptr;
    if (TSHListView* list = AttachedList()) list->SetFilter(filter);
    RepaintStatusBar();
}

void TMainForm::DrawStatusPanel(const DRAWITEMSTRUCT& item)
{
    TSHListView* list = AttachedList();
    bool show = list && (item.itemID == 2 ? list->FolderLock() : item.itemID == 3 ? list->Filtering() : false);
    if (!show) return;
    const RECT& r = item.rcItem;
    int image = item.itemID == 2 ? ImageFolderLock : ImageDisplayFilter;
    ImageList_Draw(ImageList1.Get(), image, item.hDC, r.left + 5, r.top, ILD_TRANSPARENT);
    SetTextColor(item.hDC, RGB(0, 0, 0));
    SetBkMode(item.hDC, TRANSPARENT);
    HGDIOBJ old = SelectObject(item.hDC, UiFont.Get());
    const wchar_t* text = item.itemID == 2 ? L"フォルダロック" : L"表示フィルタ";
    TextOutW(item.hDC, r.left + 25, r.top + 2, text, lstrlenW(text));
    SelectObject(item.hDC, old);
}

void TMainForm::ShowDropDownMenu(HWND toolBar, int buttonId, TToolMenu menu)
{
    HMENU popup = menu == TToolMenu::ToolBarMenu1 ? ToolBarMenu1.Get()
                : menu == TToolMenu::ToolBarMenu2 ? ToolBarMenu2.Get()
                : menu == TToolMenu::Popup_Undo   ? PopupUndo.Get()
                                                  : PopupRedo.Get();
    RECT r;
    SendMessageW(toolBar, TB_GETRECT, buttonId, LPARAM(&r));
    MapWindowPoints(toolBar, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    UpdateActions();
    if (menu == TToolMenu::Popup_Undo || menu == TToolMenu::Popup_Redo) {
        FillHistoryMenu(popup, menu == TToolMenu::Popup_Undo);
        int chosen = TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, r.left, r.bottom, 0, Wnd,
                                    nullptr);
        if (chosen >= IDM_HISTORY_FIRST) {
            // Position m of c items is entry c - m - 1 of the list.
            int count = GetMenuItemCount(popup);
            int index = count - (chosen - IDM_HISTORY_FIRST) - 1;
            if (menu == TToolMenu::Popup_Undo) Tree->GoBack(index);
            else Tree->GoForward(index);
        }
        return;
    }
    Menus->SyncMenu(popup);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN, r.left, r.bottom, 0, Wnd, nullptr);
}

// The tool buttons that carry texts of their own instead of a command's.
static const TToolEntry* FindUnboundButton(int id)
{
    for (const TBandLayout& band : CoolBarLayout())
        for (const TToolEntry& e : band.Entries) {
            int entryId = e.Kind == TToolEntryKind::PasteButton ? IDB_PASTE
                        : e.Kind != TToolEntryKind::DropDownButton ? 0
                        : e.DropDownMenu == TToolMenu::ToolBarMenu1 ? IDB_NEW_DROPDOWN : IDB_ARRANGE_DROPDOWN;
            if (entryId && entryId == id) return &e;
        }
    return nullptr;
}

static TToolMenu DropDownOf(int buttonId)
{
    if (const TToolEntry* e = FindUnboundButton(buttonId)) return e->DropDownMenu;
    for (const TBandLayout& band : CoolBarLayout())
        for (const TToolEntry& e : band.Entries)
            if (e.Kind == TToolEntryKind::Button && e.Command == buttonId) return e.DropDownMenu;
    return TToolMenu::None;
}

LRESULT TMainForm::OnNotify(NMHDR* hdr)
{
    switch (hdr->code) {
    case TBN_DROPDOWN: {
        auto* tb = reinterpret_cast<NMTOOLBARW*>(hdr);
        TToolMenu menu = DropDownOf(tb->iItem);
        if (menu != TToolMenu::None) ShowDropDownMenu(hdr->hwndFrom, tb->iItem, menu);
        return TBDDRET_DEFAULT;
    }
    case NM_RCLICK: {
        // The back button offers the forward history on a right click.
        auto* mouse = reinterpret_cast<NMMOUSE*>(hdr);
        for (const TBandLayout& band : CoolBarLayout())
            for (const TToolEntry& e : band.Entries)
                if (e.Kind == TToolEntryKind::Button && int(mouse->dwItemSpec) == e.Command &&
                    e.RightClickMenu != TToolMenu::None) {
                    ShowDropDownMenu(hdr->hwndFrom, e.Command, e.RightClickMenu);
                    return TRUE;
                }
        return 0;
    }
    case TTN_GETDISPINFOW: {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(hdr);
        static std::wstring text;
        text.clear();
        int id = int(hdr->idFrom);
        if (TAction* a = Actions.Find(id)) text = a->Tooltip;
        else if (const TToolEntry* e = FindUnboundButton(id)) text = e->Tooltip ? e->Tooltip : L"";
        info->lpszText = text.data();
        return 0;
    }
    case TBN_HOTITEMCHANGE: {
        auto* hot = reinterpret_cast<NMTBHOTITEM*>(hdr);
        if (hot->dwFlags & HICF_LEAVING) {
            HideHint();
        } else if (TAction* a = Actions.Find(hot->idNew)) {
            ShowHint(a->StatusText);
        } else if (const TToolEntry* e = FindUnboundButton(hot->idNew)) {
            ShowHint(e->StatusText ? e->StatusText : L"");
        }
        return 0;
    }
    case TCN_SELCHANGE:
        if (hdr->hwndFrom == PageControl) ShowPage(int(SendMessageW(PageControl, TCM_GETCURSEL, 0, 0)));
        return 0;
    case RBN_HEIGHTCHANGE:
        LayoutForm();
        return 0;
    }
    return 0;
}

void TMainForm::ShowHint(const std::wstring& statusText)
{
    if (!IsWindowVisible(StatusWnd)) return;
    SendMessageW(StatusWnd, SB_SIMPLE, TRUE, 0);
    SendMessageW(StatusWnd, SB_SETTEXTW, SB_SIMPLEID | SBT_NOBORDERS, LPARAM(statusText.c_str()));
    HintShown = true;
}

void TMainForm::HideHint()
{
    if (!HintShown) return;
    SendMessageW(StatusWnd, SB_SIMPLE, FALSE, 0);
    HintShown = false;
}

void TMainForm::ShowHelp(int helpContext)
{
    // The help viewer is loaded on first use only.
    static HMODULE viewer = LoadLibraryW(L"hhctrl.ocx");
    auto htmlHelp = viewer ? reinterpret_cast<THtmlHelpW>(reinterpret_cast<void*>(GetProcAddress(viewer, "HtmlHelpW")))
                           : nullptr;
    if (htmlHelp) htmlHelp(nullptr, HelpFile.c_str(), kHelpContext, DWORD_PTR(helpContext));
}

bool TMainForm::IsShortCutRefused() const
{
    // While the user types text (a combo box, an in-place edit of a node or
    // an item name), the keys belong to the text.
    HWND focus = GetFocus();
    if (!focus) return false;
    wchar_t cls[32] = {};
    GetClassNameW(focus, cls, 32);
    if (lstrcmpiW(cls, WC_COMBOBOXW) == 0 || lstrcmpiW(cls, WC_EDITW) == 0) return true;
    return false;
}

bool TMainForm::PreTranslate(MSG& msg)
{
    if (!Wnd || (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)) return false;
    if (msg.hwnd != Wnd && !IsChild(Wnd, msg.hwnd)) return false;
    if (TranslateMDISysAccel(ClientWnd, &msg)) return true;
    if (IsShortCutRefused()) return false;
    return Accelerators && TranslateAcceleratorW(Wnd, Accelerators.Get(), &msg);
}

int TMainForm::BandIndex(int id) const
{
    return int(SendMessageW(CoolBarWnd, RB_IDTOINDEX, WPARAM(id), 0));
}

bool TMainForm::BandVisible(int id) const
{
    int index = BandIndex(id);
    if (index < 0) return false;
    REBARBANDINFOW rb{};
    rb.cbSize = sizeof rb;
    rb.fMask = RBBIM_STYLE;
    SendMessageW(CoolBarWnd, RB_GETBANDINFOW, index, LPARAM(&rb));
    return !(rb.fStyle & RBBS_HIDDEN);
}

void TMainForm::ShowBand(int id, bool visible)
{
    int index = BandIndex(id);
    if (index < 0) return;
    SendMessageW(CoolBarWnd, RB_SHOWBAND, index, visible);
    LayoutForm();
}

void TMainForm::SetStatusBarVisible(bool visible)
{
    ShowWindow(StatusWnd, visible ? SW_SHOW : SW_HIDE);
    LayoutForm();
}

void TMainForm::SetViewerVisible(bool visible)
{
    int show = visible ? SW_SHOW : SW_HIDE;
    ShowWindow(PanelViewer->Handle(), show);
    ShowWindow(Splitter1->Handle(), show);
    ShowWindow(PanelBox->Handle(), show);
    for (HWND label : Labels) SetWindowTextW(label, L"");
    ShowWindow(ProgressBar, SW_HIDE);
    LayoutLeftPanel();
    LayoutForm();
}
