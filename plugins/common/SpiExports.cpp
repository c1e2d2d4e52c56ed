// The four 00IN entry points (exported through each plug-in's .def file),
// shared by our plug-ins: input from memory or
// from a file at an offset, texts, the head check, and the decode with the
// host's progress function. Nothing thrown ever leaves a plug-in.
#include "plugins/common/SpiPlugin.h"

#include "core/viewer/DibLayout.h"
#include "gui/LocalMemory.h"

#include <cmath>
#include <cstring>
#include <new>
#include <vector>

TSpiOutput::~TSpiOutput()
{
    FreeLocalBlock(InfoHandle, InfoPtr);
    FreeLocalBlock(BitsHandle, BitsPtr);
}

bool TSpiOutput::Allocate(size_t infoBytes, uint64_t bitsBytes)
{
    if (bitsBytes == 0 || bitsBytes > SIZE_MAX / 2) return false;
    InfoHandle = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, infoBytes);
    BitsHandle = LocalAlloc(LMEM_MOVEABLE, size_t(bitsBytes));
    if (!InfoHandle || !BitsHandle) return false;
    InfoPtr = static_cast<uint8_t*>(LocalLock(InfoHandle));
    BitsPtr = static_cast<uint8_t*>(LocalLock(BitsHandle));
    return InfoPtr && BitsPtr;
}

void TSpiOutput::HandOver(HLOCAL* info, HLOCAL* bits)
{
    LocalUnlock(InfoHandle);
    LocalUnlock(BitsHandle);
    *info = InfoHandle;
    *bits = BitsHandle;
    InfoHandle = BitsHandle = nullptr;
    InfoPtr = BitsPtr = nullptr;
}

void WriteGreyPalette(uint8_t* table)
{
    for (int i = 0; i < 256; ++i) WriteLe32(table + 4 * i, uint32_t(i) * 0x010101u);
}

void WriteInfoHeader(uint8_t* info, int32_t width, int32_t height, int bitCount, uint32_t colors,
                     int32_t xPelsPerMeter, int32_t yPelsPerMeter)
{
    std::memset(info, 0, 40);
    WriteLe32(info + 0, 40);
    WriteLe32(info + 4, uint32_t(width));
    WriteLe32(info + 8, uint32_t(height));
    WriteLe16(info + 12, 1);
    WriteLe16(info + 14, uint16_t(bitCount));
    WriteLe32(info + 20, uint32_t(DibStride(width, bitCount) * uint64_t(height)));
    WriteLe32(info + 24, uint32_t(xPelsPerMeter));
    WriteLe32(info + 28, uint32_t(yPelsPerMeter));
    WriteLe32(info + 32, colors);
}

uint16_t DpiFromPelsPerMeter(double perMeter)
{
    double dpi = std::floor(perMeter * 0.0254 + 0.5);
    return dpi <= 0 ? 0 : dpi >= 65535 ? 65535 : uint16_t(dpi);
}

namespace {

// The picture's bytes: the host's memory block as it is, or the file read
// from the given offset.
struct TSpiInput {
    std::vector<uint8_t> Owned;
    std::span<const uint8_t> Bytes;
    int Error = kSusieOk;
};

TSpiInput ReadInput(LPCSTR buf, LONG_PTR len, unsigned flag)
{
    TSpiInput in;
    if ((flag & kSusieInputMask) == kSusieInputMemory) {
        if (!buf || len <= 0) in.Error = kSusieReadError;
        else in.Bytes = {reinterpret_cast<const uint8_t*>(buf), size_t(len)};
        return in;
    }
    if ((flag & kSusieInputMask) != kSusieInputFile || !buf) {
        in.Error = kSusieReadError;
        return in;
    }
    HANDLE file = CreateFileA(buf, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        in.Error = kSusieReadError;
        return in;
    }
    LARGE_INTEGER size{}, offset{};
    offset.QuadPart = len;
    if (!GetFileSizeEx(file, &size) || len < 0 || size.QuadPart <= len || size.QuadPart - len > (1LL << 30) ||
        !SetFilePointerEx(file, offset, nullptr, FILE_BEGIN)) {
        CloseHandle(file);
        in.Error = kSusieReadError;
        return in;
    }
    in.Owned.resize(size_t(size.QuadPart - len));
    DWORD got = 0;
    size_t done = 0;
    while (done < in.Owned.size()) {
        DWORD chunk = DWORD(std::min<size_t>(in.Owned.size() - done, 1 << 24));
        if (!ReadFile(file, in.Owned.data() + done, chunk, &got, nullptr) || got == 0) break;
        done += got;
    }
    CloseHandle(file);
    if (done != in.Owned.size()) in.Error = kSusieReadError;
    in.Bytes = in.Owned;
    return in;
}

int Guarded(int (*body)(void*), void* context)
{
    try {
        return body(context);
    } catch (const std::bad_alloc&) {
        return kSusieNoMemory;
    } catch (...) {
        return kSusieInternalError;
    }
}

}  // namespace

extern "C" {

int WINAPI GetPluginInfo(int infoNo, LPSTR buf, int bufLen)
{
    const char* text = nullptr;
    if (infoNo == 0) text = kSusieApiVersion;
    else if (infoNo == 1) text = kSpiFormat.Name;
    else if (infoNo >= 2 && infoNo - 2 < kSpiFormat.FilterTexts) text = kSpiFormat.Filters[infoNo - 2];
    if (!text || !buf || bufLen <= 0) return 0;
    size_t n = std::min(std::strlen(text), size_t(bufLen - 1));
    std::memcpy(buf, text, n);
    buf[n] = '\0';
    return int(n);
}

int WINAPI IsSupported(LPCSTR fileName, ULONG_PTR dw)
{
    uint8_t head[kSusieHeadBytes] = {};
    if ((dw & ~ULONG_PTR(0xFFFF)) == 0) {
        // A file handle: read the head ourselves.
        DWORD got = 0;
        if (!dw || !ReadFile(reinterpret_cast<HANDLE>(dw), head, sizeof head, &got, nullptr)) return 0;
    } else {
        std::memcpy(head, reinterpret_cast<const void*>(dw), sizeof head);
    }
    return kSpiFormat.IsOurs(head, sizeof head) ? 1 : 0;
}

int WINAPI GetPictureInfo(LPCSTR buf, LONG_PTR len, unsigned flag, void* info)
{
    struct TArgs { LPCSTR buf; LONG_PTR len; unsigned flag; void* info; } args{buf, len, flag, info};
    return Guarded([](void* p) {
        auto& a = *static_cast<TArgs*>(p);
        if (!a.info) return int(kSusieInternalError);
        TSpiInput in = ReadInput(a.buf, a.len, a.flag);
        if (in.Error != kSusieOk) return in.Error;
        TPictureInfo picture;
        int result = kSpiFormat.Info(in.Bytes, picture);
        // The packed form: the fields before hInfo, hInfo left alone.
        if (result == kSusieOk) WritePictureInfo(picture, static_cast<uint8_t*>(a.info));
        return result;
    }, &args);
}

int WINAPI GetPicture(LPCSTR buf, LONG_PTR len, unsigned flag, HLOCAL* info, HLOCAL* bits,
                                            TSusieProgress progress, LONG_PTR data)
{
    struct TArgs { LPCSTR buf; LONG_PTR len; unsigned flag; HLOCAL* info; HLOCAL* bits; TSpiProgress progress; };
    TArgs args{buf, len, flag, info, bits, TSpiProgress(progress, data)};
    return Guarded([](void* p) {
        auto& a = *static_cast<TArgs*>(p);
        if (!a.info || !a.bits) return int(kSusieInternalError);
        TSpiInput in = ReadInput(a.buf, a.len, a.flag);
        if (in.Error != kSusieOk) return in.Error;
        if (a.progress.Report(0, 100)) return int(kSusieAborted);
        TSpiOutput out;
        int result = kSpiFormat.Decode(in.Bytes, out, a.progress);
        if (result != kSusieOk) return result;
        if (a.progress.Report(100, 100)) return int(kSusieAborted);
        out.HandOver(a.info, a.bits);
        return int(kSusieOk);
    }, &args);
}

}  // extern "C"
