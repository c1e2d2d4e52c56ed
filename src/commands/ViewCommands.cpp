// The view menu: tool bars, status bar, viewer, the list's style and sort,
// virtual folders, hidden objects and refresh.
#include "browser/ShellListView.h"
#include "browser/ShellTreeView.h"
#include "commands/Commands.h"
#include "commands/Frame.h"
#include "core/commands/CommandIds.h"

namespace {

const int kViewStyles[] = {LV_VIEW_ICON, LV_VIEW_SMALLICON, LV_VIEW_LIST, LV_VIEW_DETAILS};
// ShowVirtualFolders, ShowNetwork, ShowRecycleBin, ShowInternet in turn.
const TShItemIDType kVirtualKinds[] = {itVirtual, itNetWork, itBitBucket, itInterNet};

// A command on the attached list, when there is one.
std::function<void()> OnList(IMainFrame& frame, std::function<void(TSHListView&)> run)
{
    return [&frame, run] {
        if (TSHListView* list = frame.ActiveList()) run(*list);
    };
}

void BindListCommands(TActionList& actions, IMainFrame& frame)
{
    for (int k = 0; k < 4; ++k) {
        int style = kViewStyles[k];
        BindCommand(actions, Cmd::ViewLargeIcons + k, OnList(frame, [style](TSHListView& list) {
            list.SetViewStyleValue(style);
        }));
    }
    for (int key = hcName; key <= hcAttr; ++key) {
        auto column = THeaderCaption(key);
        BindCommand(actions, Cmd::SortByName + key, OnList(frame, [column](TSHListView& list) {
            list.SetSort(column, list.ColumnSortDirections[column]);
        }));
    }
    for (int direction : {1, -1}) {
        BindCommand(actions, direction > 0 ? Cmd::SortAscending : Cmd::SortDescending,
                    OnList(frame, [direction](TSHListView& list) { list.SetSort(list.SortType, direction); }));
    }
}

void BindTreeSwitches(TActionList& actions, IMainFrame& frame)
{
    for (int k = 0; k < 4; ++k) {
        TShVirtuaItems bit = ShVirtuaBit(kVirtualKinds[k]);
        BindCommand(actions, Cmd::ShowVirtualFolders + k, [&frame, bit] {
            TSHTreeView& tree = frame.ShellTree();
            tree.SetShVirtuaItems(tree.ShVirtuaItems() ^ bit);
        });
    }
    BindCommand(actions, Cmd::ShowHiddenFiles, [&frame] {
        TSHTreeView& tree = frame.ShellTree();
        tree.SetIncludeHidden(!tree.IncludeHidden());
    });
}

}  // namespace

void BindViewCommands(TActionList& actions, IMainFrame& frame)
{
    // ShowBandFile to ShowBandAddress show bands 0 to 7.
    for (int id = Cmd::ShowBandFile; id <= Cmd::ShowBandAddress; ++id) {
        int band = id - Cmd::ShowBandFile;
        BindCommand(actions, id, [&frame, band] { frame.ShowBand(band, !frame.BandVisible(band)); });
    }
    BindCommand(actions, Cmd::ShowStatusBar, [&frame] { frame.SetStatusBarVisible(!frame.StatusBarVisible()); });
    BindCommand(actions, Cmd::ShowViewer, [&frame] { frame.SetViewerVisible(!frame.ViewerVisible()); });
    BindListCommands(actions, frame);
    BindTreeSwitches(actions, frame);
    BindCommand(actions, Cmd::Refresh, [&frame] {
        frame.ShellTree().RefreshAll();
        for (TSHListView* list : frame.FolderLists()) list->Refresh();
    });
}
