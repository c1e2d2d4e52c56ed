// The view menu: tool bars, status bar, viewer, the list's style and sort,
// virtual folders, hidden objects and refresh.
#include "app/FolderWindow.h"
#include "app/MainFrame.h"
#include "browser/ShellTreeView.h"
#include "commands/Commands.h"
#include "core/commands/CommandIds.h"

namespace {

const int kViewStyles[] = {LV_VIEW_ICON, LV_VIEW_SMALLICON, LV_VIEW_LIST, LV_VIEW_DETAILS};
// ShowVirtualFolders, ShowNetwork, ShowRecycleBin, ShowInternet in turn.
const TShItemIDType kVirtualKinds[] = {itVirtual, itNetWork, itBitBucket, itInterNet};

// An update handler that needs the attached list; `checked` tells whether
// the command is checked for it.
std::function<void(TAction&)> ForList(IMainFrame& frame, std::function<bool(TSHListView&)> checked)
{
    return [&frame, checked](TAction& a) {
        TSHListView* list = frame.ActiveList();
        a.Enabled = list != nullptr;
        a.Checked = list && checked(*list);
    };
}

void BindListCommands(TActionList& actions, IMainFrame& frame)
{
    for (int k = 0; k < 4; ++k) {
        int style = kViewStyles[k];
        BindCommand(actions, Cmd::ViewLargeIcons + k, [&frame, style] {
            if (TSHListView* list = frame.ActiveList()) list->SetViewStyleValue(style);
        }, ForList(frame, [style](TSHListView& list) { return list.GetViewStyleValue() == style; }));
    }
    for (int key = hcName; key <= hcAttr; ++key) {
        auto column = THeaderCaption(key);
        BindCommand(actions, Cmd::SortByName + key, [&frame, column] {
            if (TSHListView* list = frame.ActiveList()) list->SetSort(column, list->ColumnSortDirections[column]);
        }, ForList(frame, [column](TSHListView& list) { return list.SortType == column; }));
    }
    for (int direction : {1, -1}) {
        BindCommand(actions, direction > 0 ? Cmd::SortAscending : Cmd::SortDescending, [&frame, direction] {
            if (TSHListView* list = frame.ActiveList()) list->SetSort(list->SortType, direction);
        }, ForList(frame, [direction](TSHListView& list) {
            return list.ColumnSortDirections[list.SortType] == direction;
        }));
    }
}

void BindTreeSwitches(TActionList& actions, IMainFrame& frame)
{
    for (int k = 0; k < 4; ++k) {
        TShVirtuaItems bit = ShVirtuaBit(kVirtualKinds[k]);
        BindCommand(actions, Cmd::ShowVirtualFolders + k, [&frame, bit] {
            TSHTreeView& tree = frame.ShellTree();
            tree.SetShVirtuaItems(tree.ShVirtuaItems() ^ bit);
        }, [&frame, bit](TAction& a) {
            a.Enabled = true;
            a.Checked = frame.ShellTree().ShVirtuaItems() & bit;
        });
    }
    BindCommand(actions, Cmd::ShowHiddenFiles, [&frame] {
        TSHTreeView& tree = frame.ShellTree();
        tree.SetIncludeHidden(!tree.IncludeHidden());
    }, [&frame](TAction& a) {
        a.Enabled = true;
        a.Checked = frame.ShellTree().IncludeHidden();
    });
}

}  // namespace

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
    BindListCommands(actions, frame);
    BindTreeSwitches(actions, frame);
    BindCommand(actions, Cmd::Refresh, [&frame] {
        frame.ShellTree().RefreshAll();
        for (TSubForm08010* window : frame.FolderWindows()) window->SHListView().Refresh();
    }, AlwaysEnabled);
}
