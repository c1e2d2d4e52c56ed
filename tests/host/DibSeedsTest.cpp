// Every seed of the bitmap fuzzer, one for each header kind and form, read
// as a file and as the clipboard's packed form, written back and converted.
#include "core/report/DibConvert.h"
#include "core/report/DibFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::vector<uint8_t> ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(DibSeeds, EverySeedReadsWritesAndConverts)
{
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(QV_FIXTURES) / "dib")) {
        if (entry.path().extension() != ".bmp") continue;
        ++seeds;
        const std::string name = entry.path().filename().string();
        const std::vector<uint8_t> file = ReadAll(entry.path());
        TDib dib;
        ASSERT_NO_THROW(dib = LoadDibFile(file)) << name;
        EXPECT_EQ(dib.Width(), 5) << name;
        EXPECT_EQ(dib.Height(), 3) << name;
        EXPECT_EQ(LoadDibFile(SaveDibFile(dib)), dib) << name;
        EXPECT_NO_THROW(LoadPackedDib(std::span(file).subspan(14))) << name;

        // Every form gives the same colours as the 24-bit form, where the
        // colours fit (the seeds' indexed pictures use at most 16).
        const TDib rgb = ConvertDibFormat(dib, TDibFormat::Bits24, {});
        for (TDibFormat to : {TDibFormat::Bits1, TDibFormat::Bits4, TDibFormat::Bits4Rle, TDibFormat::Bits8,
                              TDibFormat::Bits8Rle, TDibFormat::Fixed215, TDibFormat::Fixed2}) {
            TDib out;
            ASSERT_NO_THROW(out = ConvertDibFormat(dib, to, {})) << name << " to " << int(to);
            if (dib.Info.BitCount != 24 && (to == TDibFormat::Bits8 || to == TDibFormat::Bits8Rle))
                EXPECT_EQ(ConvertDibFormat(out, TDibFormat::Bits24, {}).Bits, rgb.Bits) << name << " to " << int(to);
        }
    }
    EXPECT_EQ(seeds, 17);
}

}  // namespace
