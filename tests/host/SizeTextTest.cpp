#include "core/shell/SizeText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>

namespace {

constexpr int64_t KiB = 1024, MiB = 1024 * KiB, GiB = 1024 * MiB;

TEST(SizeText, KilobytesRoundUp)
{
    struct Case { uint64_t bytes; wchar_t thousands; const wchar_t* text; };
    const Case cases[] = {
        {0, L',', L"0KB"},
        {1, L',', L"1KB"},
        {1023, L',', L"1KB"},
        {1024, L',', L"1KB"},
        {1025, L',', L"2KB"},
        {999 * 1024, L',', L"999KB"},
        {999 * 1024 + 1, L',', L"1,000KB"},
        {uint64_t(MiB), L',', L"1,024KB"},
        {uint64_t(4 * GiB + 1), L',', L"4,194,305KB"},       // past 32 bits
        {uint64_t(5 * GiB), L',', L"5,242,880KB"},
        {UINT64_MAX, L',', L"18,014,398,509,481,984KB"},
        {uint64_t(5 * GiB), L'.', L"5.242.880KB"},
        {uint64_t(5 * GiB), 0, L"5242880KB"},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(FormatKilobytesText(cases[i].bytes, cases[i].thousands), cases[i].text) << "case " << i;
}

TEST(SizeText, ObjectCounts)
{
    EXPECT_EQ(FormatObjectCount(0), L"0 個のオブジェクト");
    EXPECT_EQ(FormatObjectCount(12345), L"12345 個のオブジェクト");
    EXPECT_EQ(FormatSelectedCount(1), L"1 個のオブジェクトを選択");
    EXPECT_EQ(FormatSelectedCount(100000), L"100000 個のオブジェクトを選択");
}

// The foot of an exported listing: the total in 64 bits, one decimal of
// kilobytes below 1 MiB, two of megabytes from there on.
TEST(SizeText, ListingTotals)
{
    struct Case { uint64_t bytes; const wchar_t* text; };
    const Case cases[] = {
        {0, L"0.0KB"},
        {1536 + 512, L"2.0KB"},
        {1536, L"1.5KB"},
        {MiB - 1, L"1,024.0KB"},          // still below 1 MiB: kilobytes
        {MiB, L"1.00MB"},
        {MiB + 5242, L"1.00MB"},          // 1.00499...
        {MiB + 5243, L"1.01MB"},          // 1.00500...
        {uint64_t(4 * GiB), L"4,096.00MB"},  // past 32 bits, no wrap
        {uint64_t(4 * GiB + 512 * KiB), L"4,096.50MB"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatListingTotal(c.bytes, L',', L'.'), c.text) << c.bytes;
    EXPECT_EQ(FormatListingTotal(uint64_t(5 * GiB), L'.', L','), L"5.120,00MB");

    EXPECT_EQ(FormatObjectTotal(2, L','), L"2個のオブジェクト");
    EXPECT_EQ(FormatObjectTotal(100000, L','), L"100,000個のオブジェクト");
    EXPECT_EQ(FormatObjectTotal(1234, 0), L"1234個のオブジェクト");
}

TEST(SizeText, SelectionSize)
{
    struct Case { int64_t bytes; const wchar_t* text; };
    const Case cases[] = {
        {-5, L"-5バイト"},
        {0, L"0バイト"},
        {1023, L"1023バイト"},
        {1024, L"1.00KB"},
        {1536, L"1.50KB"},
        {1152, L"1.13KB"},                 // 1.125: half away from zero
        {1029, L"1.00KB"},                 // 1.0048...
        {1030, L"1.01KB"},                 // 1.0058...
        {1000 * KiB, L"1,000.00KB"},
        {MiB - 1, L"1,024.00KB"},          // rounds up but stays in KB
        {MiB, L"1.00MB"},
        {MiB + MiB / 2, L"1.50MB"},
        {GiB - 1, L"1,024.00MB"},
        {GiB, L"1.00GB"},
        {5 * GiB, L"5.00GB"},
        {5 * GiB + GiB / 4, L"5.25GB"},
        {1024 * GiB, L"1,024.00GB"},
        {INT64_MAX, L"8,589,934,592.00GB"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatSelectionSize(c.bytes, L',', L'.'), c.text) << c.bytes;
    // The locale's separators.
    EXPECT_EQ(FormatSelectionSize(1536, L'.', L','), L"1,50KB");
    EXPECT_EQ(FormatSelectionSize(MiB - 1, L'.', L','), L"1.024,00KB");
    EXPECT_EQ(FormatSelectionSize(MiB - 1, 0, L'.'), L"1024.00KB");
}

TEST(SizeText, FolderSummary)
{
    struct Case { int64_t total, free; const wchar_t* text; };
    const Case cases[] = {
        {2048, 5 * GiB, L"2KB (空きディスク領域 : 5.00GB)"},
        {0, 0, L"0バイト (空きディスク領域 : 0.00KB)"},
        {-1, 0, L"-1バイト (空きディスク領域 : 0.00KB)"},
        {1023, 1023, L"1023バイト (空きディスク領域 : 1.00KB)"},
        {1024, 512, L"1KB (空きディスク領域 : 0.50KB)"},
        {1535, 1536, L"1KB (空きディスク領域 : 1.50KB)"},
        {1536, MiB - 1, L"2KB (空きディスク領域 : 1024.00KB)"}, // the free part has no grouping
        {MiB - 1, MiB, L"1,024KB (空きディスク領域 : 1.00MB)"},
        {MiB, GiB - 1, L"1.00MB (空きディスク領域 : 1024.00MB)"},
        {1000 * MiB, 1000 * GiB, L"1,000.00MB (空きディスク領域 : 1000.00GB)"},
        {5 * GiB, GiB + GiB / 8, L"5.00GB (空きディスク領域 : 1.13GB)"}, // 1.125 rounds up
        {1536 * GiB, 4096 * GiB, L"1,536.00GB (空きディスク領域 : 4096.00GB)"},
        {2048, -2048, L"2KB (空きディスク領域 : -2.00KB)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFolderSummary(c.total, c.free, L',', L'.'), c.text) << c.total << " " << c.free;
    EXPECT_EQ(FormatFolderSummary(1000 * MiB, 5 * GiB / 2, L'.', L','),
              L"1.000,00MB (空きディスク領域 : 2,50GB)");
}

} // namespace
