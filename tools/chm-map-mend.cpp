// Mends the context map of a help file compiled by chmcmd 3.2.2, which
// writes each alias target as the project folder's absolute path joined to
// the topic ("/home/me/build/help/topics/a.htm"), a name no help viewer
// finds inside the file. The map's strings ("#STRINGS") are written again with
// that folder cut off ("topics/a.htm"), each in its old place and length, so
// that every offset into them stays right; the new copy is stored
// uncompressed at the end of the file and the directory entry points to it.
//
// Usage: chm-map-mend <file.chm> <its #STRINGS, as chmls extracts it> <project folder>
// A file whose strings name no such path is left as it is.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const Bytes& bytes)
{
    std::string temporary = path + ".mend";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!out.flush()) throw std::runtime_error("cannot write " + temporary);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) throw std::runtime_error("cannot replace " + path);
}

uint32_t Get32(const Bytes& b, size_t at)
{
    if (at + 4 > b.size()) throw std::runtime_error("truncated file");
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

uint64_t Get64(const Bytes& b, size_t at) { return Get32(b, at) | uint64_t(Get32(b, at + 4)) << 32; }

void Put16(Bytes& b, size_t at, uint16_t v)
{
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}

void Put32(Bytes& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

void Put64(Bytes& b, size_t at, uint64_t v)
{
    Put32(b, at, uint32_t(v));
    Put32(b, at + 4, uint32_t(v >> 32));
}

// The directory's numbers: seven bits a byte, most significant first, the
// high bit set on every byte but the last.
uint64_t ReadEncInt(const Bytes& b, size_t& at, size_t end)
{
    uint64_t value = 0;
    for (;;) {
        if (at >= end) throw std::runtime_error("broken directory entry");
        uint8_t byte = b[at++];
        value = value << 7 | (byte & 0x7F);
        if (!(byte & 0x80)) return value;
    }
}

void WriteEncInt(Bytes& out, uint64_t value)
{
    uint8_t groups[10];
    int count = 0;
    do {
        groups[count++] = uint8_t(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1) out.push_back(groups[--count] | 0x80);
    out.push_back(groups[0]);
}

struct TEntry {
    std::string Name;
    uint64_t Section, Offset, Length;
};

// Strings that start with the folder lose it; each keeps its place, the
// bytes it no longer needs becoming zeros. Returns how many were cut.
int CutFolder(Bytes& strings, const std::string& folder)
{
    int cut = 0;
    size_t at = 0;
    while (at < strings.size()) {
        size_t end = at;
        while (end < strings.size() && strings[end] != 0) ++end;
        std::string text(strings.begin() + long(at), strings.begin() + long(end));
        if (text.size() > folder.size() && text.compare(0, folder.size(), folder) == 0) {
            std::string rest = text.substr(folder.size());
            std::memcpy(strings.data() + at, rest.data(), rest.size());
            std::memset(strings.data() + at + rest.size(), 0, text.size() - rest.size());
            ++cut;
        }
        at = end + 1;
    }
    return cut;
}

void PointStringsToCopy(Bytes& chm, uint64_t copyOffset, uint64_t copyLength)
{
    if (chm.size() < 0x60 || std::memcmp(chm.data(), "ITSF", 4) != 0 || Get32(chm, 4) != 3)
        throw std::runtime_error("not a version 3 ITSF file");
    uint64_t directory = Get64(chm, 0x48);
    if (std::memcmp(chm.data() + directory, "ITSP", 4) != 0) throw std::runtime_error("no directory header");
    uint32_t headerLength = Get32(chm, size_t(directory) + 8);
    uint32_t chunkSize = Get32(chm, size_t(directory) + 0x10);
    uint32_t density = Get32(chm, size_t(directory) + 0x14);
    int32_t chunk = int32_t(Get32(chm, size_t(directory) + 0x20));
    uint32_t quickrefStep = 1 + (1u << density);

    for (int guard = 0; chunk != -1 && guard < 100000; ++guard) {
        size_t start = size_t(directory) + headerLength + size_t(chunk) * chunkSize;
        if (start + chunkSize > chm.size() || std::memcmp(chm.data() + start, "PMGL", 4) != 0)
            throw std::runtime_error("broken listing chunk");
        size_t end = start + chunkSize - Get32(chm, start + 4);
        std::vector<TEntry> entries;
        bool found = false;
        for (size_t at = start + 0x14; at < end;) {
            TEntry e;
            uint64_t nameLength = ReadEncInt(chm, at, end);
            if (at + nameLength > end) throw std::runtime_error("broken directory entry");
            e.Name.assign(chm.begin() + long(at), chm.begin() + long(at + nameLength));
            at += nameLength;
            e.Section = ReadEncInt(chm, at, end);
            e.Offset = ReadEncInt(chm, at, end);
            e.Length = ReadEncInt(chm, at, end);
            if (e.Name == "/#STRINGS") {
                e = {e.Name, 0, copyOffset, copyLength};
                found = true;
            }
            entries.push_back(e);
        }
        if (found) {
            Bytes listing;
            std::vector<uint16_t> quickref;
            for (size_t i = 0; i < entries.size(); ++i) {
                // As chmcmd writes them: one for every fifth entry, the fifth included.
                if ((i + 1) % quickrefStep == 0) quickref.push_back(uint16_t(listing.size()));
                WriteEncInt(listing, entries[i].Name.size());
                listing.insert(listing.end(), entries[i].Name.begin(), entries[i].Name.end());
                WriteEncInt(listing, entries[i].Section);
                WriteEncInt(listing, entries[i].Offset);
                WriteEncInt(listing, entries[i].Length);
            }
            size_t tail = 2 + 2 * quickref.size();
            if (0x14 + listing.size() + tail > chunkSize) throw std::runtime_error("the listing chunk is full");
            std::memset(chm.data() + start + 0x14, 0, chunkSize - 0x14);
            std::memcpy(chm.data() + start + 0x14, listing.data(), listing.size());
            Put32(chm, start + 4, uint32_t(chunkSize - 0x14 - listing.size()));
            // Quick references run backwards from the entry count at the chunk's end.
            size_t at = start + chunkSize - 2;
            Put16(chm, at, uint16_t(entries.size()));
            for (uint16_t offset : quickref) Put16(chm, at -= 2, offset);
            return;
        }
        chunk = int32_t(Get32(chm, start + 0x10));
    }
    throw std::runtime_error("no /#STRINGS entry");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: chm-map-mend <file.chm> <#STRINGS file> <project folder>\n");
        return 2;
    }
    try {
        Bytes chm = ReadFile(argv[1]);
        Bytes strings = ReadFile(argv[2]);
        std::string folder = argv[3];
        if (folder.empty() || folder.back() != '/') folder += '/';
        if (CutFolder(strings, folder) == 0) return 0;

        uint64_t contentStart = Get64(chm, 0x58);
        uint64_t copyOffset = chm.size() - contentStart;
        PointStringsToCopy(chm, copyOffset, strings.size());
        chm.insert(chm.end(), strings.begin(), strings.end());
        Put64(chm, size_t(Get64(chm, 0x38)) + 8, chm.size());  // the file size in header section 0
        WriteFile(argv[1], chm);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "chm-map-mend: %s: %s\n", argv[1], e.what());
        return 1;
    }
}
