// The plug-in viewer: showing the selected file, and the image commands of
// the viewer's bar.
#include "browser/ShellListView.h"
#include "commands/Commands.h"
#include "commands/Frame.h"
#include "core/commands/CommandIds.h"
#include "gui/MessageBox.h"
#include "viewer/Raster.h"
#include "viewer/RasterActions.h"

namespace {

// The one selected row of the attached list when it is a file.
TSHFileItem* SelectedFile(IMainFrame& frame)
{
    TSHListView* list = frame.ActiveList();
    if (!list || list->SelectedCount() != 1) return nullptr;
    TSHFileItem* row = list->FileList().Rows(list->NextSelected(-1));
    return row && row->GetItemIDType() == itFile ? row : nullptr;
}

void ShowInViewer(IMainFrame& frame)
{
    // While a picture decodes the view's messages are pumped, so this can
    // be asked again: the running load is left alone, its bar and labels too.
    if (frame.ViewerVisible() && frame.ImageView().Loading()) return;
    TSHFileItem* row = SelectedFile(frame);
    if (!row) return;
    std::wstring path = row->GetPath();
    if (!frame.ViewerVisible()) frame.SetViewerVisible(true);
    TRaster& raster = frame.ImageView();
    frame.ShowLoadProgress(true);
    bool shown = raster.LoadFromFile(path);
    if (shown) {
        frame.SetPictureLabels(L" 横:" + std::to_wstring(raster.PictureWidth) + L" / 縦:" +
                                   std::to_wstring(raster.PictureHeight) + L" pixel ",
                               L" 横:" + std::to_wstring(raster.XDensity) + L" / 縦:" +
                                   std::to_wstring(raster.YDensity) + L" dpi ",
                               L" " + std::to_wstring(raster.ColorDepth) + L" bit ");
    } else {
        // A plug-in that took the file has said what went wrong already.
        if (!raster.LastLoadClaimed())
            ShowMessageBox(frame.OwnerWindow(), L"該当するプラグインが存在しません。", MB_OK | MB_ICONWARNING);
        frame.SetPictureLabels(L"  ", L"  ", L"  ");
    }
    frame.ShowLoadProgress(false);
}

}  // namespace

void BindViewerCommands(TActionList& actions, IMainFrame& frame)
{
    BindCommand(actions, Cmd::ShowInViewer, [&frame] { ShowInViewer(frame); });
    BindRasterActions(actions, [&frame]() -> TRaster* { return frame.ViewerVisible() ? &frame.ImageView() : nullptr; });
}
