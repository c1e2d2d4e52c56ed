#include "core/shell/VirtualItems.h"

#include <iterator>

namespace {

constexpr int kAnyLevel = -1;
constexpr TShItemIDType kAnyKind = itUnknown;
constexpr TShItemIDType kNever = itUnknown;  // as the kind that must be shown

// A child matching Level, FolderKind and ChildKind shows only while Needed
// is in the shown set (never, for kNever). The first rule that matches
// decides; children no rule matches always show.
struct TVisibilityRule {
    TVisibilityOwner Owner;
    int Level;
    TShItemIDType FolderKind;
    TShItemIDType ChildKind;
    TShItemIDType Needed;
};

using O = TVisibilityOwner;
constexpr TVisibilityRule kRules[] = {
    // On the desktop: the three optional kinds by their own bits.
    {O::ListOrTree, 0, kAnyKind, itInterNet, itInterNet},
    {O::ListOrTree, 0, kAnyKind, itBitBucket, itBitBucket},
    {O::ListOrTree, 0, kAnyKind, itNetWork, itNetWork},
    {O::ListOrTree, 0, kAnyKind, itVirtual, kNever},
    {O::AddressCombo, 0, kAnyKind, itInterNet, itInterNet},
    {O::AddressCombo, 0, kAnyKind, itBitBucket, itBitBucket},
    {O::AddressCombo, 0, kAnyKind, itNetWork, itNetWork},
    {O::AddressCombo, 0, kAnyKind, itVirtual, itInterNet},
    // In My Computer: the Control Panel and the like by the virtual bit.
    {O::ListOrTree, 1, itMyComputer, itVirtual, itVirtual},
    {O::AddressCombo, 1, itMyComputer, itVirtual, itVirtual},
    // In the network folder: nothing unless the network is shown.
    {O::ListOrTree, 1, itNetWork, kAnyKind, itNetWork},
    {O::AddressCombo, 1, itNetWork, kAnyKind, itNetWork},
};

bool Matches(const TVisibilityRule& rule, TVisibilityOwner owner, const TEnumeratedFolder& folder)
{
    return rule.Owner == owner && (rule.Level == kAnyLevel || rule.Level == folder.Level) &&
           (rule.FolderKind == kAnyKind || rule.FolderKind == folder.Kind);
}

bool Allowed(const TVisibilityRule& rule, TShVirtuaItems shown)
{
    return rule.Needed != kNever && (shown & ShVirtuaBit(rule.Needed));
}

}  // namespace

bool ShowsAnyChild(TVisibilityOwner owner, const TEnumeratedFolder& folder, TShVirtuaItems shown)
{
    for (const TVisibilityRule& rule : kRules)
        if (Matches(rule, owner, folder) && rule.ChildKind == kAnyKind) return Allowed(rule, shown);
    return true;
}

bool NeedsChildKinds(TVisibilityOwner owner, const TEnumeratedFolder& folder)
{
    for (const TVisibilityRule& rule : kRules)
        if (Matches(rule, owner, folder) && rule.ChildKind != kAnyKind) return true;
    return false;
}

bool ShowsChild(TVisibilityOwner owner, const TEnumeratedFolder& folder, TShItemIDType child, TShVirtuaItems shown)
{
    for (const TVisibilityRule& rule : kRules)
        if (Matches(rule, owner, folder) && (rule.ChildKind == kAnyKind || rule.ChildKind == child))
            return Allowed(rule, shown);
    return true;
}
