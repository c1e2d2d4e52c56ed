// Opening, closing and arranging folder windows.
#include "browser/ShellTreeView.h"
#include "commands/Commands.h"
#include "commands/Frame.h"
#include "core/commands/CommandIds.h"
#include "core/settings/WindowRecord.h"

namespace {

void NewWindow(IMainFrame& frame)
{
    TSHTreeView& tree = frame.ShellTree();
    if (!tree.SelectedItem()) return;
    std::vector<uint8_t> folder;
    if (PCIDList selected = tree.GetSelectedIDList()) {
        auto bytes = reinterpret_cast<const uint8_t*>(selected);
        folder.assign(bytes, bytes + GetIDListSize(selected));
    }
    // A new window starts with filtering off and no filter.
    frame.OpenNewFolderWindow(NewWindowRecord(frame.Settings(), std::move(folder)));
}

}  // namespace

void BindWindowCommands(TActionList& actions, IMainFrame& frame)
{
    auto arrange = [&frame](TWindowArrangement arrangement) {
        return [&frame, arrangement] { frame.ArrangeFolderWindows(arrangement); };
    };
    BindCommand(actions, Cmd::NewWindow, [&frame] { NewWindow(frame); });
    BindCommand(actions, Cmd::CloseWindow, [&frame] { frame.CloseActiveFolderWindow(); });
    BindCommand(actions, Cmd::Cascade, arrange(TWindowArrangement::Cascade));
    BindCommand(actions, Cmd::TileHorizontally, arrange(TWindowArrangement::TileHorizontally));
    BindCommand(actions, Cmd::TileVertically, arrange(TWindowArrangement::TileVertically));
    BindCommand(actions, Cmd::MinimizeAll, arrange(TWindowArrangement::MinimizeAll));
    BindCommand(actions, Cmd::ArrangeIcons, arrange(TWindowArrangement::ArrangeIcons));
}
