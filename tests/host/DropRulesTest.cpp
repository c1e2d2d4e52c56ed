#include "core/fileops/DropRules.h"

#include <gtest/gtest.h>

TEST(DropRules, EffectByKeysVolumeAndWhatTheSourceAllows)
{
    const uint32_t all = DropCopy | DropMove | DropLink;
    struct Case {
        DropKeys keys;
        bool sameVolume;
        uint32_t allowed;
        uint32_t expected;
    } cases[] = {
        {{}, true, all, DropMove},
        {{}, false, all, DropCopy},
        {{true, false, false}, true, all, DropCopy},
        {{false, true, false}, false, all, DropMove},
        {{true, true, false}, true, all, DropLink},
        {{false, false, true}, false, all, DropLink},
        // The no-key effect falls back to what is allowed.
        {{}, true, DropCopy | DropLink, DropCopy},
        {{}, false, DropMove, DropMove},
        {{}, true, DropLink, DropLink},
        {{}, true, DropNone, DropNone},
        // A key asks for one effect: not allowed, nothing.
        {{true, false, false}, true, DropMove, DropNone},
        {{false, true, false}, true, DropCopy, DropNone},
        {{false, false, true}, true, DropCopy | DropMove, DropNone},
    };
    int index = 0;
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseDropEffect(c.keys, c.sameVolume, c.allowed), c.expected) << "case " << index;
        ++index;
    }
}

TEST(DropRules, FolderIntoItselfOrItsSubfolderIsRefused)
{
    struct Case {
        const wchar_t* source;
        const wchar_t* target;
        bool refused;
    } cases[] = {
        {L"C:\\a", L"C:\\a", true},
        {L"C:\\a", L"C:\\a\\", true},
        {L"C:\\a", L"c:\\A\\b\\c", true},
        {L"C:\\a\\", L"C:\\a\\b", true},
        {L"C:\\", L"C:\\a", true},
        {L"C:\\a", L"C:\\ab", false},
        {L"C:\\a\\b", L"C:\\a", false},
        {L"C:\\a", L"D:\\a", false},
        {L"\\\\srv\\share\\x", L"\\\\srv\\share\\x\\y", true},
        {L"", L"C:\\a", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsSelfOrBelow(c.source, c.target), c.refused) << c.source << " -> " << c.target;
    EXPECT_TRUE(SameFolderPath(L"C:\\Data\\", L"c:\\data"));
    EXPECT_FALSE(SameFolderPath(L"C:\\data", L"C:\\data2"));
}
