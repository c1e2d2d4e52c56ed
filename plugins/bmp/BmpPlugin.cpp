// The BMP plug-in: our own bitmap reader from the core.
#include "plugins/common/SpiPlugin.h"

#include "core/viewer/BmpReader.h"

#include <string>

namespace {

const char* const kFilters[] = {"*.bmp;*.dib;*.rle", "Windows / OS/2 bitmap"};

bool IsOurs(const uint8_t* head, size_t bytes) { return LooksLikeBmp({head, bytes}); }

int Info(std::span<const uint8_t> file, TPictureInfo& info)
{
    TBmpHeader h;
    std::string why;
    if (!ReadBmpHeader(file, h, why)) return kSusieUnknownFormat;
    info.Width = h.Width;
    info.Height = h.Height;
    info.XDensity = DpiFromPelsPerMeter(h.XPelsPerMeter);
    info.YDensity = DpiFromPelsPerMeter(h.YPelsPerMeter);
    info.ColorDepth = int16_t(h.BitCount);
    return kSusieOk;
}

int Decode(std::span<const uint8_t> file, TSpiOutput& out, const TSpiProgress& progress)
{
    TBmpHeader h;
    std::string why;
    if (!ReadBmpHeader(file, h, why)) return kSusieUnknownFormat;
    if (!out.Allocate(h.OutInfoBytes(), h.OutBitsBytes())) return kSusieNoMemory;
    auto report = [&progress](int done, int total) { return progress.Report(done, total); };
    return DecodeBmp(file, h, out.Info(), out.Bits(), report) == TBmpDecode::Ok ? kSusieOk : kSusieAborted;
}

}  // namespace

const TSpiFormat kSpiFormat = {"Quirevue BMP plug-in 1.0", kFilters, 2, IsOurs, Info, Decode};
