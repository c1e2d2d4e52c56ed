#include "core/viewer/GrxRecords.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TGrxRecord Object(const std::string& layer, const std::string& name, uint8_t state = kLayerShown)
{
    TGrxRecord r;
    r.SetLayerName(layer);
    r.SetName(name);
    r.SetLayerState(state);
    return r;
}

std::vector<uint8_t> FileOf(std::initializer_list<TGrxRecord> records)
{
    std::vector<uint8_t> bytes;
    for (const TGrxRecord& r : records) bytes.insert(bytes.end(), r.Bytes().begin(), r.Bytes().end());
    return bytes;
}

TEST(GrxRecords, FreshRecordLayout)
{
    TGrxRecord r;
    EXPECT_EQ(r.ImageIndex(), -1);
    EXPECT_EQ(r.LayerState(), kLayerHidden);
    r.SetX(0x01020304);
    r.SetY(-2);
    EXPECT_EQ(r.Bytes()[102], 0x04);
    EXPECT_EQ(r.Bytes()[105], 0x01);
    EXPECT_EQ(r.Y(), -2);
    EXPECT_TRUE(r.SetAttribute(5, "last"));
    EXPECT_EQ(r.Bytes()[519], 'l');
    EXPECT_FALSE(r.SetAttribute(6, "none"));
    EXPECT_EQ(r.Attribute(0), "");
}

TEST(GrxRecords, ConsecutiveNamesFormOneLayer)
{
    struct Case { std::vector<std::string> names; std::vector<std::string> layers; std::vector<size_t> counts; };
    const Case cases[] = {
        {{"A", "A", "B"}, {"A", "B"}, {2, 1}},
        {{"A", "B", "A"}, {"A", "B", "A"}, {1, 1, 1}},
        {{"", "", "C"}, {"", "C"}, {2, 1}},  // an empty first name still gets a layer
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes;
        for (const std::string& n : c.names) {
            TGrxRecord r = Object(n, "o");
            bytes.insert(bytes.end(), r.Bytes().begin(), r.Bytes().end());
        }
        std::vector<TGrxLayer> layers = ParseGrx(bytes);
        ASSERT_EQ(layers.size(), c.layers.size());
        for (size_t i = 0; i < layers.size(); ++i) {
            EXPECT_EQ(layers[i].Name, c.layers[i]);
            EXPECT_EQ(layers[i].Objects.size(), c.counts[i]);
        }
    }
}

TEST(GrxRecords, ShortTailIgnoredAndStateTakenFromTheFirstRecord)
{
    std::vector<uint8_t> bytes = FileOf({Object("L", "a", kLayerActive), Object("L", "b", kLayerHidden)});
    bytes.resize(620 + 80);  // one record and 80 bytes of the second
    std::vector<TGrxLayer> layers = ParseGrx(bytes);
    ASSERT_EQ(layers.size(), 1u);
    EXPECT_EQ(layers[0].Objects.size(), 1u);
    EXPECT_EQ(layers[0].State, kLayerActive);
    EXPECT_TRUE(ParseGrx(std::vector<uint8_t>(619)).empty());
    // An unknown state reads as shown.
    EXPECT_EQ(ParseGrx(FileOf({Object("X", "x", 200)}))[0].State, kLayerShown);
}

TEST(GrxRecords, WritingSkipsEmptyLayersAndStampsNameAndState)
{
    std::vector<TGrxLayer> layers = {{"empty", kLayerShown, {}},
                                     {"second", kLayerActive, {Object("stale-name", "p"), Object("", "q")}}};
    std::vector<uint8_t> bytes = FormatGrx(layers);
    ASSERT_EQ(bytes.size(), 2 * kGrxRecordSize);
    std::vector<TGrxLayer> back = ParseGrx(bytes);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].Name, "second");
    EXPECT_EQ(back[0].State, kLayerActive);
    EXPECT_EQ(back[0].Objects[1].Name(), "q");
    EXPECT_EQ(bytes[114], kLayerActive);
}

TEST(GrxRecords, TextsAreCutToTheirFieldsAndReadWithinThem)
{
    TGrxRecord r;
    // 49 ASCII bytes then a double-byte character: it would end at byte 51,
    // past the 50 the field holds, so it is dropped whole.
    std::string name(49, 'n');
    name += "\x95\x5C";  // "表" in code page 932
    EXPECT_TRUE(r.SetName(name));
    EXPECT_EQ(r.Name(), std::string(49, 'n'));
    EXPECT_FALSE(r.SetName(std::string(49, 'n')));  // same text: no change
    r.SetAttribute(1, std::string(300, 'a'));
    EXPECT_EQ(r.Attribute(1).size(), 100u);
    EXPECT_EQ(r.Attribute(2), "");

    // A record without any NUL: each field is read up to its own end.
    std::vector<uint8_t> bytes(kGrxRecordSize, 'z');
    std::vector<TGrxLayer> layers = ParseGrx(bytes);
    ASSERT_EQ(layers.size(), 1u);
    EXPECT_EQ(layers[0].Name.size(), kGrxNameField);
    EXPECT_EQ(layers[0].Objects[0].Name().size(), kGrxNameField);
    EXPECT_EQ(layers[0].Objects[0].Attribute(5).size(), kGrxAttributeField);
}

TEST(GrxRecords, RandomFilesParseAndRoundTrip)
{
    std::mt19937 rng(11);
    for (int round = 0; round < 200; ++round) {
        std::vector<uint8_t> bytes(rng() % (5 * kGrxRecordSize));
        for (uint8_t& b : bytes) b = uint8_t(rng() % 4 == 0 ? 0 : rng());
        std::vector<TGrxLayer> layers = ParseGrx(bytes);
        size_t objects = 0;
        for (const TGrxLayer& l : layers) objects += l.Objects.size();
        EXPECT_EQ(objects, bytes.size() / kGrxRecordSize);
        std::vector<uint8_t> written = FormatGrx(layers);
        EXPECT_EQ(written.size(), objects * kGrxRecordSize);
        std::vector<TGrxLayer> again = ParseGrx(written);
        EXPECT_EQ(FormatGrx(again), written);
    }
}

}  // namespace
