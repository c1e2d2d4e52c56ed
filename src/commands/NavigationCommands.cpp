// Moving through the folders: history, up, and the display filter switch.
#include "app/FolderWindow.h"
#include "app/MainFrame.h"
#include "commands/Commands.h"
#include "core/commands/CommandIds.h"
#include "shell/ShellTreeView.h"

#include <commctrl.h>

namespace {

HTREEITEM SelectedNode(HWND tree) { return TreeView_GetSelection(tree); }

void Up(TSHTreeView& tree)
{
    HWND wnd = tree.TreeHandle();
    HTREEITEM node = SelectedNode(wnd);
    if (!node) return;
    if (TreeView_GetItemState(wnd, node, TVIS_EXPANDED) & TVIS_EXPANDED) TreeView_Expand(wnd, node, TVE_COLLAPSE);
    else if (HTREEITEM parent = TreeView_GetParent(wnd, node)) TreeView_SelectItem(wnd, parent);
}

bool HasParentNode(TSHTreeView& tree)
{
    HTREEITEM node = SelectedNode(tree.TreeHandle());
    return node && TreeView_GetParent(tree.TreeHandle(), node);
}

}  // namespace

void BindNavigationCommands(TActionList& actions, IMainFrame& frame)
{
    // The tree exists only once the window does: it is asked for when used.
    BindCommand(actions, Cmd::Back, [&frame] { frame.ShellTree().GoBack(-1); },
                [&frame](TAction& a) { a.Enabled = !frame.ShellTree().BackList().empty(); });
    BindCommand(actions, Cmd::Forward, [&frame] { frame.ShellTree().GoForward(-1); },
                [&frame](TAction& a) { a.Enabled = !frame.ShellTree().ForwardList().empty(); });
    BindCommand(actions, Cmd::Up, [&frame] { Up(frame.ShellTree()); },
                [&frame](TAction& a) { a.Enabled = HasParentNode(frame.ShellTree()); });
    BindCommand(actions, Cmd::Filtering, [&frame] { frame.SetFiltering(!frame.Filtering()); },
                [&frame](TAction& a) {
                    a.Enabled = frame.FilterEntryChosen();
                    a.Checked = frame.Filtering();
                });
}
