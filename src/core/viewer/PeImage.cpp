#include "core/viewer/PeImage.h"

#include "core/viewer/DibLayout.h"

#include <cstring>

namespace {

struct TPeHeaders {
    size_t FileHeader = 0;  // offset of the COFF file header
    uint16_t Machine = 0;
    size_t Sections = 0;    // offset of the section table
    uint16_t SectionCount = 0;
    size_t Optional = 0;
    uint16_t OptionalSize = 0;
};

bool ReadHeaders(std::span<const uint8_t> f, TPeHeaders& h)
{
    if (f.size() < 0x40 || f[0] != 'M' || f[1] != 'Z') return false;
    uint32_t pe = ReadLe32(f.data() + 0x3C);
    if (uint64_t(pe) + 24 > f.size() || std::memcmp(f.data() + pe, "PE\0\0", 4) != 0) return false;
    h.FileHeader = pe + 4;
    h.Machine = ReadLe16(f.data() + h.FileHeader);
    h.SectionCount = ReadLe16(f.data() + h.FileHeader + 2);
    h.OptionalSize = ReadLe16(f.data() + h.FileHeader + 16);
    h.Optional = h.FileHeader + 20;
    h.Sections = h.Optional + h.OptionalSize;
    return h.Sections + uint64_t(h.SectionCount) * 40 <= f.size();
}

// The file offset of a relative virtual address, or 0 when no section holds it.
size_t RvaToOffset(std::span<const uint8_t> f, const TPeHeaders& h, uint32_t rva)
{
    for (uint16_t i = 0; i < h.SectionCount; ++i) {
        const uint8_t* s = f.data() + h.Sections + size_t(i) * 40;
        uint32_t va = ReadLe32(s + 12), rawSize = ReadLe32(s + 16), raw = ReadLe32(s + 20);
        uint32_t vsize = ReadLe32(s + 8);
        uint32_t span = vsize > rawSize ? vsize : rawSize;
        if (rva >= va && rva - va < span && rva - va < rawSize) {
            uint64_t off = uint64_t(raw) + (rva - va);
            return off < f.size() ? size_t(off) : 0;
        }
    }
    return 0;
}

}  // namespace

uint16_t PeMachine(std::span<const uint8_t> file)
{
    TPeHeaders h;
    return ReadHeaders(file, h) ? h.Machine : 0;
}

std::vector<std::string> PeImportedDlls(std::span<const uint8_t> f)
{
    std::vector<std::string> names;
    TPeHeaders h;
    if (!ReadHeaders(f, h) || h.OptionalSize < 2) return names;
    uint16_t magic = ReadLe16(f.data() + h.Optional);
    size_t dirs = h.Optional + (magic == 0x20B ? 112 : 96);  // PE32+ or PE32
    if (dirs + 16 > h.Optional + h.OptionalSize) return names;
    uint32_t importRva = ReadLe32(f.data() + dirs + 8);  // directory entry 1
    size_t at = importRva ? RvaToOffset(f, h, importRva) : 0;
    if (!at) return names;
    for (; at + 20 <= f.size(); at += 20) {
        uint32_t nameRva = ReadLe32(f.data() + at + 12);
        if (nameRva == 0 && ReadLe32(f.data() + at + 16) == 0) break;
        size_t name = RvaToOffset(f, h, nameRva);
        if (!name) break;
        const char* p = reinterpret_cast<const char*>(f.data() + name);
        names.emplace_back(p, strnlen(p, f.size() - name));
        if (names.size() > 4096) break;
    }
    return names;
}
