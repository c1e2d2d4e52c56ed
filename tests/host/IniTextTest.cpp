#include "core/fileops/IniText.h"

#include <gtest/gtest.h>

TEST(IniText, SettingAValueKeepsTheRest)
{
    struct Case {
        const char* what;
        const wchar_t* before;
        const wchar_t* after;
    };
    const Case cases[] = {
        {"empty file", L"", L"[.ShellClassInfo]\r\nIconFile=x.ico\r\n"},
        {"another section", L"[Other]\nA=1\n",
         L"[Other]\r\nA=1\r\n\r\n[.ShellClassInfo]\r\nIconFile=x.ico\r\n"},
        {"key replaced, other keys kept",
         L"[.shellclassinfo]\r\nLocalizedResourceName=@x\r\niconfile = old.ico\r\n\r\n[Z]\r\nIconFile=keep\r\n",
         L"[.shellclassinfo]\r\nLocalizedResourceName=@x\r\nIconFile=x.ico\r\n\r\n[Z]\r\nIconFile=keep\r\n"},
        {"key added at the end of its section", L"; c\r\n[.ShellClassInfo]\r\nA=1\r\n\r\n[Z]\r\n",
         L"; c\r\n[.ShellClassInfo]\r\nA=1\r\nIconFile=x.ico\r\n\r\n[Z]\r\n"},
        {"a comment line is no key", L"[.ShellClassInfo]\r\n;IconFile=c\r\n",
         L"[.ShellClassInfo]\r\n;IconFile=c\r\nIconFile=x.ico\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(SetIniValue(c.before, L".ShellClassInfo", L"IconFile", L"x.ico"), c.after) << c.what;
}

TEST(IniText, ValuesReadBackAndTheFileIsUtf16WithAMark)
{
    std::wstring text = SetIniValue(L"", L".ShellClassInfo", L"IconFile", L"C:\\アイコン.ico");
    text = SetIniValue(text, L".ShellClassInfo", L"IconIndex", L"3");
    EXPECT_EQ(GetIniValue(text, L".SHELLCLASSINFO", L"iconindex"), L"3");
    EXPECT_EQ(GetIniValue(text, L".ShellClassInfo", L"Missing"), L"");
    std::vector<unsigned char> bytes = Utf16FileBytes(text);
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    EXPECT_EQ(bytes[2], '[');
    EXPECT_EQ(bytes[3], 0);
    std::wstring back;
    ASSERT_TRUE(ReadUtf16FileBytes(bytes, back));
    EXPECT_EQ(back, text);
    EXPECT_FALSE(ReadUtf16FileBytes({'[', 'a'}, back));
}
