#pragma once
// The kinds of namespace objects and the one rule that decides which
// virtual objects a control shows among a folder's children. The list, the
// tree and the address combo box all ask here.

enum TShItemIDType {
    itDeskTop, itMyComputer, itRootDrive, itFolder, itFile, itInterNet, itBitBucket, itNetWork, itVirtual, itUnknown
};
// Bit n stands for the kind with ordinal n (itInterNet to itVirtual).
using TShVirtuaItems = unsigned;
constexpr TShVirtuaItems ShVirtuaBit(TShItemIDType kind) { return 1u << unsigned(kind); }
constexpr TShVirtuaItems kDefaultVirtuaItems =
    ShVirtuaBit(itInterNet) | ShVirtuaBit(itBitBucket) | ShVirtuaBit(itNetWork);

// Who asks: the address combo box keeps other virtual objects on the
// desktop while Internet is shown; the list and the tree never do.
enum class TVisibilityOwner { ListOrTree, AddressCombo };

// The folder whose children are enumerated: its level (0 the desktop) and,
// at level 1, its kind.
struct TEnumeratedFolder {
    int Level = 0;
    TShItemIDType Kind = itUnknown;
};

// Whether any child of the folder shows at all (a hidden network folder
// shows none).
bool ShowsAnyChild(TVisibilityOwner owner, const TEnumeratedFolder& folder, TShVirtuaItems shown);

// Whether the rule needs each child's kind here (asking costs a shell call
// per child, so it is asked only where it decides something).
bool NeedsChildKinds(TVisibilityOwner owner, const TEnumeratedFolder& folder);

// Whether a child of that kind shows.
bool ShowsChild(TVisibilityOwner owner, const TEnumeratedFolder& folder, TShItemIDType child, TShVirtuaItems shown);
