// The command list of the main window: built from the command table, with
// the handlers of the commands that belong to the frame itself.
#include "app/ControlIds.h"
#include "app/FolderWindow.h"
#include "app/MainForm.h"
#include "app/MenuBuilder.h"
#include "app/StatusPanels.h"
#include "browser/ShellTreeView.h"
#include "commands/Commands.h"
#include "core/commands/CommandTable.h"
#include "core/shell/FileFilter.h"
#include "help/HtmlHelp.h"

#include <commctrl.h>

namespace {

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
        ActionsList.Add(std::move(a));
    }
}

void TMainForm::BindActionHandlers()
{
    BindFileCommands(ActionsList, *this);
    BindEditCommands(ActionsList, *this);
    BindToolsCommands(ActionsList, *this);
    BindNavigationCommands(ActionsList, *this);
    BindSelectionCommands(ActionsList, *this);
    BindViewCommands(ActionsList, *this);
    BindViewerCommands(ActionsList, *this);
    BindWindowCommands(ActionsList, *this);
    BindTransferCommands(ActionsList, *this);
    BindExportCommands(ActionsList, *this);
    BindHelpCommands(ActionsList, *this);
    BindFavoritesCommands(ActionsList, *this);
    BindIconCommands(ActionsList, *this);
    BindCommandStates();
}

void TMainForm::UpdateActions()
{
    if (ActionsList.UpdateAll() || !Shown) SyncToolBars();
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
            TAction* a = ActionsList.Find(b.idCommand);
            if (!a) continue;
            SendMessageW(tb, TB_ENABLEBUTTON, b.idCommand, MAKELPARAM(a->Enabled, 0));
            SendMessageW(tb, TB_CHECKBUTTON, b.idCommand, MAKELPARAM(a->Checked, 0));
        }
    }
}

void TMainForm::OnCommand(int id, HWND control, int code)
{
    if (ActionsList.Find(id)) {
        ActionsList.Execute(id, Wnd);
        return;
    }
    if (id == IDB_PASTE && PasteHandler) {
        PasteHandler();
        return;
    }
    if (id == IDC_FILTERCOMBO && code == CBN_SELCHANGE) ComboBox1Select();
    if (id >= IDM_FILETYPE_FIRST && id < IDM_HISTORY_FIRST && FileTypeHandler) FileTypeHandler(id - IDM_FILETYPE_FIRST);
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
    if (TSHListView* list = ActiveList()) list->SetFilter(ChosenFilter());
    Status->RepaintIndicators();
}

void TMainForm::RepaintIndicators() { Status->RepaintIndicators(); }

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
        if (TAction* a = ActionsList.Find(id)) text = a->Tooltip;
        else if (const TToolEntry* e = FindUnboundButton(id)) text = e->Tooltip ? e->Tooltip : L"";
        info->lpszText = text.data();
        return 0;
    }
    case TBN_HOTITEMCHANGE: {
        auto* hot = reinterpret_cast<NMTBHOTITEM*>(hdr);
        if (hot->dwFlags & HICF_LEAVING) {
            Status->HideHint();
        } else if (TAction* a = ActionsList.Find(hot->idNew)) {
            Status->ShowHint(a->StatusText);
        } else if (const TToolEntry* e = FindUnboundButton(hot->idNew)) {
            Status->ShowHint(e->StatusText ? e->StatusText : L"");
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

void TMainForm::ShowHelp(int helpContext) { OpenHelpTopic(HelpFile, helpContext); }

void TMainForm::ShowHelpContents() { OpenHelpContents(HelpFile); }

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
    BYTE modifiers = BYTE((GetKeyState(VK_CONTROL) < 0 ? FCONTROL : 0) | (GetKeyState(VK_MENU) < 0 ? FALT : 0) |
                          (GetKeyState(VK_SHIFT) < 0 ? FSHIFT : 0));
    if (!ActionsList.ShortCutEnabled(WORD(msg.wParam), modifiers)) return false;
    return Accelerators && TranslateAcceleratorW(Wnd, Accelerators.Get(), &msg);
}
