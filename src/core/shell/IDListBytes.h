#pragma once
// The byte layout of item identifier lists: items of a 16-bit little-endian
// length that counts itself, ended by a 16-bit zero. The empty list (only
// the terminator) is the desktop. Null stands for the absent list. These
// functions only read; allocation is the platform layer's.
#include <cstddef>
#include <cstdint>

// The length field of the item at `item` (0 at the terminator).
inline uint16_t IDItemSize(const uint8_t* item) { return uint16_t(item[0] | item[1] << 8); }

// Total size including the two-byte terminator; 0 for null.
size_t IDListSize(const uint8_t* list);
// The identifier after the first one, or null when the first length is 0 or
// the following one is 0 (null also for null).
const uint8_t* IDListNext(const uint8_t* list);
// The number of identifiers; 0 for the desktop and for null.
int IDListItemCount(const uint8_t* list);
// Where the last identifier starts, or null for null and the desktop.
const uint8_t* IDListLastItem(const uint8_t* list);
// Bytes of every identifier but the last (no terminator); 0 for a list of
// at most one identifier.
size_t IDListParentBytes(const uint8_t* list);
// Whether `size` bytes hold exactly one sound list (empty counts as sound).
bool IsSoundIDList(const uint8_t* data, size_t size);
// Byte-wise equality of two lists (null equals only null).
bool IDListBytesEqual(const uint8_t* a, const uint8_t* b);
