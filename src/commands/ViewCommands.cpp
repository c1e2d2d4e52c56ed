// The view menu: tool bars, status bar, viewer and refresh.
#include "app/FolderWindow.h"
#include "app/MainFrame.h"
#include "commands/Commands.h"
#include "core/commands/CommandIds.h"
#include "shell/ShellTreeView.h"

void BindViewCommands(TActionList& actions, IMainFrame& frame)
{
    // ShowBandFile to ShowBandAddress show bands 0 to 7.
    for (int id = Cmd::ShowBandFile; id <= Cmd::ShowBandAddress; ++id) {
        int band = id - Cmd::ShowBandFile;
        BindCommand(actions, id, [&frame, band] { frame.ShowBand(band, !frame.BandVisible(band)); },
                    [&frame, band](TAction& a) { a.Enabled = true; a.Checked = frame.BandVisible(band); });
    }
    BindCommand(actions, Cmd::ShowStatusBar, [&frame] { frame.SetStatusBarVisible(!frame.StatusBarVisible()); },
                [&frame](TAction& a) { a.Enabled = true; a.Checked = frame.StatusBarVisible(); });
    BindCommand(actions, Cmd::ShowViewer, [&frame] { frame.SetViewerVisible(!frame.ViewerVisible()); },
                [&frame](TAction& a) { a.Enabled = true; a.Checked = frame.ViewerVisible(); });
    BindCommand(actions, Cmd::Refresh, [&frame] {
        frame.ShellTree().RefreshAll();
        for (TSubForm08010* window : frame.FolderWindows()) window->SHListView().Refresh();
    }, AlwaysEnabled);
}
