#include "report/dib/DibStorage.h"

#include "core/commands/ShownError.h"

#include <algorithm>
#include <cstring>
#include <new>

TDibStorage::TDibStorage(const TDibInfo& info, const std::array<uint32_t, kMaxDibColors>& colors, uint32_t imageSize,
                         bool mapped)
    : Info(info), Colors(colors), Size(imageSize)
{
    // A bitmap has at least one byte of bits, which keeps the memory calls
    // away from size 0.
    const DWORD bytes = std::max<DWORD>(imageSize, 1);
    if (mapped) {
        Mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, bytes, nullptr);
        if (!Mapping) throw EOutOfResources("GetMemory: Cannot Make File Mapping Object");
        BitsAt = static_cast<uint8_t*>(MapViewOfFile(Mapping, FILE_MAP_ALL_ACCESS, 0, 0, bytes));
        if (!BitsAt) {
            CloseHandle(Mapping);
            throw EOutOfResources("GetMemory: Cannot Make View of File Map");
        }
    } else {
        BitsAt = static_cast<uint8_t*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes));
        if (!BitsAt) throw std::bad_alloc();
    }
}

TDibStorage::~TDibStorage()
{
    if (Mapping) {
        UnmapViewOfFile(BitsAt);
        CloseHandle(Mapping);
    } else if (BitsAt) {
        HeapFree(GetProcessHeap(), 0, BitsAt);
    }
    if (Cached) DeleteObject(Cached);
}

std::shared_ptr<TDibStorage> TDibStorage::FromDib(const TDib& dib, bool mapped)
{
    auto storage = std::make_shared<TDibStorage>(dib.Info, dib.Colors, dib.ImageSize(), mapped);
    if (!dib.Bits.empty()) std::memcpy(storage->Bits(), dib.Bits.data(), dib.Bits.size());
    return storage;
}

std::shared_ptr<TDibStorage> TDibStorage::Blank(const TDibInfo& info, bool mapped)
{
    return std::make_shared<TDibStorage>(info, std::array<uint32_t, kMaxDibColors>{}, uint32_t(DibImageBytes(info)),
                                         mapped);
}

std::shared_ptr<TDibStorage> TDibStorage::Copy() const
{
    auto copy = std::make_shared<TDibStorage>(Info, Colors, Size, Mapped());
    if (Size) std::memcpy(copy->Bits(), BitsAt, Size);
    return copy;
}

TDib TDibStorage::ToDib() const
{
    TDib dib;
    dib.Info = Info;
    dib.Colors = Colors;
    dib.Bits.assign(BitsAt, BitsAt + Size);
    return dib;
}

HPALETTE MakePalette(const uint32_t* entries, size_t count)
{
    if (count == 0) return nullptr;
    count = std::min<size_t>(count, kMaxDibColors);
    std::vector<uint8_t> block(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(block.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = WORD(count);
    for (size_t i = 0; i < count; ++i)
        palette->palPalEntry[i] = {BYTE(entries[i] >> 16), BYTE(entries[i] >> 8), BYTE(entries[i]), 0};
    return CreatePalette(palette);
}

HPALETTE TDibStorage::Palette()
{
    if (!Cached) {
        const uint32_t entries = DibTableEntries(Info);
        if (entries == 0) return nullptr;
        Cached = MakePalette(Colors.data(), entries);
        if (!Cached) throw EOutOfResources("GetPaletteFromDIBInfos: Cannot Make Palette");
    }
    return Cached;
}

void TDibStorage::ColorsChanged()
{
    if (Cached) DeleteObject(Cached);
    Cached = nullptr;
    PaletteChanged = true;
}
