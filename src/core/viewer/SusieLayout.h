#pragma once
// The fixed parts of the Susie "00IN" image plug-in interface that need no
// platform: the picture information record as each build lays it out, the
// result codes and the messages the view shows for them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

inline constexpr char kSusieApiVersion[] = "00IN";

// GetPicture's and GetPictureInfo's results.
enum TSusieResult : int {
    kSusieNotImplemented = -1,
    kSusieOk = 0,
    kSusieAborted = 1,
    kSusieUnknownFormat = 2,
    kSusieCorrupt = 3,
    kSusieNoMemory = 4,
    kSusieMemoryError = 5,
    kSusieReadError = 6,
    kSusieReserved = 7,
    kSusieInternalError = 8,
};

// The input flag's low bits: the data is a file name (with an offset) or a
// memory block (with its length).
inline constexpr unsigned kSusieInputMask = 7, kSusieInputFile = 0, kSusieInputMemory = 1;

// The record the plug-in fills: 26 bytes packed in 32-bit plug-ins. In
// 64-bit ones hInfo is 8 bytes, at offset 22 (packed, 30 bytes) or 24
// (aligned, 32 bytes): the host hands this many zeroed bytes and reads only
// the fields before hInfo.
inline constexpr size_t kPictureInfoSize32 = 26;
inline constexpr size_t kPictureInfoBuffer = 32;
inline constexpr size_t kPictureInfoHandleAt = 22;

struct TPictureInfo {
    int32_t Left = 0, Top = 0, Width = 0, Height = 0;
    uint16_t XDensity = 0, YDensity = 0;
    int16_t ColorDepth = 0;
};

// Reads the fields before hInfo from the record's bytes (at least 22).
TPictureInfo ReadPictureInfo(const uint8_t* bytes);
// Writes them the way plug-ins do (our plug-ins write the packed form).
void WritePictureInfo(const TPictureInfo& info, uint8_t* bytes);

// The message shown for a result of GetPicture, or nothing for a result
// without one (success and unknown values).
std::optional<std::wstring> SusieResultMessage(int result);

// IsSupported is always handed at least this many bytes, zero-padded.
inline constexpr size_t kSusieHeadBytes = 2048;
