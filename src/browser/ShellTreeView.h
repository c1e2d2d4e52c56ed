#pragma once
// The folder tree: the shell namespace from the desktop down, filled on
// demand, with a back and forward history, driving a linked list view. The
// tree control sits in a container window of its own, which receives the
// control's notifications.
#include "browser/ShellLinks.h"
#include "core/shell/BrowseHistory.h"
#include "gui/Window.h"
#include "shell/ChangeWatchers.h"
#include "shell/DataItem.h"
#include "shell/DeviceBroadcasts.h"
#include "shell/ShIDList.h"

#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TSHPopupMenu;
class TTreeDropSite;

class TSHTreeView : public TWindow, public IShLinkedTree, public IShDeviceListener {
public:
    explicit TSHTreeView(HWND parent);
    ~TSHTreeView() override;

    HWND TreeHandle() const { return Tree; }  // the SysTreeView32 inside

    // Properties.
    bool IncludeHidden() const { return Hidden; }
    void SetIncludeHidden(bool include);
    unsigned ShVirtuaItems() const { return Virtual; }
    void SetShVirtuaItems(unsigned items);
    bool ZipFolder = false;
    std::wstring FileMask;
    void SetHotTrack(bool hotTrack);
    void SetColors(COLORREF background, COLORREF text);
    void SetTreeFont(HFONT font);
    IShLinkedList* ShellListView() const { return List; }
    void SetShellListView(IShLinkedList* list);  // links both ways; null unlinks
    IShLinkedCombo* ShellComboBox() const { return Combo; }
    void SetShellComboBox(IShLinkedCombo* combo);  // links both ways; null unlinks
    void ComboDestroyed(IShLinkedCombo* combo) override
    {
        if (Combo == combo) Combo = nullptr;
    }

    std::function<void(TSHTreeView&, HTREEITEM node)> OnSelectNode;
    TSHPopupMenu* ShellPopupMenu = nullptr;  // not owned

    // The shell context menu of a node below the root, at a screen point
    // (ShellTreeViewMenu.cpp).
    void PopupShellMenu(HTREEITEM node, POINT screen);
    // Runs a verb of the shell menu on the selected node and follows it up
    // as when it was chosen in the menu.
    bool RunShellVerb(const std::wstring& verb);

    // Operations.
    PCIDList GetSelectedIDList() const override;
    std::wstring GetSelectedPath() const;
    TSHFolderItem* SelectedItem() const;
    TSHFolderItem* ItemOf(HTREEITEM node) const;
    TTreeDropSite* DropSiteOfTree() const { return DropSite.get(); }
    HTREEITEM RootNode() const;
    void SelectIDList(PCIDList absolute) override;
    void SelectPath(const std::wstring& path);
    HTREEITEM FindNode(PCIDList absolute);
    void RefreshAll() override;
    void TakeIncludeHidden(bool include) override;
    void TakeShVirtuaItems(unsigned items) override;
    void RefreshChildren(HTREEITEM node);
    // A step through the history to entry `index` (-1: the newest); false
    // when there is no such entry.
    bool GoBack(int index);
    bool GoForward(int index);
    const std::vector<HTREEITEM>& BackList() const { return History.BackList(); }
    const std::vector<HTREEITEM>& ForwardList() const { return History.ForwardList(); }
    bool ExecuteCommand(TShellCommand command);
    // Moving through the nodes from the selected one
    // (ShellTreeViewNavigation.cpp).
    bool SelectedHasParent() const;
    // Collapses the selected node when it is expanded, else selects its parent.
    void Up();
    // The selected node and everything below it, with one repaint.
    void ExpandBelowSelected(bool expand);
    // The node before or after the selected one, depth first over the nodes
    // that exist, visible or not; going there expands it by one level.
    bool HasNeighbour(bool next) const;
    void GoToNeighbour(bool next);
    // What the arrow keys do from the selected node: left collapses it or
    // goes to its parent, right expands it or goes to its first child, up
    // and down go to the previous and next visible node.
    enum class TArrowStep { Left, Right, Up, Down };
    void ArrowStep(TArrowStep step);
    void EditSelectedLabel();
    void RefreshSelectedChildren();
    bool NewFolder();
    bool IsEditing() const;
    // The drive watcher watches no drive / the fixed drives.
    void StopWatching();
    void StartWatching();
    const std::vector<std::wstring>& FixedDriveRoots() const { return FixedDrives; }
    void MendSelection() override;
    // A medium or network drive came or went (from the broadcast window).
    void DeviceChanged(const TDeviceChangeData& change) override;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnNotify(NMHDR* hdr);
    void DragNode(HTREEITEM node);
    bool ShowsSelectedImage(HTREEITEM node) const;
    static LRESULT CALLBACK TreeProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);
    bool LeftButtonDown(LPARAM lParam);
    bool LeftButtonUp();
    void MouseMove(LPARAM lParam);
    void CancelPress();
    bool ContextMenu(LPARAM lParam);
    void AfterShellVerb(HTREEITEM node, bool wasSelected, const std::wstring& verb, bool ran);

    HTREEITEM NeighbourNode(bool next) const;
    void ExpandBranch(HTREEITEM node, bool expand);
    // Building the nodes (ShellTreeViewNodes.cpp).
    void BuildRoot();
    HTREEITEM SelectedNode() const;
    HTREEITEM Next(HTREEITEM node, UINT relation) const;
    HTREEITEM InsertNode(HTREEITEM parent, HTREEITEM after, TSHFolderItem* item);
    void Attach(HTREEITEM node, TSHFolderItem* item);
    void SetChildrenMark(HTREEITEM node, int children);
    void DeleteChildren(HTREEITEM node);
    void ExpandNode(HTREEITEM node);
    bool ItemExpanding(const NMTREEVIEWW& info);
    bool SelectionChanging(HTREEITEM target);
    void SelectionChanged(HTREEITEM node);
    void NodeDeleted(HTREEITEM node, TSHFolderItem* item);
    std::optional<HTREEITEM> CurrentNode() const;
    bool HistoryStep(std::optional<HTREEITEM> target);
    bool BeginLabelEdit(HTREEITEM node);
    void EndLabelEdit(HTREEITEM node, const wchar_t* text);
    void ResetImages();
    // Watching (ShellTreeViewWatching.cpp).
    std::shared_ptr<TShDirWatcher> MakeDirWatcher();
    void StartDriveWatcher();
    void EndDriveWatcher();
    bool DrivesChanged();
    void DeviceReport(std::unique_ptr<TDeviceChangeData> change);
    void MediumChanged(const TDeviceChangeData& change);
    void RenameDriveNode(HTREEITEM node, const std::wstring& text);
    bool Contains(HTREEITEM ancestor, HTREEITEM node) const;
    void RebuildCombo(bool refreshTree);
    void ShareWithCombo();

    HWND Tree = nullptr;
    IShLinkedList* List = nullptr;
    IShLinkedCombo* Combo = nullptr;
    std::vector<std::wstring> FixedDrives;
    std::shared_ptr<TShDirWatcher> DirWatcher;
    bool Hidden = true;
    unsigned Virtual = kDefaultVirtuaItems;
    bool DestroyingWnd = false;
    int MouseState = 0;
    POINT PressPoint{};
    HTREEITEM HistoryTarget = nullptr;
    TBrowseHistory<HTREEITEM> History;
    HTREEITEM FreshNode = nullptr;         // refreshed just before a programmatic expansion
    HTREEITEM WatchNode = nullptr;         // cleared when that node is deleted
    HTREEITEM EditNode = nullptr;          // edited when the slow-click timer fires
    HTREEITEM DeletedSelection = nullptr;  // the selected node while it is deleted
    HTREEITEM LabelNode = nullptr;         // the node whose label is being edited
    HTREEITEM PressNode = nullptr;         // the node the left button went down on
    bool EditOnRelease = false;
    std::unique_ptr<TTreeDropSite> DropSite;  // drops onto the tree
};
