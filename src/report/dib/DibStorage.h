#pragma once
// The memory of a device-independent bitmap: its header, colour table and
// pixel bytes, shared by the images that show it (copy-on-write: an image
// that changes the bits first takes a copy of its own). The bits live in a
// page-file-backed mapping when `Mapped` (a drawing canvas needs that: it
// maps the same memory as a DIB section), otherwise on the heap.
#include "core/report/Dib.h"
#include "gui/Handles.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TDibStorage {
public:
    // A storage of zeroed bits. Raises the platform's out-of-resources
    // error when the memory cannot be had.
    TDibStorage(const TDibInfo& info, const std::array<uint32_t, kMaxDibColors>& colors, uint32_t imageSize,
                bool mapped);
    ~TDibStorage();
    TDibStorage(const TDibStorage&) = delete;
    TDibStorage& operator=(const TDibStorage&) = delete;

    static std::shared_ptr<TDibStorage> FromDib(const TDib& dib, bool mapped);
    // A blank bitmap (CreateDIB's rules and messages).
    static std::shared_ptr<TDibStorage> Blank(const TDibInfo& info, bool mapped);
    // Another storage of the same size and mapping choice, bits copied.
    std::shared_ptr<TDibStorage> Copy() const;
    TDib ToDib() const;

    TDibInfo Info;
    std::array<uint32_t, kMaxDibColors> Colors{};
    uint8_t* Bits() const { return BitsAt; }
    uint32_t ImageSize() const { return Size; }
    bool Mapped() const { return Mapping != nullptr; }
    HANDLE MappingHandle() const { return Mapping; }
    // The BITMAPINFO the platform's calls take.
    std::vector<uint8_t> InfoBytes() const { return DibInfoBytes(Info, Colors); }

    // The logical palette of the colour table, made on first use; null
    // when the table is empty.
    HPALETTE Palette();
    // The colour table changed: the cached palette is made again.
    void ColorsChanged();
    bool PaletteChanged = false;

private:
    uint8_t* BitsAt = nullptr;
    uint32_t Size = 0;
    HANDLE Mapping = nullptr;
    HPALETTE Cached = nullptr;
};

// A logical palette of colour-table entries (0x00RRGGBB); null for none.
HPALETTE MakePalette(const uint32_t* entries, size_t count);
