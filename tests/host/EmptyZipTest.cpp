#include "core/fileops/EmptyZip.h"

#include <gtest/gtest.h>

#include <set>

TEST(EmptyZip, IsTheEndRecordAloneWithZeroCounts)
{
    const auto& bytes = EmptyZipBytes();
    ASSERT_EQ(bytes.size(), 22u);
    EXPECT_EQ(bytes[0], 0x50);
    EXPECT_EQ(bytes[1], 0x4B);
    EXPECT_EQ(bytes[2], 0x05);
    EXPECT_EQ(bytes[3], 0x06);
    for (size_t i = 4; i < bytes.size(); ++i) EXPECT_EQ(bytes[i], 0) << i;
}

TEST(EmptyZip, NameCountsFromOneInParenthesesWithoutSpace)
{
    std::set<std::wstring> existing;
    auto taken = [&existing](const std::wstring& name) { return existing.count(name) > 0; };
    EXPECT_EQ(FreeZipFileName(taken), L"圧縮 (zip 形式) フォルダ新規.zip");
    existing = {L"圧縮 (zip 形式) フォルダ新規.zip", L"圧縮 (zip 形式) フォルダ新規(1).zip"};
    EXPECT_EQ(FreeZipFileName(taken), L"圧縮 (zip 形式) フォルダ新規(2).zip");
    EXPECT_EQ(FreeZipFileName([](const std::wstring&) { return true; }), L"");
}
