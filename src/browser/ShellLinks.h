#pragma once
// What the folder tree and the list view it drives ask of each other. Each
// side knows the other only through these, so either can be built and
// tested alone.
#include "shell/IDList.h"

#include <string>

class IShLinkedTree;
class IShLinkedCombo;

// The list view, as its tree sees it.
class IShLinkedList {
public:
    virtual ~IShLinkedList() = default;
    virtual bool FolderLock() const = 0;
    virtual void SetFolderLock(bool lock) = 0;
    virtual void SetFolder(PCIDList absolute) = 0;
    virtual PCIDList GetFolderIDList() const = 0;
    // Take the tree's settings without handing them back.
    virtual void TakeIncludeHidden(bool include) = 0;
    virtual void TakeShVirtuaItems(unsigned items) = 0;
    virtual void StopWatching() = 0;
    virtual void StartWatching() = 0;
    // The tree links itself (null unlinks).
    virtual void SetLinkedTree(IShLinkedTree* tree) = 0;
};

// The tree, as its list view sees it.
class IShLinkedTree {
public:
    virtual ~IShLinkedTree() = default;
    virtual void SelectIDList(PCIDList absolute) = 0;
    virtual PCIDList GetSelectedIDList() const = 0;
    virtual void RefreshAll() = 0;
    // When the selected folder no longer exists, selects its nearest
    // existing parent.
    virtual void MendSelection() = 0;
    virtual void TakeIncludeHidden(bool include) = 0;
    virtual void TakeShVirtuaItems(unsigned items) = 0;
    // A linked combo box is going away.
    virtual void ComboDestroyed(IShLinkedCombo* combo) = 0;
};

// The address combo box, as its tree sees it.
class IShLinkedCombo {
public:
    virtual ~IShLinkedCombo() = default;
    virtual void Rebuild() = 0;
    virtual void SelectIDList(PCIDList absolute) = 0;
    // Redrawing is held between these.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    virtual void TakeIncludeHidden(bool include) = 0;
    virtual void TakeShVirtuaItems(unsigned items) = 0;
    // A drive's medium came or went: its row shows the new text.
    virtual void DriveRenamed(PCIDList absolute, const std::wstring& text) = 0;
    // The tree links itself (null unlinks).
    virtual void SetLinkedTree(IShLinkedTree* tree) = 0;
};
