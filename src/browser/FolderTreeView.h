#pragma once
// A tree of one folder of the file system and what lies below it: its
// sub-folders, and the files that match a mask, with the shell's names,
// icons and order. Nodes are filled when they are first expanded. The
// favorites tree (a folder of shortcuts) and the organise dialog show one.
// The tree control sits in a container window that receives its
// notifications.
#include "gui/Window.h"
#include "shell/IDList.h"

#include <commctrl.h>

#include <functional>
#include <string>

class TFolderTreeView : public TWindow {
public:
    explicit TFolderTreeView(HWND parent, int id = 0);
    ~TFolderTreeView() override;

    HWND TreeHandle() const { return Tree; }

    // The folder shown as the top node, a full path. Setting the same text
    // (in any case) does nothing; otherwise the tree is built from the new
    // root. False, with the tree and Root as they were, when the shell
    // cannot show the path.
    const std::wstring& Root() const { return RootPath; }
    bool SetRoot(const std::wstring& root);
    // Files are shown only when they match (PathMatchSpec); empty: all.
    // A change rebuilds the selected node.
    const std::wstring& FileMask() const { return Mask; }
    void SetFileMask(const std::wstring& mask);
    // The top node's caption; empty: the folder's own name.
    void SetRootText(const std::wstring& text);
    // Captions may be edited in place (OnRenameNode decides).
    void SetReadOnly(bool readOnly);
    void SetLook(HFONT font, COLORREF background, COLORREF text, bool hotTrack);

    // Builds the tree again from the folder, keeping the expanded nodes, the
    // selected node and the first visible one where they still exist.
    void RebuildFavorites();

    HTREEITEM RootNode() const;
    HTREEITEM SelectedNode() const;
    // The file-system path of the selected node (empty: none selected).
    std::wstring SelectedPath() const;
    std::wstring PathOf(HTREEITEM node) const;
    std::wstring TextOf(HTREEITEM node) const;
    bool IsFolderNode(HTREEITEM node) const;
    HTREEITEM Next(HTREEITEM node, UINT relation) const;
    // Expands the nodes down to `path` and selects its node, without raising
    // OnSelectNode. False when the tree has no node of that path.
    bool SelectPath(const std::wstring& path);
    // Expands a node as a click on its button does.
    void Expand(HTREEITEM node);

    // After the user selected a node (a click, the keyboard, a right click),
    // and after a click on the node already selected. A selection the tree
    // makes itself (a new root, a rebuild) is not told: it must not move the
    // views that follow the tree.
    std::function<void(TFolderTreeView&, HTREEITEM node)> OnSelectNode;
    // A caption was edited to `text`; return true when the entry was renamed
    // (the caller rebuilds the tree).
    std::function<bool(TFolderTreeView&, HTREEITEM node, const std::wstring& text)> OnRenameNode;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    struct TShellFolder;
    LRESULT OnNotify(NMHDR* hdr);
    TShellFolder* FolderOf(HTREEITEM node) const;
    bool BuildRoot(const std::wstring& root);
    HTREEITEM InsertNode(HTREEITEM parent, TShellFolder* folder, const std::wstring& text);
    void FillNode(HTREEITEM node);
    void SetChildren(HTREEITEM node, bool children);
    HTREEITEM ChildOfPath(HTREEITEM node, const std::wstring& path);
    void SelectQuietly(HTREEITEM node);
    void RightClick();

    HWND Tree = nullptr;
    std::wstring RootPath;
    std::wstring Mask;
    std::wstring RootText;
    int Quiet = 0;          // selections made by the tree itself
    bool RightSelect = false;
};
