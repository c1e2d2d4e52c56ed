// The file menu: new objects and the end of the program.
#include "app/MainFrame.h"
#include "commands/Commands.h"
#include "core/commands/CommandIds.h"
#include "shell/ShellListView.h"
#include "shell/ShellTreeView.h"

void BindFileCommands(TActionList& actions, IMainFrame& frame)
{
    BindCommand(actions, Cmd::NewFolder, [&frame] {
        if (TSHListView* list = frame.ActiveList()) {
            SetFocus(list->ListHandle());
            list->NewFolder();
        } else {
            frame.ShellTree().NewFolder();
        }
    }, [&frame](TAction& a) {
        TSHTreeView& tree = frame.ShellTree();
        a.Enabled = tree.SelectedItem() && !tree.GetSelectedPath().empty();
    });
    BindCommand(actions, Cmd::Exit, [&frame] { PostMessageW(frame.OwnerWindow(), WM_CLOSE, 0, 0); }, AlwaysEnabled);
}
