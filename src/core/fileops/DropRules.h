#pragma once
// What a drop of files does, decided without the platform: the effect the
// keys and volumes choose, and which drops into a folder are refused.
#include <cstdint>
#include <string_view>

// The effects, with the platform's values (DROPEFFECT_*).
enum : uint32_t {
    DropNone = 0,
    DropCopy = 1,
    DropMove = 2,
    DropLink = 4,
};

// The keys held during a drag, as MK_* flags give them.
struct DropKeys {
    bool control = false;
    bool shift = false;
    bool alt = false;
};

// The effect of a drop: without keys a move within one volume and a copy
// across volumes; Ctrl copies, Shift moves, Ctrl+Shift or Alt links. Only an
// effect the source allows is chosen; when the keys' effect is not allowed,
// the first allowed of the default order (the no-key effect, then copy,
// move, link) is taken without keys, and nothing with keys.
uint32_t ChooseDropEffect(DropKeys keys, bool sameVolume, uint32_t allowed);

// Whether moving or copying the folder `source` into the folder `target`
// would put it into itself or one of its own subfolders. Paths are full,
// with backslashes; case is ignored as the file system ignores it.
bool IsSelfOrBelow(std::wstring_view source, std::wstring_view target);

// Whether the two full paths name the same folder (case and one trailing
// backslash ignored).
bool SameFolderPath(std::wstring_view a, std::wstring_view b);
