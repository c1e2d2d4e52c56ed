#pragma once
// Movable local memory handed between a plug-in and its host: unlocks (when
// locked) and frees a block, and clears both the handle and the pointer.
#include <windows.h>

template <class T>
inline void FreeLocalBlock(HLOCAL& handle, T*& locked)
{
    if (handle) {
        if (locked) LocalUnlock(handle);
        LocalFree(handle);
    }
    handle = nullptr;
    locked = nullptr;
}
