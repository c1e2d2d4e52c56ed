#include "core/commands/CommandState.h"

#include "core/commands/CommandIds.h"

namespace {

bool Has(unsigned bits, unsigned wanted) { return (bits & wanted) == wanted; }

TCommandState Enabled(bool enabled) { return {enabled, std::nullopt}; }
TCommandState Checkable(bool enabled, bool checked) { return {enabled, checked}; }

bool TreeNodeHas(const TTreeSnapshot& tree, unsigned bits) { return tree.HasSelection && Has(tree.Attributes, bits); }

// A selection that can all be X: at least one selected item, and the shell
// reports X for the whole selection.
bool SelectionHas(const TListSnapshot& list, unsigned bits)
{
    return list.SelectedCount > 0 && Has(list.SelectionAttributes, bits);
}

bool ListWithSelection(const TListSnapshot& list) { return list.Attached && list.SelectedCount > 0; }
bool ListWithItems(const TListSnapshot& list) { return list.Attached && list.ItemCount > 0; }
// A selection in a folder of the file system, as the batch commands need.
bool FileSystemSelection(const TListSnapshot& list) { return ListWithSelection(list) && list.HasFolderPath; }

// The focused one of tree and list decides; with a list attached and
// neither focused the state stays; with no list attached it is disabled.
TCommandState FocusRule(const TCommandSnapshot& s, bool wasEnabled, bool treeRule, bool listRule)
{
    switch (s.Focus) {
    case TFocusPane::Tree: return Enabled(treeRule);
    case TFocusPane::List: return Enabled(s.List.Attached && listRule);
    case TFocusPane::None: break;
    }
    return Enabled(s.List.Attached && wasEnabled);
}

// The commands that follow the focused pane: the bits the tree's node and
// the list's selection must have.
std::optional<TCommandState> FocusedPaneState(int id, const TCommandSnapshot& s, bool wasEnabled)
{
    const TTreeSnapshot& tree = s.Tree;
    const TListSnapshot& list = s.List;
    auto bits = [&](unsigned wanted) { return FocusRule(s, wasEnabled, TreeNodeHas(tree, wanted), SelectionHas(list, wanted)); };
    switch (id) {
    case Cmd::Open: return FocusRule(s, wasEnabled, tree.HasSelection, list.SelectedCount > 0);
    case Cmd::Rename: return bits(saCanRename);
    case Cmd::Properties: return bits(saHasPropSheet);
    // Moving to a folder takes the objects away as a cut does; copying to
    // one copies them as a copy does.
    case Cmd::Cut:
    case Cmd::MoveToFolder: return bits(saCanDelete);
    case Cmd::Copy:
    case Cmd::CopyToFolder: return bits(saCanCopy);
    case Cmd::Paste:
        return FocusRule(s, wasEnabled, tree.HasSelection && tree.HasPath && s.ClipboardHasFiles,
                         list.HasFolderPath && s.ClipboardHasFiles);
    case Cmd::Delete:
        return FocusRule(s, wasEnabled, !tree.Editing && TreeNodeHas(tree, saCanDelete),
                         !list.Editing && SelectionHas(list, saCanDelete));
    default: return std::nullopt;
    }
}

std::optional<TCommandState> FileState(int id, const TCommandSnapshot& s)
{
    const TListSnapshot& list = s.List;
    bool folderChosen = s.Tree.HasSelection && s.Tree.HasPath;
    switch (id) {
    case Cmd::NewFolder:
    case Cmd::NewSequentialFolders:
    case Cmd::NewShortcut: return Enabled(folderChosen);
    case Cmd::NewZipFolder: return Enabled(folderChosen && list.Attached);
    case Cmd::CloseWindow: return Enabled(s.FolderWindowActive);
    case Cmd::ExportList:
    case Cmd::Print: return Enabled(ListWithSelection(list));
    case Cmd::SendAsMail:
        return Enabled(FileSystemSelection(list) && Has(list.SelectionAttributes, saFileSystem) &&
                       !Has(list.SelectionAttributes, saFolder));
    case Cmd::ChangeDateTime:
    case Cmd::ChangeAttributes: return Enabled(FileSystemSelection(list) && Has(list.SelectionAttributes, saFileSystem));
    case Cmd::ShowInViewer: return Enabled(list.Attached && list.OneSelectedIsFile);
    case Cmd::Undo: return Enabled(false);
    case Cmd::CreateShortcut:
        return Enabled(s.Focus == TFocusPane::List && list.Attached && list.SelectedCount == 1 &&
                       Has(list.SelectionAttributes, saCanLink));
    case Cmd::OpenWith:
        return Enabled(list.Attached && list.SelectedCount == 1 && Has(list.SelectionAttributes, saFileSystem) &&
                       !Has(list.SelectionAttributes, saFolder));
    case Cmd::BrowseIcons:
    case Cmd::ChangeFolderIcon: return Enabled(list.Attached && list.SelectedCount == 1);
    default: return std::nullopt;
    }
}

std::optional<TCommandState> SelectionState(int id, const TCommandSnapshot& s)
{
    const TListSnapshot& list = s.List;
    switch (id) {
    case Cmd::SelectByType: return Enabled(ListWithItems(list) && s.FileTypesPresent);
    case Cmd::SelectFolders:
    case Cmd::SelectFiles:
    case Cmd::SelectAll: return Enabled(ListWithItems(list));
    case Cmd::InvertSelection: return Enabled(ListWithSelection(list));
    default: return std::nullopt;
    }
}

const TShItemIDType kVirtualKinds[] = {itVirtual, itNetWork, itBitBucket, itInterNet};

std::optional<TCommandState> ViewState(int id, const TCommandSnapshot& s)
{
    const TListSnapshot& list = s.List;
    if (id >= Cmd::ShowBandFile && id <= Cmd::ShowBandAddress) return Checkable(true, s.BandVisible[id - Cmd::ShowBandFile]);
    if (id >= Cmd::ViewLargeIcons && id <= Cmd::ViewDetails)
        return Checkable(list.Attached, list.Attached && list.ViewStyle == id - Cmd::ViewLargeIcons);
    if (id >= Cmd::SortByName && id <= Cmd::SortByAttributes)
        return Checkable(list.Attached, list.Attached && list.SortKey == id - Cmd::SortByName);
    if (id == Cmd::SortAscending || id == Cmd::SortDescending)
        return Checkable(list.Attached, list.Attached && list.SortAscending == (id == Cmd::SortAscending));
    if (id >= Cmd::ShowVirtualFolders && id <= Cmd::ShowInternet)
        return Checkable(true, (s.VirtualItems & ShVirtuaBit(kVirtualKinds[id - Cmd::ShowVirtualFolders])) != 0);
    switch (id) {
    case Cmd::ShowStatusBar: return Checkable(true, s.StatusBarVisible);
    case Cmd::ShowViewer: return Checkable(true, s.ViewerVisible);
    case Cmd::ShowHiddenFiles: return Checkable(true, s.IncludeHidden);
    case Cmd::Navigator: return Checkable(true, s.NavigatorVisible);
    default: return std::nullopt;
    }
}

std::optional<TCommandState> GoState(int id, const TCommandSnapshot& s)
{
    const TTreeSnapshot& tree = s.Tree;
    switch (id) {
    case Cmd::Back: return Enabled(tree.BackCount > 0);
    case Cmd::Forward: return Enabled(tree.ForwardCount > 0);
    case Cmd::Up: return Enabled(tree.HasSelection && tree.HasParent);
    case Cmd::ExpandAll:
    case Cmd::CollapseAll: return Enabled(tree.HasSelection);
    case Cmd::PreviousFolder: return Enabled(tree.HasSelection && tree.HasPrevious);
    case Cmd::NextFolder: return Enabled(tree.HasSelection && tree.HasNext);
    case Cmd::FolderLock: return Checkable(s.List.Attached, s.List.Attached && s.List.Locked);
    case Cmd::GoToAddress: return Enabled(s.List.Attached && s.AddressHasText);
    case Cmd::Filtering: return Checkable(s.FilterEntryChosen, s.Filtering);
    case Cmd::FindComputer: return Enabled(s.ComputerSearchAvailable);
    case Cmd::Cascade:
    case Cmd::TileHorizontally:
    case Cmd::TileVertically:
    case Cmd::MinimizeAll:
    case Cmd::ArrangeIcons: return Enabled(s.FolderWindowExists);
    default: return std::nullopt;
    }
}

bool AlwaysEnabled(int id)
{
    switch (id) {
    case Cmd::PrinterSetup:
    case Cmd::Exit:
    case Cmd::Refresh:
    case Cmd::FilterConditions:
    case Cmd::FindFiles:
    case Cmd::MapNetworkDrive:
    case Cmd::DisconnectNetworkDrive:
    case Cmd::EmptyRecycleBin:
    case Cmd::Options:
    case Cmd::AddFavorite:
    case Cmd::OrganizeFavorites:
    case Cmd::NewWindow:
    case Cmd::Help:
    case Cmd::HomePage:
    case Cmd::SupportReport:
    case Cmd::About: return true;
    default: return false;
    }
}

}  // namespace

TCommandState CommandState(int id, const TCommandSnapshot& snapshot, bool wasEnabled)
{
    if (id >= Cmd::ViewerCancel && id <= Cmd::ViewerHalfTone) {
        TRasterSnapshot view = snapshot.ViewerVisible ? snapshot.Viewer : TRasterSnapshot{};
        TRasterActionState state = RasterActionState(id, view);
        return {state.Enabled, state.Checked};
    }
    if (AlwaysEnabled(id)) return Enabled(true);
    for (auto rule : {FocusedPaneState(id, snapshot, wasEnabled), FileState(id, snapshot), SelectionState(id, snapshot),
                      ViewState(id, snapshot), GoState(id, snapshot)})
        if (rule) return *rule;
    return Enabled(false);
}
