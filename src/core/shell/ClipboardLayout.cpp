#include "core/shell/ClipboardLayout.h"

#include "core/shell/IDListBytes.h"

#include <cstring>

namespace {

void PutUInt32(std::vector<uint8_t>& block, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i) block[at + size_t(i)] = uint8_t(value >> (8 * i));
}

void Append(std::vector<uint8_t>& block, const uint8_t* data, size_t size)
{
    block.insert(block.end(), data, data + size);
}

}  // namespace

std::vector<uint8_t> BuildIDListArray(const uint8_t* parent, const std::vector<const uint8_t*>& items)
{
    if (!parent) return {};
    for (const uint8_t* item : items)
        if (!item) return {};
    size_t count = items.size();
    std::vector<uint8_t> block(4 * (count + 2), 0);
    PutUInt32(block, 0, uint32_t(count));
    PutUInt32(block, 4, uint32_t(block.size()));
    Append(block, parent, IDListSize(parent));
    for (size_t i = 0; i < count; ++i) {
        PutUInt32(block, 4 * (i + 2), uint32_t(block.size()));
        Append(block, items[i], IDListSize(items[i]));
    }
    return block;
}

std::vector<uint8_t> BuildWideDropFiles(const std::vector<std::u16string>& paths)
{
    const size_t header = 20;
    std::vector<uint8_t> block(header, 0);
    PutUInt32(block, 0, uint32_t(header));  // where the names start
    PutUInt32(block, 16, 1);                // the names are wide
    auto putChar = [&block](char16_t c) {
        block.push_back(uint8_t(c & 0xFF));
        block.push_back(uint8_t(c >> 8));
    };
    for (const std::u16string& path : paths) {
        if (path.empty()) continue;
        for (char16_t c : path) putChar(c);
        putChar(0);
    }
    putChar(0);
    return block;
}
