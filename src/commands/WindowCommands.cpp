// Opening, closing and arranging folder windows.
#include "app/FolderWindow.h"
#include "app/MainFrame.h"
#include "browser/ShellTreeView.h"
#include "commands/Commands.h"
#include "core/commands/CommandIds.h"
#include "core/settings/WindowRecord.h"

namespace {

HWND ActiveChild(IMainFrame& frame) { return HWND(SendMessageW(frame.MdiClient(), WM_MDIGETACTIVE, 0, 0)); }

bool HasChild(IMainFrame& frame)
{
    for (HWND child = GetWindow(frame.MdiClient(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (!GetWindow(child, GW_OWNER)) return true;
    return false;
}

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
    frame.OpenFolderWindow(NewWindowRecord(frame.Settings(), std::move(folder)), false);
}

}  // namespace

void BindWindowCommands(TActionList& actions, IMainFrame& frame)
{
    auto withChild = [&frame](TAction& a) { a.Enabled = HasChild(frame); };
    auto mdi = [&frame](UINT msg, WPARAM wParam) {
        return [&frame, msg, wParam] { SendMessageW(frame.MdiClient(), msg, wParam, 0); };
    };

    BindCommand(actions, Cmd::NewWindow, [&frame] { NewWindow(frame); }, AlwaysEnabled);
    BindCommand(actions, Cmd::CloseWindow, [&frame] {
        if (HWND child = ActiveChild(frame)) SendMessageW(child, WM_CLOSE, 0, 0);
    }, [&frame](TAction& a) { a.Enabled = ActiveChild(frame) != nullptr; });
    BindCommand(actions, Cmd::Cascade, mdi(WM_MDICASCADE, 0), withChild);
    BindCommand(actions, Cmd::TileHorizontally, mdi(WM_MDITILE, MDITILE_HORIZONTAL), withChild);
    BindCommand(actions, Cmd::TileVertically, mdi(WM_MDITILE, MDITILE_VERTICAL), withChild);
    BindCommand(actions, Cmd::MinimizeAll, [&frame] {
        HWND client = frame.MdiClient();
        for (HWND child = GetWindow(client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (!GetWindow(child, GW_OWNER)) ShowWindow(child, SW_MINIMIZE);
    }, withChild);
    BindCommand(actions, Cmd::ArrangeIcons, mdi(WM_MDIICONARRANGE, 0), withChild);
}
