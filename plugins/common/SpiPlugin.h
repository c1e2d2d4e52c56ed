#pragma once
// What each of our Susie plug-ins supplies to the shared entry points in
// SpiExports.cpp: its texts, a quick look at a file's head, the picture
// information and the decoding itself.
#include "core/viewer/SusieLayout.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>

// The host's progress function: (done, total, user value); nonzero aborts.
using TSusieProgress = int(WINAPI*)(int, int, LONG_PTR);

class TSpiProgress {
public:
    TSpiProgress(TSusieProgress callback, LONG_PTR data) : Callback(callback), Data(data) {}
    // True when the host asks to stop. A host may pass no callback at all.
    bool Report(int done, int total) const { return Callback && Callback(done, total, Data) != 0; }

private:
    TSusieProgress Callback;
    LONG_PTR Data;
};

// The two movable memory blocks handed to the host, locked while we write.
class TSpiOutput {
public:
    TSpiOutput() = default;
    TSpiOutput(const TSpiOutput&) = delete;
    TSpiOutput& operator=(const TSpiOutput&) = delete;
    ~TSpiOutput();

    // False when the memory cannot be had (the plug-in then answers 4).
    bool Allocate(size_t infoBytes, uint64_t bitsBytes);
    uint8_t* Info() const { return InfoPtr; }
    uint8_t* Bits() const { return BitsPtr; }
    // Unlocks both blocks and gives them to the host.
    void HandOver(HLOCAL* info, HLOCAL* bits);

private:
    HLOCAL InfoHandle = nullptr, BitsHandle = nullptr;
    uint8_t *InfoPtr = nullptr, *BitsPtr = nullptr;
};

struct TSpiFormat {
    const char* Name;             // information text 1
    const char* const* Filters;   // pairs of (pattern, type name) for texts 2, 3, 4, 5, ...
    int FilterTexts;              // how many texts Filters holds
    // The head of a file (at least 2 KB, zero-padded) is ours.
    bool (*IsOurs)(const uint8_t* head, size_t bytes);
    int (*Info)(std::span<const uint8_t> file, TPictureInfo& info);
    int (*Decode)(std::span<const uint8_t> file, TSpiOutput& out, const TSpiProgress& progress);
};

// Defined by each plug-in.
extern const TSpiFormat kSpiFormat;

// Writes a grey ramp colour table of 256 entries (for greyscale pictures).
void WriteGreyPalette(uint8_t* table);
// Fills the 40-byte header of a bottom-up BI_RGB bitmap.
void WriteInfoHeader(uint8_t* info, int32_t width, int32_t height, int bitCount, uint32_t colors,
                     int32_t xPelsPerMeter, int32_t yPelsPerMeter);
// Dots per inch from dots per metre, as PictureInfo holds them.
uint16_t DpiFromPelsPerMeter(double perMeter);
