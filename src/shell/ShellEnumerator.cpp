#include "shell/ShellEnumerator.h"

TChildEnumerator::TChildEnumerator(IShellFolder* folder, HWND owner, SHCONTF flags)
{
    // S_FALSE may come without an enumerator: an empty folder.
    Started = folder && SUCCEEDED(folder->EnumObjects(owner, flags, Items.Put()));
}

PIDList TChildEnumerator::Next()
{
    if (!Items) return nullptr;
    PIDList item = nullptr;
    ULONG fetched = 0;
    if (Items->Next(1, &item, &fetched) != S_OK || !fetched) return nullptr;
    return item;
}
