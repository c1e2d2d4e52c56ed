// The folder tree keeping up with the disk: its drive watcher, device
// reports, the mend of a selection that vanished, and the address combo box
// it drives.
#include "browser/ShellTreeView.h"

#include "shell/ShellHelpers.h"

#include <dbt.h>

std::shared_ptr<TShDirWatcher> TSHTreeView::MakeDirWatcher()
{
    // Paths come with StartWatching.
    return TShDirWatcher::Create(
        {}, kNameChanges,
        [this](TShDirWatcher&, std::unique_ptr<TDeviceChangeData> change) { DeviceReport(std::move(change)); },
        [this](TShDirWatcher&) { return DrivesChanged(); });
}

void TSHTreeView::StartDriveWatcher()
{
    wchar_t drives[MAX_PATH] = {};
    DWORD length = GetLogicalDriveStringsW(MAX_PATH, drives);
    if (length > 0 && length < MAX_PATH)
        for (const wchar_t* root = drives; *root; root += wcslen(root) + 1)
            if (GetDriveTypeW(root) == DRIVE_FIXED) FixedDrives.push_back(root);
    DirWatcher = MakeDirWatcher();
    TSHCtrlList::Instance().Register(this);
    StartWatching();
}

void TSHTreeView::EndDriveWatcher()
{
    TSHCtrlList::Instance().Unregister(this);
    // The thread ends by itself; a report on its way is dropped.
    if (DirWatcher) DirWatcher->Stop();
    DirWatcher.reset();
}

void TSHTreeView::StartWatching()
{
    if (DestroyingWnd || !Tree) return;
    if (DirWatcher && !DirWatcher->Running()) {
        // The thread ended by itself: a new one takes over.
        DirWatcher->Stop();
        DirWatcher = MakeDirWatcher();
    }
    if (DirWatcher) DirWatcher->SetPaths(FixedDrives);
}

void TSHTreeView::StopWatching()
{
    if (DirWatcher) DirWatcher->SetPaths({});
}

void TSHTreeView::DeviceChanged(const TDeviceChangeData& change)
{
    if (!DirWatcher) return;
    auto copy = std::make_unique<TDeviceChangeData>();
    copy->Text = change.Text;
    copy->Event = change.Event;
    copy->Kind = change.Kind;
    if (change.IDList) copy->IDList.reset(CopyIDList(change.IDList.get()));
    DirWatcher->PostDevice(std::move(copy));
}

bool TSHTreeView::DrivesChanged()
{
    // Not under a held button: the report comes again after a quiet period.
    if (MouseState != 0) return false;
    if (!Tree || DestroyingWnd) return true;
    MendSelection();
    RebuildCombo(true);
    return true;
}

void TSHTreeView::RebuildCombo(bool refreshTree)
{
    if (!Combo) {
        if (refreshTree) RefreshAll();
        return;
    }
    Combo->BeginUpdate();
    if (refreshTree) RefreshAll();
    Combo->Rebuild();
    if (PCIDList selected = GetSelectedIDList()) Combo->SelectIDList(selected);
    Combo->EndUpdate();
}

void TSHTreeView::ShareWithCombo()
{
    if (!Combo) return;
    Combo->TakeIncludeHidden(Hidden);
    Combo->TakeShVirtuaItems(Virtual);
    RebuildCombo(false);
}

void TSHTreeView::SetShellComboBox(IShLinkedCombo* combo)
{
    if (Combo && Combo != combo) Combo->SetLinkedTree(nullptr);
    Combo = combo;
    if (!Combo) return;
    Combo->SetLinkedTree(this);
    ShareWithCombo();
}

bool TSHTreeView::Contains(HTREEITEM ancestor, HTREEITEM node) const
{
    for (; node; node = Next(node, TVGN_PARENT))
        if (node == ancestor) return true;
    return false;
}

void TSHTreeView::MendSelection()
{
    // Some platforms miss deletions deep in a drive: the selected folder may
    // be gone without the tree having heard of it.
    HTREEITEM selected = SelectedNode();
    HTREEITEM node = selected;
    for (; node; node = Next(node, TVGN_PARENT)) {
        TSHFolderItem* item = ItemOf(node);
        std::wstring path = item ? item->GetPath() : std::wstring();
        if (path.empty() || DirectoryExists(path)) break;
    }
    if (!node || node == selected) return;
    // A folder that went away cannot stay locked in the list.
    if (List && List->FolderLock()) List->SetFolderLock(false);
    SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(node));
    RefreshChildren(node);
}

void TSHTreeView::DeviceReport(std::unique_ptr<TDeviceChangeData> change)
{
    if (!change || !Tree || DestroyingWnd) return;
    if (change->Kind == TDeviceChangeData::kMedium) {
        MediumChanged(*change);
    } else if (change->Kind == TDeviceChangeData::kNetwork) {
        if (change->Event == DBT_DEVICEARRIVAL) {
            RebuildCombo(true);
        } else {
            if (Combo) Combo->Rebuild();
            SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(RootNode()));
            RefreshAll();
        }
    }
}

void TSHTreeView::MediumChanged(const TDeviceChangeData& change)
{
    if (!change.IDList) return;
    HTREEITEM node = FindNode(change.IDList.get());
    TSHFolderItem* item = ItemOf(node);
    // FindNode answers with the root when the drive is not in the tree.
    if (!item || item->GetLevel() != GetIDListLevel(change.IDList.get()) ||
        CompareIDLists(DesktopFolder(), item->GetAbsoluteList(), change.IDList.get()) != kIDListEqual)
        return;
    item->ReplaceDisplayName(change.Text);
    std::wstring text = change.Text;
    TVITEMW tv{};
    tv.mask = TVIF_HANDLE | TVIF_TEXT;
    tv.hItem = node;
    tv.pszText = text.data();
    SendMessageW(Tree, TVM_SETITEMW, 0, LPARAM(&tv));
    if (Combo) Combo->DriveRenamed(change.IDList.get(), change.Text);
    if (change.Event != DBT_DEVICEREMOVECOMPLETE) return;

    HTREEITEM parent = Next(node, TVGN_PARENT);
    // Leave the drive before its nodes go, so that the list does not pass
    // through whatever the control would select in between.
    if (Contains(node, SelectedNode()) && List && List->FolderLock()) List->SetFolderLock(false);
    if (parent) SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(parent));
    // Collapsed with its children gone, and opened afresh next time.
    SendMessageW(Tree, TVM_EXPAND, TVE_COLLAPSE | TVE_COLLAPSERESET, LPARAM(node));
    DeleteChildren(node);
    SetChildrenMark(node, 1);
}
