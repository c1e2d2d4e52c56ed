// Which typed addresses may reach the shell's parser.
#include "core/shell/AddressText.h"

#include <gtest/gtest.h>

TEST(AddressText, OnlyFullWindowsPathsPass)
{
    const struct {
        const wchar_t* Text;
        bool Full;
    } cases[] = {
        {L"C:\\", true},        {L"c:\\Windows", true},   {L"Z:/tmp", true},   {L"\\\\server\\share", true},
        {L"\\\\server\\share\\x", true},
        {L"", false},           {L"C:", false},           {L"C:foo", false},   {L"sub", false},
        {L"..\\x", false},      {L"\\x", false},          {L"/tmp/x", false},  {L"\\\\server", false},
        {L"\\\\server\\", false}, {L"\\\\\\x", false},    {L"1:\\x", false},   {L"::{20D04FE0}", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsFullWindowsPath(c.Text), c.Full) << testing::PrintToString(std::wstring(c.Text));
}
