#include "core/shell/IDListBytes.h"

#include <cstring>

size_t IDListSize(const uint8_t* list)
{
    if (!list) return 0;
    size_t size = 0;
    while (uint16_t cb = IDItemSize(list + size)) size += cb;
    return size + 2;
}

const uint8_t* IDListNext(const uint8_t* list)
{
    if (!list) return nullptr;
    uint16_t cb = IDItemSize(list);
    if (cb == 0) return nullptr;
    const uint8_t* next = list + cb;
    return IDItemSize(next) == 0 ? nullptr : next;
}

int IDListItemCount(const uint8_t* list)
{
    if (!list) return 0;
    int count = 0;
    for (size_t pos = 0; uint16_t cb = IDItemSize(list + pos); pos += cb) ++count;
    return count;
}

const uint8_t* IDListLastItem(const uint8_t* list)
{
    if (!list || IDItemSize(list) == 0) return nullptr;
    const uint8_t* last = list;
    for (const uint8_t* item = list; IDItemSize(item); item += IDItemSize(item)) last = item;
    return last;
}

size_t IDListParentBytes(const uint8_t* list)
{
    const uint8_t* last = IDListLastItem(list);
    return last ? size_t(last - list) : 0;
}

bool IsSoundIDList(const uint8_t* data, size_t size)
{
    if (size == 0) return true;
    size_t pos = 0;
    while (size - pos >= 2) {
        size_t itemSize = data[pos] | data[pos + 1] << 8;
        if (itemSize == 0) return pos + 2 == size;
        if (itemSize < 2 || itemSize > size - pos) return false;
        pos += itemSize;
    }
    return false;
}

bool IDListBytesEqual(const uint8_t* a, const uint8_t* b)
{
    if (!a || !b) return a == b;
    size_t size = IDListSize(a);
    return size == IDListSize(b) && std::memcmp(a, b, size) == 0;
}
