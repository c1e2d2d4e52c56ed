// The edit menu's file commands: cut, copy, paste and delete on the focused
// one of tree and list, and a shortcut to the list's selected object.
#include "app/MainFrame.h"
#include "browser/ShellListView.h"
#include "browser/ShellTreeView.h"
#include "commands/Commands.h"
#include "core/commands/CommandIds.h"

namespace {

bool ClipboardHoldsFiles() { return IsClipboardFormatAvailable(CF_HDROP); }

// Cut marks what it cut, which the shell menu's own follow-up does.
void Cut(IMainFrame& frame)
{
    TSHListView* list = frame.ActiveList();
    if (TreeFocused(frame)) frame.ShellTree().RunShellVerb(L"cut");
    else if (ListFocused(list)) list->RunShellVerb(L"cut");
}

void Copy(IMainFrame& frame)
{
    TSHListView* list = frame.ActiveList();
    if (TreeFocused(frame)) frame.ShellTree().ExecuteCommand(TShellCommand::scCopy);
    else if (ListFocused(list)) list->ExecuteSelected(TShellCommand::scCopy);
}

// Into the tree's selected folder, or into the list's own folder.
void Paste(IMainFrame& frame)
{
    TSHListView* list = frame.ActiveList();
    if (TreeFocused(frame)) {
        TSHTreeView& tree = frame.ShellTree();
        if (tree.ExecuteCommand(TShellCommand::scPaste))
            if (HTREEITEM node = TreeView_GetSelection(tree.TreeHandle())) tree.RefreshChildren(node);
    } else if (ListFocused(list)) {
        list->ExecuteSelected(TShellCommand::scPaste);
    }
}

// The tree follows a deleted node up to its parent.
void Delete(IMainFrame& frame)
{
    TSHListView* list = frame.ActiveList();
    if (TreeFocused(frame)) frame.ShellTree().RunShellVerb(L"delete");
    else if (ListFocused(list)) list->ExecuteSelected(TShellCommand::scDelete);
}

}  // namespace

void BindEditCommands(TActionList& actions, IMainFrame& frame)
{
    auto rule = [&frame](ULONG sfgao) {
        return [&frame, sfgao](TAction& a) {
            FocusRule(frame, a, [&frame, sfgao] { return TreeNodeHas(frame, sfgao); },
                      [sfgao](TSHListView& list) { return SelectionHas(list, sfgao); });
        };
    };
    BindCommand(actions, Cmd::Cut, [&frame] { Cut(frame); }, rule(SFGAO_CANDELETE));
    BindCommand(actions, Cmd::Copy, [&frame] { Copy(frame); }, rule(SFGAO_CANCOPY));
    BindCommand(actions, Cmd::Paste, [&frame] { Paste(frame); }, [&frame](TAction& a) {
        FocusRule(frame, a, [&frame] { return !frame.ShellTree().GetSelectedPath().empty() && ClipboardHoldsFiles(); },
                  [](TSHListView& list) { return !list.GetFolderPath().empty() && ClipboardHoldsFiles(); });
    });
    // The paste button runs the same, whatever the command's state.
    frame.SetPasteHandler([&frame] { Paste(frame); });
    BindCommand(actions, Cmd::Delete, [&frame] { Delete(frame); }, [&frame](TAction& a) {
        FocusRule(frame, a,
                  [&frame] { return !frame.ShellTree().IsEditing() && TreeNodeHas(frame, SFGAO_CANDELETE); },
                  [](TSHListView& list) { return !list.IsEditing() && SelectionHas(list, SFGAO_CANDELETE); });
    });
    // The program makes the shortcut itself, beside the object.
    BindCommand(actions, Cmd::CreateShortcut, [&frame] {
        TSHListView* list = frame.ActiveList();
        if (ListFocused(list) && list->SelectedCount() == 1) list->RunShellVerb(L"link");
    }, [&frame](TAction& a) {
        TSHListView* list = frame.ActiveList();
        a.Enabled = ListFocused(list) && list->SelectedCount() == 1 && SelectionHas(*list, SFGAO_CANLINK);
    });
}
