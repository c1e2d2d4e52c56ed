#pragma once
// The shell's data object for one file or folder, as a drag from a folder
// window hands it over.
#include "gui/Handles.h"
#include "ShellTestHelpers.h"

#include <shlobj.h>

#include <string>

inline ComPtr<IDataObject> DataOf(const std::wstring& path)
{
    ComPtr<IDataObject> data;
    TIDListPtr list = ListOf(path);
    IShellFolder* parent = nullptr;
    PCUITEMID_CHILD child = nullptr;
    if (list && SUCCEEDED(SHBindToParent(list.get(), IID_IShellFolder, reinterpret_cast<void**>(&parent), &child))) {
        parent->GetUIObjectOf(nullptr, 1, &child, IID_IDataObject, nullptr, data.PutVoid());
        parent->Release();
    }
    return data;
}
