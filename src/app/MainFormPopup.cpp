// The context menus of tree and lists: the shell's entries with the
// program's "show in the plug-in viewer" and "invert the selection" for
// rows and nodes, and the frame's own menu for a list's background.
#include "app/MainForm.h"
#include "app/MenuBuilder.h"
#include "app/StatusPanels.h"
#include "browser/ShellListView.h"
#include "browser/ShellPopupMenu.h"
#include "browser/ShellTreeView.h"
#include "core/commands/CommandIds.h"
#include "fileops/OwnVerbs.h"

namespace {

TSHPopupItem OwnItem(TActionList& actions, int id, HWND owner)
{
    TSHPopupItem item;
    item.Command = UINT(id);
    if (TAction* action = actions.Find(id)) {
        item.Caption = action->Caption;
        item.Hint = action->StatusText;
    }
    item.OnClick = [&actions, id, owner] { actions.Execute(id, owner); };
    return item;
}

}  // namespace

void TMainForm::CreateShellPopupMenu()
{
    SHPopupMenu = std::make_unique<TSHPopupMenu>();
    TSHPopupMenu& menu = *SHPopupMenu;
    TSHPopupItem separator;
    separator.Caption = L"-";
    menu.Items = {OwnItem(ActionsList, Cmd::ShowInViewer, Wnd), separator,
                  OwnItem(ActionsList, Cmd::InvertSelection, Wnd)};
    menu.SetInsertPos(0);
    menu.ReadOnly = false;
    menu.OnShBeforPopup = [this](TSHPopupMenu&, const TSHIDList&, POINT) { return SHPopupMenuShBeforPopup(); };
    menu.OnHint = [this](const std::wstring& hint) {
        if (hint.empty()) Status->HideHint();
        else Status->ShowHint(hint);
    };
    menu.OnOwnVerb = [](HWND owner, const TSHIDList& items, const std::wstring& verb, bool& ran) {
        return RunOwnVerb(owner, items, verb, ran);
    };
    Tree->ShellPopupMenu = SHPopupMenu.get();
}

bool TMainForm::SHPopupMenuShBeforPopup()
{
    TSHPopupMenu& menu = *SHPopupMenu;
    // The tree's menu is about its node: the list's items stay out of it.
    bool forTree = menu.PopupComponent == Tree->Handle();
    TSHListView* list = ActiveList();
    bool oneFile = false;
    if (list && list->SelectedCount() == 1)
        if (TSHFileItem* row = list->FileList().Rows(list->NextSelected(-1))) oneFile = row->GetItemIDType() == itFile;
    UpdateActions();
    TSHPopupItem* viewer = menu.FindItem(Cmd::ShowInViewer);
    TSHPopupItem* invert = menu.FindItem(Cmd::InvertSelection);
    viewer->Visible = !forTree && oneFile;
    invert->Visible = !forTree && GetFocus() != Tree->TreeHandle();
    for (TSHPopupItem* item : {viewer, invert})
        if (TAction* action = ActionsList.Find(int(item->Command))) item->Enabled = action->Enabled;
    // The separator stands between the program's items and the shell's.
    menu.Items[1].Visible = viewer->Visible || invert->Visible;
    menu.SetInsertPos(viewer->Visible ? 2 : 0);
    return true;
}

void TMainForm::PopupBackgroundMenu(POINT screen)
{
    // The states are those of this moment, and the chosen command goes to
    // the frame's command list (the list itself sits in a folder window).
    HMENU menu = PopupMenu1.Get();
    UpdateActions();
    Menus->SyncMenu(menu);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, Wnd, nullptr);
}
