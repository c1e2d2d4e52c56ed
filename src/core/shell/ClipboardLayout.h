#pragma once
// The byte layouts the shell's clipboard formats use for a set of items, so
// that they can be built and checked without the platform:
//   "Shell IDList Array": a 32-bit count n, n + 1 32-bit offsets from the
//     start of the block, then the parent folder's absolute list and the n
//     relative lists, each with its terminator;
//   CF_HDROP: a 20-byte header (offset of the file list, drop point, whether
//     in the non-client area, whether the names are wide) followed by the
//     names, each ended by a zero character, and one more zero.
#include <cstdint>
#include <string>
#include <vector>

// Null for the parent or an item gives an empty block (nothing to describe).
std::vector<uint8_t> BuildIDListArray(const uint8_t* parent, const std::vector<const uint8_t*>& items);

// Wide (UTF-16) names; an empty name is left out, since it would end the list.
std::vector<uint8_t> BuildWideDropFiles(const std::vector<std::u16string>& paths);

// How a data source says what a paste should do ("Preferred DropEffect").
enum : uint32_t { kDropEffectCopy = 1, kDropEffectMove = 2, kDropEffectLink = 4 };
// A paste moves only when the source asks for a move and does not also allow
// a copy: a source that offers both gets the harmless choice.
inline bool PasteShouldMove(uint32_t preferredEffect)
{
    return (preferredEffect & kDropEffectMove) && !(preferredEffect & kDropEffectCopy);
}
