#pragma once
// What the folder tree and the list view it drives ask of each other. Each
// side knows the other only through these, so either can be built and
// tested alone.
#include "shell/IDList.h"

class IShLinkedTree;

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
    virtual void TakeIncludeHidden(bool include) = 0;
    virtual void TakeShVirtuaItems(unsigned items) = 0;
};
