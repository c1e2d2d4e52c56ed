// The edit menu's file commands: cut, copy, paste and delete on the focused
// one of tree and list, and a shortcut to the list's selected object.
#include "browser/ShellListView.h"
#include "browser/ShellTreeView.h"
#include "commands/Commands.h"
#include "commands/Frame.h"
#include "core/commands/CommandIds.h"

namespace {

// Cut marks what it cut, which the shell menu's own follow-up does.
void Cut(IMainFrame& frame)
{
    if (TreeFocused(frame)) frame.ShellTree().RunShellVerb(L"cut");
    else if (TSHListView* list = FocusedList(frame)) list->RunShellVerb(L"cut");
}

void Copy(IMainFrame& frame)
{
    if (TreeFocused(frame)) frame.ShellTree().ExecuteCommand(TShellCommand::scCopy);
    else if (TSHListView* list = FocusedList(frame)) list->ExecuteSelected(TShellCommand::scCopy);
}

// Into the tree's selected folder, or into the list's own folder.
void Paste(IMainFrame& frame)
{
    if (TreeFocused(frame)) {
        TSHTreeView& tree = frame.ShellTree();
        if (tree.ExecuteCommand(TShellCommand::scPaste)) tree.RefreshSelectedChildren();
    } else if (TSHListView* list = FocusedList(frame)) {
        list->ExecuteSelected(TShellCommand::scPaste);
    }
}

// The tree follows a deleted node up to its parent.
void Delete(IMainFrame& frame)
{
    if (TreeFocused(frame)) frame.ShellTree().RunShellVerb(L"delete");
    else if (TSHListView* list = FocusedList(frame)) list->ExecuteSelected(TShellCommand::scDelete);
}

}  // namespace

void BindEditCommands(TActionList& actions, IMainFrame& frame)
{
    BindCommand(actions, Cmd::Cut, [&frame] { Cut(frame); });
    BindCommand(actions, Cmd::Copy, [&frame] { Copy(frame); });
    BindCommand(actions, Cmd::Paste, [&frame] { Paste(frame); });
    // The paste button runs the same, whatever the command's state.
    frame.SetPasteHandler([&frame] { Paste(frame); });
    BindCommand(actions, Cmd::Delete, [&frame] { Delete(frame); });
    // The program makes the shortcut itself, beside the object.
    BindCommand(actions, Cmd::CreateShortcut, [&frame] {
        TSHListView* list = FocusedList(frame);
        if (list && list->SelectedCount() == 1) list->RunShellVerb(L"link");
    });
}
