#include "core/settings/SettingsCodec.h"
#include "core/settings/TextList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>

namespace {

using Bytes = std::vector<uint8_t>;

const std::string kHyo = "\x95\x5C";                                   // 表
const std::string kMsGothic = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E"; // ＭＳ ゴシック

Bytes ReadFixture(const char* name)
{
    std::ifstream in(std::string(QV_FIXTURES) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

TSettingsReadResult Decode(const Bytes& bytes, TInitData& into)
{
    return DecodeSettings(bytes.data(), bytes.size(), into);
}

uint32_t Le32At(const Bytes& bytes, size_t offset)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | bytes.at(offset + i);
    return v;
}

void PutLe32(Bytes& bytes, size_t offset, uint32_t v)
{
    for (int i = 0; i < 4; ++i) bytes.at(offset + i) = uint8_t(v >> 8 * i);
}

std::string TextAt(const Bytes& bytes, size_t offset)
{
    return std::string(reinterpret_cast<const char*>(&bytes.at(offset)));
}

TEST(SettingsCodec, DefaultsOnlyFileIs14025BytesAndReadsBack)
{
    TInitData defaults("C:\\Tools", TFontData{"Meiryo", clWindowText, 9, 0});
    EXPECT_EQ(defaults.FavoritesFolder, "C:\\Tools\\Favorites");
    EXPECT_EQ(defaults.PluginFolder, "C:\\Tools");
    EXPECT_EQ(defaults.LockedFont.Name, "Meiryo");

    Bytes bytes = EncodeSettings(defaults);
    ASSERT_EQ(bytes.size(), 14025u);

    // Built with other platform values, so that what matches came from the file.
    TInitData back("D:\\Elsewhere", TFontData{"Other", 0x123456, 20, fsBold});
    TSettingsReadResult r = Decode(bytes, back);
    EXPECT_FALSE(r.Damaged) << r.Problem;
    EXPECT_EQ(r.BytesRead, 14025u);
    EXPECT_EQ(back.FavoritesFolder, defaults.FavoritesFolder);
    EXPECT_EQ(back.TreeFont, defaults.TreeFont);
    EXPECT_EQ(EncodeSettings(back), bytes);
}

TEST(SettingsCodec, FieldsSitAtTheirOffsets)
{
    TInitData d;
    d.NewViewStyle = 3;
    d.ToolColor = 0x00336699;
    d.TreeFont.Style = fsBold | fsStrikeOut;
    d.Filtering = true;
    d.WheelMode = -2;
    for (int i = 0; i < 8; ++i) d.Bands.push_back({7 - i, 100 + i, true, false});
    Bytes bytes = EncodeSettings(d);
    ASSERT_EQ(bytes.size(), 14105u);

    struct Case { size_t offset; Bytes expected; };
    const Case cases[] = {
        {4, {'C', ':', '\\', 'F'}},                // FavoritesFolder
        {273, {0x20, 0x03, 0x00, 0x00}},           // WindowWidth 800
        {289, {0x01}},                             // Filtering
        {1327, {0x09}},                            // TreeFont style
        {1328, {0x03, 0x00, 0x00, 0x00}},          // NewViewStyle
        {3408, {0xE0, 0x01}},                      // ShVirtuaItems
        {3438, {0x08, 0x00, 0x00, 0xFF}},          // TemporaryColor
        {11676, {'t', 'm', 'p', 0x00}},            // RenExtText
        {12701, {0x99, 0x66, 0x33, 0x00}},         // ToolColor
        {12705, {0x46, 0x00, 0x00, 0x00}},         // ToolTransparency 70
        {12718, {'C', ':', '\\', 0x00}},           // PluginFolder
        {12979, {0x96, 0x00, 0x00, 0x00}},         // ViewerHeight 150
        {12984, {0xFE, 0xFF, 0xFF, 0xFF}},         // WheelMode
        {12988, {0x08, 0x00, 0x00, 0x00}},         // band count
        {12992, {0x07, 0x00, 0x00, 0x00, 0x64, 0x00, 0x00, 0x00, 0x01, 0x00}}, // first band
        {13072, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},             // window and filter counts
    };
    for (const Case& c : cases)
        EXPECT_TRUE(std::equal(c.expected.begin(), c.expected.end(), bytes.begin() + c.offset)) << c.offset;
}

TEST(SettingsCodec, LongestTextsRoundTripAndLongerOnesAreCut)
{
    TInitData d;
    d.FavoritesFolder = "C:\\" + std::string(257, 'f');
    d.PluginFolder = std::string(258, 'p') + kHyo;
    auto filter = std::make_unique<TSHFileFilter>();
    while (JoinTextList(filter->Masks).size() + 6 <= 1024) filter->Masks.push_back("*.abc");
    filter->Masks.push_back(std::string(1024 - JoinTextList(filter->Masks).size() - 1, 'z'));
    ASSERT_EQ(JoinTextList(filter->Masks).size(), 1024u);
    d.Filters.push_back(std::move(filter));
    d.FileTypes = {"txt", std::string(1020, 'y')}; // 1024 bytes and one more entry that does not fit
    d.FileTypes.push_back("bmp");

    TInitData back;
    EXPECT_FALSE(Decode(EncodeSettings(d), back).Damaged);
    EXPECT_EQ(back.FavoritesFolder, d.FavoritesFolder);
    EXPECT_EQ(back.PluginFolder, d.PluginFolder);
    ASSERT_EQ(back.Filters.size(), 1u);
    EXPECT_EQ(back.Filters[0]->Masks, d.Filters[0]->Masks);
    EXPECT_EQ(back.FileTypes, (std::vector<std::string>{"txt", std::string(1020, 'y')}));

    // One byte more: the double-byte character that would cross the limit goes whole.
    TInitData longer;
    longer.FavoritesFolder = std::string(259, 'f') + kHyo;
    longer.SeqHeaderText1 = "x";
    for (int i = 0; i < 600; ++i) longer.SeqHeaderText1 += kHyo; // 1201 bytes
    longer.RenExtText = std::string("abc\0def", 7);
    TInitData cut;
    EXPECT_FALSE(Decode(EncodeSettings(longer), cut).Damaged);
    EXPECT_EQ(cut.FavoritesFolder, std::string(259, 'f'));
    EXPECT_EQ(cut.SeqHeaderText1, longer.SeqHeaderText1.substr(0, 1023));
    EXPECT_EQ(cut.RenExtText, "abc");
}

TEST(SettingsCodec, WindowWithoutFolderIsFollowedDirectlyByTheNextRecord)
{
    TInitData d;
    TWindowData noFolder;
    noFolder.Left = 5;
    noFolder.ViewStyle = 3;
    noFolder.FilterName = "f";
    noFolder.Columns = {{0, 180, 1}, {1, 60, -1}};
    TWindowData second;
    second.Left = 77;
    second.WindowState = 2;
    second.IDList = {3, 0, 'x', 0, 0};
    d.Windows = {noFolder, second};

    Bytes bytes = EncodeSettings(d);
    // First record at 12996: 1054 bytes up to the columns, 4 + 2 x 12 for them.
    const size_t lengthField = 12996 + 1054 + 4 + 24;
    EXPECT_EQ(Le32At(bytes, lengthField), 0u);
    EXPECT_EQ(Le32At(bytes, lengthField + 4), 77u);
    EXPECT_EQ(bytes.size(), 14025u + 1062 + 24 + 1062 + 5);

    TInitData back;
    EXPECT_FALSE(Decode(bytes, back).Damaged);
    EXPECT_EQ(back.Windows, d.Windows);
}

TEST(SettingsCodec, MaskWithASpaceIsQuotedAndReadsBackAsOneMask)
{
    TInitData d;
    d.Filters.push_back(std::make_unique<TSHFileFilter>());
    d.Filters[0]->Masks = {"Copy of *.txt"};
    Bytes bytes = EncodeSettings(d);
    // Filter count at 12996, the record's name at 13000, its masks after it.
    EXPECT_EQ(TextAt(bytes, 13000 + 1025), "\"Copy of *.txt\"");

    TInitData back;
    EXPECT_FALSE(Decode(bytes, back).Damaged);
    ASSERT_EQ(back.Filters.size(), 1u);
    EXPECT_EQ(*back.Filters[0], *d.Filters[0]);
}

TEST(SettingsCodec, ForeignBytesInsideFieldsAreTolerated)
{
    Bytes bytes = EncodeSettings(TInitData());
    std::memset(&bytes[4 + 20], 'g', 200);   // after FavoritesFolder's terminator
    std::memset(&bytes[11676], 'e', 1025);   // RenExtText with no terminator at all
    bytes[1329] = bytes[1330] = bytes[1331] = 0xAB; // NewViewStyle keeps its low byte
    bytes[1328] = 2;
    bytes[289] = 0x02;                       // Filtering

    TInitData back;
    EXPECT_FALSE(Decode(bytes, back).Damaged);
    EXPECT_EQ(back.FavoritesFolder, "C:\\Favorites");
    EXPECT_EQ(back.RenExtText, std::string(1025, 'e'));
    EXPECT_EQ(back.NewViewStyle, 2);
    EXPECT_TRUE(back.Filtering);
    Bytes again = EncodeSettings(back);
    EXPECT_EQ(TextAt(again, 11676), std::string(1024, 'e'));
}

TEST(SettingsCodec, FixturesWrittenFromTheLayoutRoundTripByteForByte)
{
    for (const char* name : {"unusual.qvs", "unusual_windows.qvs"}) {
        SCOPED_TRACE(name);
        Bytes bytes = ReadFixture(name);
        TInitData d;
        TSettingsReadResult r = Decode(bytes, d);
        EXPECT_FALSE(r.Damaged) << r.Problem;
        EXPECT_EQ(r.BytesRead, bytes.size());
        EXPECT_EQ(EncodeSettings(d), bytes);
    }

    TInitData d;
    Decode(ReadFixture("unusual_windows.qvs"), d);
    EXPECT_EQ(d.Reserved, 0x5EED1234);
    EXPECT_EQ(d.WindowLeft, 37);
    EXPECT_EQ(d.WindowHeight, 677);
    EXPECT_EQ(d.TreePanelWidth, 263);
    EXPECT_EQ(d.TreeFont, (TFontData{kMsGothic, 0x00123456, 11, fsBold | fsUnderline}));
    EXPECT_EQ(d.NewViewStyle, 3);
    EXPECT_EQ(d.ShVirtuaItems, 0x00A0);
    EXPECT_EQ(d.RenStep, -1);
    EXPECT_EQ(d.ToolTransparency, 7);
    EXPECT_EQ(d.PluginFolder.substr(0, 5), "D:\\" + kHyo);
    ASSERT_EQ(d.Bands.size(), 8u);
    EXPECT_EQ(d.Bands[0], (TBandData{3, 121, true, false}));
    ASSERT_EQ(d.Windows.size(), 2u);
    EXPECT_EQ(d.Windows[0].IDList.size(), 47u);
    EXPECT_EQ(d.Windows[0].SortType, 4);
    EXPECT_EQ(d.Windows[1].Columns[0], (TColumnData{3, 90, -1}));
    ASSERT_EQ(d.Filters.size(), 3u);
    EXPECT_EQ(d.Filters[0]->Masks, (std::vector<std::string>{"Copy of *.jpg", "*.png", kHyo + "*.gif"}));
    EXPECT_EQ(d.Filters[0]->Date2, 45657.75);
    EXPECT_EQ(d.Filters[1]->Masks, (std::vector<std::string>{"a;b*", "*.txt"}));
    EXPECT_EQ(d.Filters[2]->Masks, (std::vector<std::string>{"x\"y*"}));
    EXPECT_EQ(d.Filters[1]->Name, d.Filters[2]->Name);
    EXPECT_EQ(d.Filters[2]->Size1, -1);
    EXPECT_EQ(d.FileTypes, (std::vector<std::string>{"txt", "jpg", "bmp", "my ext"}));
}

// Every head of a rich file: the fields and records read whole are taken,
// everything else keeps its default, and the result says the file is damaged.
TEST(SettingsCodec, EveryTruncationKeepsDefaultsForWhatWasNotRead)
{
    const Bytes full = ReadFixture("unusual_windows.qvs");
    TInitData rich;
    ASSERT_FALSE(Decode(full, rich).Damaged);
    const TInitData defaults;

    struct Probe { size_t end; std::function<bool(const TInitData&, const TInitData&)> same; };
    const Probe probes[] = {
        {265, [](auto& a, auto& b) { return a.FavoritesFolder == b.FavoritesFolder; }},
        {269, [](auto& a, auto& b) { return a.WindowLeft == b.WindowLeft; }},
        {1319, [](auto& a, auto& b) { return a.TreeFont.Name == b.TreeFont.Name; }},
        {1328, [](auto& a, auto& b) { return a.TreeFont.Style == b.TreeFont.Style; }},
        {3410, [](auto& a, auto& b) { return a.ShVirtuaItems == b.ShVirtuaItems; }},
        {12701, [](auto& a, auto& b) { return a.RenExtText == b.RenExtText; }},
        {12979, [](auto& a, auto& b) { return a.PluginFolder == b.PluginFolder; }},
        {12988, [](auto& a, auto& b) { return a.WheelMode == b.WheelMode; }},
    };
    // Where each list's count sits and each of its records ends. A count
    // that cannot fit in what is left stops the reading before the list; a
    // count that fits brings the records that are there whole.
    struct List { size_t countAt, minRecord; std::vector<size_t> ends; };
    List bands{12988, 10, {}}, windows{13072, 1062, {}}, filters{0, 2106, {}};
    size_t at = 12992;
    for (size_t i = 0; i < rich.Bands.size(); ++i) bands.ends.push_back(at += 10);
    at += 4;
    for (const TWindowData& w : rich.Windows) windows.ends.push_back(at += 1062 + 12 * w.Columns.size() + w.IDList.size());
    filters.countAt = at;
    at += 4;
    for (size_t i = 0; i < rich.Filters.size(); ++i) filters.ends.push_back(at += 2106);
    auto records = [](const List& list, size_t p) -> size_t {
        size_t first = list.countAt + 4;
        if (p < first || list.ends.size() * list.minRecord > p - first) return 0;
        return std::count_if(list.ends.begin(), list.ends.end(), [p](size_t end) { return end <= p; });
    };

    for (size_t p = 0; p < full.size(); ++p) {
        TInitData got;
        TSettingsReadResult r = DecodeSettings(full.data(), p, got);
        ASSERT_TRUE(r.Damaged) << p;
        ASSERT_FALSE(r.Problem.empty()) << p;
        ASSERT_LE(r.BytesRead, p);
        for (const Probe& probe : probes)
            ASSERT_TRUE(probe.same(got, p >= probe.end ? rich : defaults)) << "cut at " << p << ", field ending at " << probe.end;

        size_t n = records(bands, p);
        ASSERT_EQ(got.Bands, std::vector<TBandData>(rich.Bands.begin(), rich.Bands.begin() + n)) << p;
        n = records(windows, p);
        ASSERT_EQ(got.Windows, std::vector<TWindowData>(rich.Windows.begin(), rich.Windows.begin() + n)) << p;
        ASSERT_EQ(got.Filters.size(), records(filters, p)) << p;
        for (size_t i = 0; i < got.Filters.size(); ++i) ASSERT_EQ(*got.Filters[i], *rich.Filters[i]) << p;
        ASSERT_TRUE(got.FileTypes.empty()) << p;
    }
}

TEST(SettingsCodec, ImplausibleCountsStopTheReading)
{
    TInitData d;
    d.Bands = {{0, 100, true, false}};
    TWindowData w;
    w.Columns = {{0, 100, 1}};
    w.IDList = {3, 0, 'x', 0, 0};
    d.Windows = {w};
    d.Filters.push_back(std::make_unique<TSHFileFilter>());
    d.FileTypes = {"txt"};
    const Bytes sound = EncodeSettings(d);

    struct Case { size_t offset; const char* count; size_t bands, windows; };
    const Case cases[] = {
        {12988, "band count", 0, 0},
        {13002, "window count", 1, 0},
        {13006 + 1054, "column count", 1, 0},
        {13006 + 1054 + 4 + 12, "item identifier list length", 1, 0},
        {13006 + 1054 + 4 + 12 + 4 + 5, "filter count", 1, 1},
    };
    for (uint32_t value : {2000000000u, 0xFFFFFFFFu}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.count);
            Bytes bytes = sound;
            PutLe32(bytes, c.offset, value);
            TInitData got;
            TSettingsReadResult r = Decode(bytes, got);
            EXPECT_TRUE(r.Damaged);
            EXPECT_NE(r.Problem.find(c.count), std::string::npos) << r.Problem;
            EXPECT_EQ(r.BytesRead, c.offset + 4);
            EXPECT_EQ(got.Bands.size(), c.bands);
            EXPECT_EQ(got.Windows.size(), c.windows);
            EXPECT_TRUE(got.Filters.empty());
            EXPECT_TRUE(got.FileTypes.empty());
        }
    }
}

TEST(SettingsCodec, UnsoundIdListLosesOnlyItsWindow)
{
    TInitData d;
    TWindowData broken, next;
    broken.Left = 1;
    broken.IDList = {3, 0, 'x', 0, 0};
    next.Left = 2;
    next.IDList = {3, 0, 'y', 0, 0};
    d.Windows = {broken, next};
    d.Filters.push_back(std::make_unique<TSHFileFilter>());
    Bytes bytes = EncodeSettings(d);
    const size_t terminator = 12996 + 1054 + 4 + 4 + 3;
    ASSERT_EQ(Le32At(bytes, terminator - 7), 5u); // the first list's length
    bytes[terminator] = 9;                         // the item chain now runs off the end

    TInitData got;
    TSettingsReadResult r = Decode(bytes, got);
    EXPECT_TRUE(r.Damaged);
    EXPECT_NE(r.Problem.find("window record 0"), std::string::npos) << r.Problem;
    EXPECT_EQ(r.BytesRead, bytes.size());
    EXPECT_EQ(got.Windows, std::vector<TWindowData>{next});
    EXPECT_EQ(got.Filters.size(), 1u);

    // Such a list in memory is written as no folder rather than as a file the
    // reader would refuse.
    d.Windows[0].IDList = {5, 0, 'x'};
    TInitData back;
    EXPECT_FALSE(Decode(EncodeSettings(d), back).Damaged);
    EXPECT_TRUE(back.Windows[0].IDList.empty());
}

TEST(SettingsCodec, BytesAfterTheLastFieldMarkTheFileDamaged)
{
    TInitData d;
    d.FileTypes = {"txt", "jpg"};
    Bytes bytes = EncodeSettings(d);
    bytes.push_back('x');
    TInitData got;
    TSettingsReadResult r = Decode(bytes, got);
    EXPECT_TRUE(r.Damaged);
    EXPECT_EQ(r.BytesRead, 14025u);
    EXPECT_EQ(got.FileTypes, d.FileTypes);
}

TEST(FileFilter, NewFilterAndAssign)
{
    TSHFileFilter f;
    EXPECT_EQ(f.Name, "\x90\x56\x82\xB5\x82\xA2\x83\x74\x83\x42\x83\x8B\x83\x5E"); // 新しいフィルタ
    EXPECT_EQ(f.Conditions, 0u);
    EXPECT_EQ(f.Size1, 1);
    EXPECT_EQ(f.Size2, 1);
    EXPECT_EQ(f.Date1, f.Date2);
    EXPECT_EQ(f.Date1, double(int64_t(f.Date1))); // midnight
    EXPECT_GT(f.Date1, EncodeDate(2024, 1, 1));

    TSHFileFilter source;
    source.Name = "n";
    source.Conditions = 0x1F;
    source.Masks = {"*.a", "b c"};
    source.Size1 = 10, source.Size2 = 20, source.SizeCompare1 = 3, source.SizeCompare2 = 2;
    source.Date1 = 1.25, source.Date2 = 2.5, source.DateCompare1 = 4, source.DateCompare2 = 1;
    source.AttrFlags = 0x7F, source.KindFlags = 7, source.FilterMode = 1;
    f.Assign(source);
    EXPECT_EQ(f, source);
}

TEST(FileFilter, EncodeDateCountsDaysFrom18991230)
{
    struct Case { int y, m, d; double days; };
    const Case cases[] = {
        {1899, 12, 30, 0}, {1900, 1, 1, 2}, {1970, 1, 1, 25569},
        {2000, 1, 1, 36526}, {2024, 2, 29, 45351}, {1600, 3, 1, -109511},
    };
    for (const Case& c : cases) EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.days) << c.y << "-" << c.m << "-" << c.d;
}

} // namespace
