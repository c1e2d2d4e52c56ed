#include "core/shell/FilterMatch.h"
#include "core/shell/WildcardMatch.h"

#include <gtest/gtest.h>

#include <climits>
#include <iterator>
#include <string>

namespace {

constexpr uint32_t kReadOnly = 0x1, kHidden = 0x2, kSystem = 0x4, kDirectory = 0x10, kArchive = 0x20;
constexpr uint32_t kNormal = 0x80, kTemporary = 0x100, kCompressed = 0x800, kOffline = 0x1000,
                   kNotIndexed = 0x2000;
constexpr uint64_t kGiB = 1024ull * 1024 * 1024;

TFilterSubject File(std::wstring name, uint64_t size = 0, uint32_t attributes = kArchive, double lastWrite = 45000.5)
{
    return {std::move(name), true, attributes, size, lastWrite};
}
TFilterSubject Folder(std::wstring name) { return {std::move(name), true, kDirectory, 0, 45000.5}; }
// A virtual object: no path, no find data.
TFilterSubject Virtual() { return {L"", false, 0, 0, 0}; }

TSHFileFilter Filter(uint32_t conditions, int32_t mode)
{
    TSHFileFilter filter;
    filter.Conditions = conditions;
    filter.FilterMode = mode;
    return filter;
}

TSHFileFilter SizeFilter(int32_t compare1, int32_t size1, int32_t compare2, int32_t size2, int32_t mode)
{
    TSHFileFilter filter = Filter(fcSize, mode);
    filter.SizeCompare1 = compare1;
    filter.Size1 = size1;
    filter.SizeCompare2 = compare2;
    filter.Size2 = size2;
    return filter;
}

TSHFileFilter DateFilter(int32_t compare1, double date1, int32_t compare2, double date2, int32_t mode)
{
    TSHFileFilter filter = Filter(fcDate, mode);
    filter.DateCompare1 = compare1;
    filter.Date1 = date1;
    filter.DateCompare2 = compare2;
    filter.Date2 = date2;
    return filter;
}

TSHFileFilter AttrFilter(uint32_t flags, int32_t mode)
{
    TSHFileFilter filter = Filter(fcAttributes, mode);
    filter.AttrFlags = flags;
    return filter;
}

TSHFileFilter KindFilter(uint32_t flags, int32_t mode)
{
    TSHFileFilter filter = Filter(fcKind, mode);
    filter.KindFlags = flags;
    return filter;
}

using Masks = std::vector<std::wstring>;
const Masks kTextAndLog = {L"*.txt", L"*.log"};

struct Case {
    const char* what;
    TSHFileFilter filter;
    Masks masks;
    TFilterSubject item;
    bool shown;
};

template <size_t N>
void Check(const Case (&cases)[N])
{
    for (const Case& c : cases) EXPECT_EQ(FilterMatches(c.filter, c.masks, c.item), c.shown) << c.what;
}

TEST(FilterMatches, NewFilterShowsEverything)
{
    const TSHFileFilter fresh;
    TSHFileFilter excluding;
    excluding.FilterMode = 1;
    // Fields of disabled conditions are ignored.
    TSHFileFilter unused = SizeFilter(0, 12345, 0, 0, 0);
    unused.Conditions = 0;
    unused.AttrFlags = 0x7F;
    const TSHFileFilter* filters[] = {&fresh, &excluding, &unused};
    for (const TSHFileFilter* filter : filters) {
        for (const TFilterSubject& item : {File(L"a.txt", 10), Folder(L"sub"), Virtual(), File(L"big", 5 * kGiB)}) {
            EXPECT_TRUE(FilterMatches(*filter, {L"*.none"}, item));
        }
    }
}

TEST(FilterMatches, NameMasks)
{
    const Case cases[] = {
        {"mode 0 shows .txt", Filter(fcName, 0), kTextAndLog, File(L"a.txt"), true},
        {"mode 0 shows .LOG in capitals", Filter(fcName, 0), kTextAndLog, File(L"B.LOG"), true},
        {"mode 0 hides .txt.bak", Filter(fcName, 0), kTextAndLog, File(L"a.txt.bak"), false},
        {"mode 0 hides a name without dot", Filter(fcName, 0), kTextAndLog, File(L"readme"), false},
        {"mode 0 masks apply to folders", Filter(fcName, 0), kTextAndLog, Folder(L"logs.log"), true},
        {"mode 0 hides an object without path", Filter(fcName, 0), kTextAndLog, Virtual(), false},
        {"mode 1 hides .txt", Filter(fcName, 1), kTextAndLog, File(L"a.txt"), false},
        {"mode 1 hides .log", Filter(fcName, 1), kTextAndLog, File(L"B.LOG"), false},
        {"mode 1 shows .txt.bak", Filter(fcName, 1), kTextAndLog, File(L"a.txt.bak"), true},
        {"mode 1 shows a name without dot", Filter(fcName, 1), kTextAndLog, File(L"readme"), true},
        {"mode 1 shows an object without path", Filter(fcName, 1), kTextAndLog, Virtual(), true},
        {"no masks: mode 0 shows nothing", Filter(fcName, 0), {}, File(L"a.txt"), false},
        {"no masks: mode 1 shows all", Filter(fcName, 1), {}, File(L"a.txt"), true},
        {"a name without path is empty", Filter(fcName, 0), {L"x*"}, {L"xyz", false, 0, 0, 0}, false},
        {"'*' matches the empty name", Filter(fcName, 0), {L"*"}, Virtual(), true},
        {"a mask may list patterns", Filter(fcName, 0), {L"*.jpg; *.png"}, File(L"写真.PNG"), true},
        {"Japanese mask", Filter(fcName, 0), {L"写真*"}, File(L"写真0001.jpg"), true},
    };
    Check(cases);
}

TEST(FilterMatches, SizeBounds)
{
    const Case cases[] = {
        // At least 1024 and less than 4096 bytes.
        {">=1024 <4096: 1023", SizeFilter(3, 1024, 2, 4096, 0), {}, File(L"f", 1023), false},
        {">=1024 <4096: 1024", SizeFilter(3, 1024, 2, 4096, 0), {}, File(L"f", 1024), true},
        {">=1024 <4096: 4095", SizeFilter(3, 1024, 2, 4096, 0), {}, File(L"f", 4095), true},
        {">=1024 <4096: 4096", SizeFilter(3, 1024, 2, 4096, 0), {}, File(L"f", 4096), false},
        {">=1024 <4096: folder", SizeFilter(3, 1024, 2, 4096, 0), {}, Folder(L"d"), false},
        {"mode 1 >=1024 <4096: 1023", SizeFilter(3, 1024, 2, 4096, 1), {}, File(L"f", 1023), true},
        {"mode 1 >=1024 <4096: 1024", SizeFilter(3, 1024, 2, 4096, 1), {}, File(L"f", 1024), false},
        {"mode 1 >=1024 <4096: 4095", SizeFilter(3, 1024, 2, 4096, 1), {}, File(L"f", 4095), false},
        {"mode 1 >=1024 <4096: 4096", SizeFilter(3, 1024, 2, 4096, 1), {}, File(L"f", 4096), true},
        {"mode 1 >=1024 <4096: folder", SizeFilter(3, 1024, 2, 4096, 1), {}, Folder(L"d"), true},
        {"mode 1 >=1024 <4096: virtual", SizeFilter(3, 1024, 2, 4096, 1), {}, Virtual(), true},
        // Each comparison at its edge.
        {"= 100: 100", SizeFilter(0, 100, 0, 0, 0), {}, File(L"f", 100), true},
        {"= 100: 101", SizeFilter(0, 100, 0, 0, 0), {}, File(L"f", 101), false},
        {"<= 100: 100", SizeFilter(1, 100, 0, 0, 0), {}, File(L"f", 100), true},
        {"<= 100: 101", SizeFilter(1, 100, 0, 0, 0), {}, File(L"f", 101), false},
        {"< 100: 99", SizeFilter(2, 100, 0, 0, 0), {}, File(L"f", 99), true},
        {"< 100: 100", SizeFilter(2, 100, 0, 0, 0), {}, File(L"f", 100), false},
        {">= 100 unbounded: huge", SizeFilter(3, 100, 0, 0, 0), {}, File(L"f", 1ull << 40), true},
        {"> 100: 100", SizeFilter(4, 100, 0, 0, 0), {}, File(L"f", 100), false},
        {"> 100 <= 200: 200", SizeFilter(4, 100, 1, 200, 0), {}, File(L"f", 200), true},
        {"> 100 <= 200: 201", SizeFilter(4, 100, 1, 200, 0), {}, File(L"f", 201), false},
        {"> 100, unknown upper code: 1e9", SizeFilter(4, 100, 3, 200, 0), {}, File(L"f", 1000000000), true},
        {"unknown code is met", SizeFilter(5, 100, 0, 0, 0), {}, File(L"f", 7), true},
        {"unknown code, mode 1", SizeFilter(-1, 100, 0, 0, 1), {}, File(L"f", 7), false},
        {"upper bound ignored with =", SizeFilter(0, 100, 2, 50, 0), {}, File(L"f", 100), true},
        // A 5 GiB file against 32-bit bounds: its low 32 bits would read 1 GiB.
        {"5 GiB > INT32_MAX", SizeFilter(4, INT32_MAX, 0, 0, 0), {}, File(L"big", 5 * kGiB), true},
        {"5 GiB < INT32_MAX", SizeFilter(2, INT32_MAX, 0, 0, 0), {}, File(L"big", 5 * kGiB), false},
        {"5 GiB = 1 GiB", SizeFilter(0, 1 << 30, 0, 0, 0), {}, File(L"big", 5 * kGiB), false},
        {"5 GiB >= 1 GiB < INT32_MAX", SizeFilter(3, 1 << 30, 2, INT32_MAX, 0), {}, File(L"big", 5 * kGiB), false},
        {"mode 1: 5 GiB > INT32_MAX", SizeFilter(4, INT32_MAX, 0, 0, 1), {}, File(L"big", 5 * kGiB), false},
        {"mode 1: 5 GiB <= INT32_MAX", SizeFilter(1, INT32_MAX, 0, 0, 1), {}, File(L"big", 5 * kGiB), true},
        // Negative stored bounds are negative, not 4 GiB - 1.
        {"0 bytes <= -1", SizeFilter(1, -1, 0, 0, 0), {}, File(L"empty", 0), false},
        {"0 bytes > -1", SizeFilter(4, -1, 0, 0, 0), {}, File(L"empty", 0), true},
    };
    Check(cases);
}

TEST(FilterMatches, DateBounds)
{
    const double day = 45000; // whole day, 00:00
    const Case cases[] = {
        {"= day: at 00:00", DateFilter(0, day, 0, 0, 0), {}, File(L"f", 1, kArchive, day), true},
        {"= day: later that day", DateFilter(0, day, 0, 0, 0), {}, File(L"f", 1, kArchive, day + 0.25), false},
        {"< day: the evening before", DateFilter(2, day, 0, 0, 0), {}, File(L"f", 1, kArchive, day - 0.1), true},
        {"<= day: at 00:00", DateFilter(1, day, 0, 0, 0), {}, File(L"f", 1, kArchive, day), true},
        {">= day < day+1: noon", DateFilter(3, day, 2, day + 1, 0), {}, File(L"f", 1, kArchive, day + 0.5), true},
        {">= day < day+1: next day", DateFilter(3, day, 2, day + 1, 0), {}, File(L"f", 1, kArchive, day + 1), false},
        {"> day <= day+1: next day", DateFilter(4, day, 1, day + 1, 0), {}, File(L"f", 1, kArchive, day + 1), true},
        {"no find data counts as 0", DateFilter(2, day, 0, 0, 0), {}, Virtual(), true},
        {"mode 1: no find data < day", DateFilter(2, day, 0, 0, 1), {}, Virtual(), false},
        {"mode 1: outside", DateFilter(3, day, 2, day + 1, 1), {}, File(L"f", 1, kArchive, day + 3), true},
    };
    Check(cases);
}

TEST(FilterMatches, AttributesMustBeExact)
{
    const uint32_t readOnly = 0x01;
    const Case cases[] = {
        {"read-only file", AttrFilter(readOnly, 0), {}, File(L"f", 1, kReadOnly), true},
        {"read-only and archive", AttrFilter(readOnly, 0), {}, File(L"f", 1, kReadOnly | kArchive), false},
        {"read-only and hidden", AttrFilter(readOnly, 0), {}, File(L"f", 1, kReadOnly | kHidden), false},
        {"read-only and system", AttrFilter(readOnly, 0), {}, File(L"f", 1, kReadOnly | kSystem), false},
        {"read-only and temporary", AttrFilter(readOnly, 0), {}, File(L"f", 1, kReadOnly | kTemporary), false},
        {"read-only and compressed", AttrFilter(readOnly, 0), {}, File(L"f", 1, kReadOnly | kCompressed), false},
        {"read-only and offline", AttrFilter(readOnly, 0), {}, File(L"f", 1, kReadOnly | kOffline), false},
        {"archive only", AttrFilter(readOnly, 0), {}, File(L"f", 1, kArchive), false},
        {"unchecked bits do not count", AttrFilter(readOnly, 0), {}, File(L"f", 1, kReadOnly | kNormal | kNotIndexed), true},
        {"read-only folder", AttrFilter(readOnly, 0), {}, {L"d", true, kReadOnly | kDirectory, 0, 1}, true},
        {"mode 1: read-only file", AttrFilter(readOnly, 1), {}, File(L"f", 1, kReadOnly), false},
        {"mode 1: read-only and archive", AttrFilter(readOnly, 1), {}, File(L"f", 1, kReadOnly | kArchive), true},
        {"all seven", AttrFilter(0x7F, 0), {},
         File(L"f", 1, kReadOnly | kHidden | kSystem | kArchive | kTemporary | kCompressed | kOffline), true},
        {"all seven but offline", AttrFilter(0x3F, 0), {},
         File(L"f", 1, kReadOnly | kHidden | kSystem | kArchive | kTemporary | kCompressed | kOffline), false},
        {"hidden and archive", AttrFilter(0x0A, 0), {}, File(L"f", 1, kHidden | kArchive), true},
        {"none wanted: plain folder", AttrFilter(0, 0), {}, Folder(L"d"), true},
        {"none wanted: no find data", AttrFilter(0, 0), {}, Virtual(), true},
    };
    Check(cases);
}

TEST(FilterMatches, Kinds)
{
    const Case cases[] = {
        {"folders: folder", KindFilter(1, 0), {}, Folder(L"d"), true},
        {"folders: file", KindFilter(1, 0), {}, File(L"f"), false},
        {"folders: virtual", KindFilter(1, 0), {}, Virtual(), false},
        {"files: file", KindFilter(2, 0), {}, File(L"f"), true},
        {"files: folder", KindFilter(2, 0), {}, Folder(L"d"), false},
        {"virtual: virtual", KindFilter(4, 0), {}, Virtual(), true},
        {"virtual: folder", KindFilter(4, 0), {}, Folder(L"d"), false},
        {"files and virtual: virtual", KindFilter(6, 0), {}, Virtual(), true},
        {"a virtual folder with attributes is virtual", KindFilter(1, 0), {}, {L"", false, kDirectory, 0, 0}, false},
        {"none accepted", KindFilter(0, 0), {}, File(L"f"), false},
        {"mode 1 none accepted", KindFilter(0, 1), {}, File(L"f"), true},
        {"mode 1 folders: folder", KindFilter(1, 1), {}, Folder(L"d"), false},
        {"mode 1 folders: file", KindFilter(1, 1), {}, File(L"f"), true},
    };
    Check(cases);
}

TEST(FilterMatches, ConditionsCombine)
{
    TSHFileFilter textOver1K = SizeFilter(4, 1024, 0, 0, 0);
    textOver1K.Conditions |= fcName;
    TSHFileFilter textOver1KExcluded = textOver1K;
    textOver1KExcluded.FilterMode = 1;
    TSHFileFilter filesNamedText = KindFilter(2, 0);
    filesNamedText.Conditions |= fcName;
    TSHFileFilter filesNamedTextExcluded = filesNamedText;
    filesNamedTextExcluded.FilterMode = 1;
    TSHFileFilter modeTwo = textOver1K;
    modeTwo.FilterMode = 2; // anything but 1 shows what meets the conditions
    const Masks text = {L"*.txt"};
    const Case cases[] = {
        {"both met", textOver1K, text, File(L"a.txt", 2000), true},
        {"only the name", textOver1K, text, File(L"a.txt", 10), false},
        {"only the size", textOver1K, text, File(L"a.doc", 2000), false},
        {"mode 1: both met", textOver1KExcluded, text, File(L"a.txt", 2000), false},
        {"mode 1: only the name", textOver1KExcluded, text, File(L"a.txt", 10), false},
        {"mode 1: only the size", textOver1KExcluded, text, File(L"a.doc", 2000), false},
        {"mode 1: neither", textOver1KExcluded, text, File(L"a.doc", 10), true},
        {"name and kind", filesNamedText, text, File(L"a.txt"), true},
        {"name but folder", filesNamedText, text, Folder(L"a.txt"), false},
        {"mode 1: neither name nor kind", filesNamedTextExcluded, text, Folder(L"docs"), true},
        {"mode 1: kind only", filesNamedTextExcluded, text, File(L"a.doc"), false},
        {"mode 2 acts as mode 0", modeTwo, text, File(L"a.txt", 2000), true},
        {"mode 2 acts as mode 0, not met", modeTwo, text, File(L"a.doc", 2000), false},
    };
    Check(cases);
}

TEST(MatchesWildcards, MatchesLikeTheShell)
{
    const std::wstring longA(40, L'a');
    struct Case { std::wstring name, patterns; bool match; };
    const Case cases[] = {
        {L"a.txt", L"*.txt", true},
        {L"A.TXT", L"*.txt", true},
        {L"a.txt.bak", L"*.txt", false},
        {L".txt", L"*.txt", true},
        {L"readme", L"*.*", true},
        {L"readme", L"*", true},
        {L"", L"*", true},
        {L"", L"*.*", true},
        {L"readme", L"*.txt;*.*", true},
        {L"readme", L"*.txt; *.*", true},
        {L"readme", L"*.", false},
        {L"readme.", L"*.", true},
        {L"a", L"", false},
        {L"", L"", false},
        {L"abc", L"a?c", true},
        {L"ac", L"a?c", false},
        {L"abc", L"?", false},
        {L"abc", L"???", true},
        {L"abcb", L"*b", true},
        {L"abcd", L"a*d", true},
        {L"abcde", L"a*d", false},
        {L"mississippi", L"*sip*", true},
        {L"mississippi", L"m*ss*ss*ss*", false},
        {L"mississippi", L"m*ss*pp*i", true},
        {L"a", L"a**", true},
        {L"x.log", L"*.txt;*.log", true},
        {L"x.log", L"*.txt;   *.log", true},
        {L"x.log", L"*.txt;*.log ", false},   // trailing spaces belong to the pattern
        {L"x.log", L" x.log", true},
        {L"x", L"x;", true},
        {L"y", L";y", true},
        {L"z", L"x;y", false},
        {L"ｆｉｌｅ．ｔｘｔ", L"ＦＩＬＥ*", true},
        {L"ÄRGER.TXT", L"ärger.*", true},
        {L"ΣΟΦΊΑ", L"σοφία", true},
        {L"ΛΌΓΟΣ", L"λόγος", true},
        {L"ПРИВЁТ", L"привёт", true},
        {L"ЁЖ", L"ёж", true},
        {L"写真.JPG", L"写?.jpg", true},
        {L"写真.jpg", L"写真", false},
        {L"[", L"{", false},                   // only letters fold
        {L"@", L"`", false},
        {L"×", L"÷", false},
        {L"1", L"!", false},
        {longA, L"a*a*a*a*a*a*a*a*a*a*a*a*b", false}, // must not backtrack exponentially
        {longA + L"b", L"a*a*a*a*a*a*a*a*a*a*a*a*b", true},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(MatchesWildcards(cases[i].name, cases[i].patterns), cases[i].match) << "case " << i;
}

TEST(MatchesWildcards, FoldsLettersOnly)
{
    struct Case { wchar_t upper, lower; };
    const Case pairs[] = {
        {L'A', L'a'}, {L'Z', L'z'}, {L'À', L'à'}, {L'Þ', L'þ'}, {L'Ÿ', L'ÿ'},
        {L'Α', L'α'}, {L'Ω', L'ω'}, {L'Ά', L'ά'}, {L'Ώ', L'ώ'}, {L'ς', L'σ'},
        {L'А', L'а'}, {L'Я', L'я'}, {L'Ѐ', L'ѐ'}, {L'Џ', L'џ'},
        {L'Ａ', L'ａ'}, {L'Ｚ', L'ｚ'},
    };
    for (const Case& c : pairs) {
        EXPECT_EQ(FoldCase(c.upper), c.lower) << int(c.upper);
        EXPECT_EQ(FoldCase(c.lower), c.lower) << int(c.lower);
    }
    for (wchar_t same : {L'@', L'[', L'`', L'{', L'0', L'×', L'ß', L'\x3A2', L'あ', L'ア', L'漢', L'＠', L'［'})
        EXPECT_EQ(FoldCase(same), same) << int(same);
}

} // namespace
