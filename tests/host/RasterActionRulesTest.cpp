#include "core/viewer/RasterActionRules.h"

#include <gtest/gtest.h>

namespace {

// 'E' enabled and checked, 'e' enabled and unchecked, '+' enabled with no
// checked state, '-' disabled (checked state left alone).
char Code(const TRasterActionState& s)
{
    if (!s.Enabled) return s.Checked ? '?' : '-';
    if (!s.Checked) return '+';
    return *s.Checked ? 'E' : 'e';
}

TEST(RasterActionRules, EnabledAndCheckedByViewState)
{
    const int numbers[] = {10010, 10020, 10030, 10040, 10050, 10060, 10070, 10080, 10090, 10100, 10110};
    struct Case { const char* what; TRasterSnapshot view; const char* codes; };
    using K = TRasterToolKind;
    const Case cases[] = {
        {"no view", {false, true, false, true, K::ObjectSelect, TPaintMode::pmColorOn}, "-----------"},
        {"empty view", {true, false, true, false, K::ObjectSelect, TPaintMode::pmColorOn}, "---------Ee"},
        {"whole picture", {true, true, true, false, K::ObjectSelect, TPaintMode::pmHalfTone}, "-E--eee-+eE"},
        {"zoomed in", {true, true, false, false, K::ZoomIn, TPaintMode::pmColorOn}, "-e+eeEee+Ee"},
        {"scroll tool", {true, true, false, false, K::Scroll, TPaintMode::pmColorOn}, "-e+eeeeE+Ee"},
        {"loading", {true, false, true, true, K::ObjectSelect, TPaintMode::pmColorOn}, "+--------Ee"},
    };
    for (const Case& c : cases) {
        std::string got;
        for (int n : numbers) got += Code(RasterActionState(n, c.view));
        EXPECT_EQ(got, c.codes) << c.what;
    }
}

TEST(RasterActionRules, ToolOfEachAction)
{
    EXPECT_EQ(RasterActionTool(10020), TRasterToolKind::ObjectSelect);
    EXPECT_EQ(RasterActionTool(10050), TRasterToolKind::ZoomRect);
    EXPECT_EQ(RasterActionTool(10080), TRasterToolKind::Scroll);
    EXPECT_EQ(RasterActionTool(10030), TRasterToolKind::None);
}

}  // namespace
