// The snapshot the command states are decided from, taken once per update
// pass: one attribute query for the tree's node and one for the list's
// whole selection, however many commands read them.
#include "app/MainForm.h"
#include "app/NavigatorPad.h"
#include "app/StatusPanels.h"
#include "browser/ShellListView.h"
#include "browser/ShellTreeView.h"
#include "gui/Platform.h"
#include "viewer/Raster.h"

#include <commctrl.h>

namespace {

static_assert(saCanCopy == SFGAO_CANCOPY && saCanLink == SFGAO_CANLINK && saCanRename == SFGAO_CANRENAME &&
              saCanDelete == SFGAO_CANDELETE && saHasPropSheet == SFGAO_HASPROPSHEET && saFolder == SFGAO_FOLDER &&
              saFileSystem == SFGAO_FILESYSTEM);

int ViewStyleIndex(int style)
{
    switch (style) {
    case LV_VIEW_SMALLICON: return 1;
    case LV_VIEW_LIST: return 2;
    case LV_VIEW_DETAILS: return 3;
    default: return 0;
    }
}

TTreeSnapshot TreeSnapshot(const TSHTreeView& tree)
{
    TTreeSnapshot t;
    TSHFolderItem* item = tree.SelectedItem();
    t.HasSelection = item != nullptr;
    if (item) {
        t.Attributes = item->Attributes(kRuleAttributes);
        t.HasPath = !item->GetPath().empty();
        t.HasParent = tree.SelectedHasParent();
        t.HasPrevious = tree.HasNeighbour(false);
        t.HasNext = tree.HasNeighbour(true);
    }
    t.Editing = tree.IsEditing();
    t.BackCount = int(tree.BackList().size());
    t.ForwardCount = int(tree.ForwardList().size());
    return t;
}

TListSnapshot ListSnapshot(TSHListView* list)
{
    TListSnapshot l;
    if (!list) return l;
    l.Attached = true;
    TSHFileList& files = list->FileList();
    l.ItemCount = files.Count();
    l.SelectedCount = list->SelectedCount();
    if (l.SelectedCount > 0) l.SelectionAttributes = files.GetSelectedIDList().CommonAttributes(kRuleAttributes);
    if (l.SelectedCount == 1)
        if (TSHFileItem* row = files.Rows(list->NextSelected(-1))) l.OneSelectedIsFile = row->GetItemIDType() == itFile;
    l.Editing = list->IsEditing();
    l.HasFolderPath = !list->GetFolderPath().empty();
    l.ViewStyle = ViewStyleIndex(list->GetViewStyleValue());
    l.SortKey = int(list->SortType);
    l.SortAscending = list->ColumnSortDirections[list->SortType] > 0;
    l.Locked = list->FolderLock();
    return l;
}

}  // namespace

TFocusPane TMainForm::FocusedPane() const
{
    HWND focus = GetFocus();
    if (!focus) return TFocusPane::None;
    if (Tree && focus == Tree->TreeHandle()) return TFocusPane::Tree;
    TSHListView* list = ActiveList();
    if (list && list->HasFocus()) return TFocusPane::List;
    return TFocusPane::None;
}

TCommandSnapshot TMainForm::TakeCommandSnapshot() const
{
    TCommandSnapshot s;
    s.Focus = FocusedPane();
    if (Tree) s.Tree = TreeSnapshot(*Tree);
    s.List = ListSnapshot(ActiveList());
    s.ClipboardHasFiles = IsClipboardFormatAvailable(CF_HDROP);
    s.FileTypesPresent = !SettingsData->FileTypes.empty();
    for (int band = 0; band < 8; ++band) s.BandVisible[band] = BandVisible(band);
    s.StatusBarVisible = StatusBarVisible();
    s.ViewerVisible = ViewerVisible();
    s.NavigatorVisible = Navigator != nullptr;
    if (Tree) {
        s.VirtualItems = Tree->ShVirtuaItems();
        s.IncludeHidden = Tree->IncludeHidden();
    }
    s.AddressHasText = AddressComboWnd && GetWindowTextLengthW(AddressComboWnd) > 0;
    s.FilterEntryChosen = FilterEntryChosen();
    s.Filtering = FilteringOn;
    s.FolderWindowExists = HasMdiChild();
    s.FolderWindowActive = SendMessageW(ClientWnd, WM_MDIGETACTIVE, 0, 0) != 0;
    s.ComputerSearchAvailable = !RunningUnderWine();
    if (Raster && s.ViewerVisible) s.Viewer = Raster->Snapshot();
    return s;
}

void TMainForm::BindCommandStates()
{
    // One snapshot per pass (and per command run from a key or a menu),
    // then each command's state from the rules.
    ActionsList.OnBeginUpdate = [this] { CommandSnapshot = TakeCommandSnapshot(); };
    for (const auto& action : ActionsList.Items())
        action->OnUpdate = [this](TAction& a) {
            TCommandState state = CommandState(a.Id, CommandSnapshot, a.Enabled);
            a.Enabled = state.Enabled;
            if (state.Checked) a.Checked = *state.Checked;
        };
}
