#include "core/report/ReportRun.h"

#include "ReportTestHelpers.h"

#include <gtest/gtest.h>

namespace {

TEST(ReportRun, APageRangeRendersSkippedPagesAsideAndFeedsOnlyItsSheets)
{
    TReportRun run;
    run.FirstPage = 3;
    run.LastPage = 4;
    EXPECT_TRUE(run.BeginDoc());  // a range is in force: a scratch target is needed
    std::vector<TPageTarget> targets;
    int sheetsFed = 0;
    for (int page = 1; page <= 6; ++page) {
        targets.push_back(run.PrintPage());
        EXPECT_EQ(run.PageNumber(), page);
        if (run.NewPageFeeds()) ++sheetsFed;
    }
    using T = TPageTarget;
    EXPECT_EQ(targets, (std::vector<T>{T::Scratch, T::Scratch, T::Printer, T::Printer, T::Scratch, T::Scratch}));
    EXPECT_EQ(sheetsFed, 1);  // between pages 3 and 4; none after 4
    EXPECT_TRUE(run.EndDoc());
    EXPECT_EQ(run.Mode(), TReportMode::Idle);
    EXPECT_EQ(run.PageNumber(), 0);
    EXPECT_FALSE(run.EndDoc());

    TReportRun all;
    EXPECT_FALSE(all.BeginDoc());
    EXPECT_EQ(all.PrintPage(), TPageTarget::Printer);
    EXPECT_TRUE(all.NewPageFeeds());
}

TEST(ReportRun, StateRulesAndTheirMessages)
{
    TReportRun run;
    run.FirstPage = 5;
    run.LastPage = 2;
    EXPECT_EQ(LRFailure([&] { run.BeginDoc(); }), L"印刷ページ範囲が正しくありません．");
    EXPECT_EQ(run.LastPage, 5);
    EXPECT_EQ(run.Mode(), TReportMode::Idle);

    EXPECT_EQ(LRFailure([&] { run.PrintPage(); }), L"BeginDocが呼び出されていません．");
    run.BeginDoc();
    EXPECT_EQ(LRFailure([&] { run.BeginDoc(); }), L"プリンタは印刷中です．");
    EXPECT_EQ(LRFailure([&] { run.BeginPreview(); }), L"プリンタが印刷中のため、プレビューを開始できません．");
    EXPECT_EQ(LRFailure([&] { run.PreviewPage(); }), L"プリンタが印刷中のため、プレビューを開始できません．");
    run.PrintPage();
    run.EndPreview();  // leaves a print job alone
    EXPECT_EQ(run.Mode(), TReportMode::Printing);
    EXPECT_EQ(run.PageNumber(), 1);
    run.EndDoc();

    // Previews count rendered pages; BeginDoc ends a preview and prints.
    TReportRun preview;
    preview.PreviewPage();
    preview.PreviewPage();
    preview.PreviewPage();
    EXPECT_EQ(preview.Mode(), TReportMode::Previewing);
    EXPECT_EQ(preview.PageNumber(), 3);
    EXPECT_EQ(LRFailure([&] { preview.PrintPage(); }), L"BeginDocが呼び出されていません．");
    preview.BeginDoc();
    EXPECT_EQ(preview.Mode(), TReportMode::Printing);
    EXPECT_EQ(preview.PageNumber(), 0);
    preview.EndDoc();
    preview.BeginPreview();
    preview.PreviewPage();
    preview.EndPreview();
    EXPECT_EQ(preview.Mode(), TReportMode::Idle);
    preview.BeginPreview();
    EXPECT_EQ(preview.PageNumber(), 0);
}

TEST(ReportRun, ScalesAndPreviewSizes)
{
    EXPECT_DOUBLE_EQ(PrinterScale(600, 96), 6.25);
    EXPECT_DOUBLE_EQ(PrinterScale(0, 96), 1.0);
    EXPECT_DOUBLE_EQ(PrinterScale(600, 0), 1.0);
    EXPECT_EQ(ShiftByPhysicalOffset({71, 97, 758, 1057}, 100, 99, 6.25), (TLRRect{55, 82, 742, 1042}));

    EXPECT_EQ(LRFailure([] { CheckPreviewScale(24); }), L"印刷スケールが無効です．");
    EXPECT_EQ(LRFailure([] { CheckPreviewScale(101); }), L"印刷スケールが無効です．");
    EXPECT_NO_THROW(CheckPreviewScale(25));
    EXPECT_NO_THROW(CheckPreviewScale(100));
    EXPECT_EQ(PreviewDrawSize({794, 1123}, 50), (TLRSize{397, 561}));
    EXPECT_EQ(PreviewDrawSize({794, 1123}, 100), (TLRSize{794, 1123}));
}

}  // namespace
