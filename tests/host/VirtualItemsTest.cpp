// Which virtual objects show among a folder's children, for the list and
// tree and for the address combo box.
#include "core/shell/VirtualItems.h"

#include <gtest/gtest.h>

TEST(VirtualItems, OneTableOfEveryCase)
{
    constexpr TShVirtuaItems none = 0, all = ShVirtuaBit(itInterNet) | ShVirtuaBit(itBitBucket) |
                                             ShVirtuaBit(itNetWork) | ShVirtuaBit(itVirtual);
    constexpr TShVirtuaItems internetOnly = ShVirtuaBit(itInterNet);
    using O = TVisibilityOwner;
    const TEnumeratedFolder desktop{0, itDeskTop}, computer{1, itMyComputer}, network{1, itNetWork},
        documents{1, itFolder}, deeper{2, itFolder};
    const struct {
        int Line;
        O Owner;
        TEnumeratedFolder Folder;
        TShItemIDType Child;
        TShVirtuaItems Shown;
        bool Expected;
    } cases[] = {
        {__LINE__, O::ListOrTree, desktop, itInterNet, all, true},
        {__LINE__, O::ListOrTree, desktop, itInterNet, none, false},
        {__LINE__, O::ListOrTree, desktop, itBitBucket, ShVirtuaBit(itBitBucket), true},
        {__LINE__, O::ListOrTree, desktop, itBitBucket, internetOnly, false},
        {__LINE__, O::ListOrTree, desktop, itNetWork, none, false},
        {__LINE__, O::ListOrTree, desktop, itVirtual, all, false},  // never on the desktop
        {__LINE__, O::ListOrTree, desktop, itMyComputer, none, true},
        {__LINE__, O::ListOrTree, desktop, itFolder, none, true},
        {__LINE__, O::AddressCombo, desktop, itVirtual, internetOnly, true},  // the combo box's exception
        {__LINE__, O::AddressCombo, desktop, itVirtual, ShVirtuaBit(itVirtual), false},
        {__LINE__, O::AddressCombo, desktop, itNetWork, internetOnly, false},
        {__LINE__, O::ListOrTree, computer, itVirtual, none, false},
        {__LINE__, O::ListOrTree, computer, itVirtual, ShVirtuaBit(itVirtual), true},
        {__LINE__, O::ListOrTree, computer, itRootDrive, none, true},
        {__LINE__, O::AddressCombo, computer, itVirtual, none, false},
        {__LINE__, O::ListOrTree, network, itFolder, none, false},
        {__LINE__, O::ListOrTree, network, itFolder, ShVirtuaBit(itNetWork), true},
        {__LINE__, O::AddressCombo, network, itVirtual, ShVirtuaBit(itNetWork), true},
        {__LINE__, O::ListOrTree, documents, itVirtual, none, true},
        {__LINE__, O::ListOrTree, deeper, itVirtual, none, true},
        {__LINE__, O::ListOrTree, deeper, itInterNet, none, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        EXPECT_EQ(ShowsChild(c.Owner, c.Folder, c.Child, c.Shown), c.Expected);
    }
    // What the enumerations ask before they ask each child's kind.
    EXPECT_FALSE(ShowsAnyChild(O::ListOrTree, network, none));
    EXPECT_TRUE(ShowsAnyChild(O::ListOrTree, network, ShVirtuaBit(itNetWork)));
    EXPECT_TRUE(ShowsAnyChild(O::ListOrTree, desktop, none));
    EXPECT_TRUE(NeedsChildKinds(O::ListOrTree, desktop));
    EXPECT_TRUE(NeedsChildKinds(O::ListOrTree, computer));
    EXPECT_FALSE(NeedsChildKinds(O::ListOrTree, documents));
    EXPECT_FALSE(NeedsChildKinds(O::ListOrTree, deeper));
}
