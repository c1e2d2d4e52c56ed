#include "core/report/ListPreview.h"
#include "core/shell/AttributeLetters.h"
#include "core/shell/SizeText.h"

#include <gtest/gtest.h>

namespace {

TEST(ListPreview, PagesOfFortyRows)
{
    EXPECT_EQ(ListPageTotal(0), 1);
    EXPECT_EQ(ListPageTotal(40), 1);
    EXPECT_EQ(ListPageTotal(41), 2);
    EXPECT_EQ(ListPageTotal(85), 3);
    for (int count = 1; count <= 40; ++count) {
        EXPECT_FALSE(ListCanGoBack(1));
        EXPECT_FALSE(ListCanGoForward(1, ListPageTotal(count)));
    }
    EXPECT_TRUE(ListCanGoForward(2, 3));
    EXPECT_FALSE(ListCanGoForward(3, 3));
    EXPECT_TRUE(ListCanGoBack(2));
}

TEST(ListPreview, NavigationFindsEachPagesRows)
{
    // 85 objects from page 1: last, previous, previous, next. Drawing a page
    // leaves the cursor after its rows (or at the count).
    const int count = 85;
    auto draw = [&](int cursor) { return std::min(count, cursor + kListRowsPerPage); };
    int page = 1, cursor = draw(ListFirstPageCursor());
    struct Step { const char* action; int page, firstRow; };
    const Step steps[] = {{"last", 3, 80}, {"previous", 2, 40}, {"previous", 1, 0}, {"next", 2, 40}};
    for (const Step& s : steps) {
        const std::string a = s.action;
        if (a == "last") page = ListPageTotal(count), cursor = ListLastPageCursor(count);
        if (a == "previous") --page, cursor = ListPreviousPageCursor(cursor);
        if (a == "next") ++page;  // the cursor stays where drawing left it
        EXPECT_EQ(page, s.page) << a;
        EXPECT_EQ(cursor, s.firstRow) << a;
        cursor = draw(cursor);
    }
    EXPECT_EQ(ListLastPageCursor(0), 0);
    EXPECT_EQ(ListLastPageCursor(80), 40);
    EXPECT_EQ(ListPreviousPageCursor(0), 0);
}

TEST(ListPreview, PreviewScaleFollowsThePaperAndStaysWithin25To100)
{
    // A4 on a 600-dpi printer, a scroll box 441 x 610.
    const TPaperMillimetres a4 = PaperMillimetres(4960, 7014, 600, 600);
    EXPECT_EQ(a4.Width, 210);
    EXPECT_EQ(a4.Height, 297);
    TListPreviewLayout layout = ListPreviewLayout({441, 610}, a4, {794, 1123}, 96);
    EXPECT_EQ(layout.Image, (TLRRect{0, 0, 441, 624}));  // taller than the box: it scrolls
    EXPECT_EQ(layout.Scale, 56);

    // A box wider than high: the image is as high as the box, centred.
    layout = ListPreviewLayout({600, 400}, a4, {794, 1123}, 96);
    EXPECT_EQ(layout.Image, (TLRRect{159, 0, 442, 400}));
    EXPECT_EQ(layout.Scale, 36);

    // A tiny box: the page at 25 %, larger than the box.
    layout = ListPreviewLayout({100, 60}, a4, {794, 1123}, 96);
    EXPECT_EQ(layout.Scale, 25);
    EXPECT_EQ(layout.Image, (TLRRect{0, 0, 198, 280}));
    // A huge one, or large dialog fonts: the page at 100 %, centred.
    layout = ListPreviewLayout({1000, 1400}, a4, {794, 1123}, 96);
    EXPECT_EQ(layout.Scale, 100);
    EXPECT_EQ(layout.Image, (TLRRect{103, 139, 897, 1262}));

    // A printer that tells nothing is taken for A4.
    EXPECT_EQ(PaperMillimetres(0, 7014, 600, 600).Height, 297);
    EXPECT_EQ(PaperMillimetres(4960, 7014, 0, 600).Width, 210);
}

TEST(ListPreview, SizesAndAttributeLetters)
{
    struct Case { uint64_t bytes; const wchar_t* text; };
    const Case sizes[] = {
        {0, L"0.0KB"},
        {1536, L"1.5KB"},
        {1, L"0.0KB"},
        {51, L"0.0KB"},                              // 0.0498
        {52, L"0.1KB"},                              // 0.0508
        {1075, L"1.0KB"},                            // 1.0498
        {1076, L"1.1KB"},                            // 1.0508
        {1024 * 1000, L"1,000.0KB"},
        {5ull << 30, L"5,242,880.0KB"},              // past 32 bits
        {UINT64_MAX, L"18,014,398,509,481,984.0KB"},
    };
    for (const Case& c : sizes) EXPECT_EQ(FormatKilobytesTenths(c.bytes, L',', L'.'), c.text) << c.bytes;

    EXPECT_EQ(AttributeLetters(0x20 | 0x10), L"AD");
    EXPECT_EQ(AttributeLetters(0x2 | 0x1 | 0x20), L"RHA");
    EXPECT_EQ(AttributeLetters(0x1 | 0x2 | 0x4 | 0x10 | 0x20 | 0x100 | 0x800 | 0x1000), L"RHSADTCO");
    EXPECT_EQ(AttributeLetters(0x80 | 0x2000), L"");  // normal, not indexed: no letters
}

}  // namespace
