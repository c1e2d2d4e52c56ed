#pragma once
// The one enumeration of a folder's children that the list, the tree and
// the address combo box share: the shell's enumerator, and the rule of which
// virtual objects show (core/shell/VirtualItems.h).
#include "core/shell/VirtualItems.h"
#include "gui/Handles.h"
#include "shell/IDList.h"

#include <memory>
#include <utility>

struct TEnumerationRequest {
    IShellFolder* Folder = nullptr;  // the bound folder
    HWND Owner = nullptr;            // of any UI the shell shows meanwhile
    SHCONTF Flags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS;
    TVisibilityOwner Who = TVisibilityOwner::ListOrTree;
    TEnumeratedFolder Place;
    TShVirtuaItems Shown = kDefaultVirtuaItems;
};

// The shell's enumerator of one folder.
class TChildEnumerator {
public:
    TChildEnumerator(IShellFolder* folder, HWND owner, SHCONTF flags);
    explicit operator bool() const { return Started; }
    // The next child's relative list (the caller's), or null at the end.
    PIDList Next();

private:
    ComPtr<IEnumIDList> Items;
    bool Started = false;
};

// Builds an item of each child with `make` (which takes the relative
// list), drops the virtual objects the rule hides (asking `kindOf` only
// where it decides something) and hands the rest to `take`. False when the
// folder cannot be enumerated.
template <class TMake, class TKindOf, class TTake>
bool EnumerateChildren(const TEnumerationRequest& request, TMake&& make, TKindOf&& kindOf, TTake&& take)
{
    TChildEnumerator children(request.Folder, request.Owner, request.Flags);
    if (!children) return false;
    if (!ShowsAnyChild(request.Who, request.Place, request.Shown)) return true;
    bool needKinds = NeedsChildKinds(request.Who, request.Place);
    while (PIDList child = children.Next()) {
        auto item = make(child);
        if (!item) continue;
        if (needKinds && !ShowsChild(request.Who, request.Place, kindOf(*item), request.Shown)) continue;
        take(std::move(item));
    }
    return true;
}
