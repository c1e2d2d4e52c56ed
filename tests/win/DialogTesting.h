#pragma once
// What the dialog tests share beside GuiTestHelpers: the controls' classes,
// files whose content names them, and typing and pressing in a dialog.
#include "gui/Dialog.h"
#include "support/GuiTestHelpers.h"
#include "support/TempFolder.h"

#include <string>
#include <vector>

inline void InitDialogControls() { PrepareControls(ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES); }

// Files holding their own names, so that a test can see which object ends
// under which name.
inline void MakeNamedFiles(const std::wstring& folder, const std::vector<std::wstring>& names)
{
    for (const std::wstring& name : names) {
        std::vector<uint8_t> bytes;
        for (wchar_t c : name) bytes.push_back(uint8_t(c & 0xFF));
        WriteWholeFile(folder + L"\\" + name, bytes);
    }
}

inline std::wstring FileContentName(const std::wstring& path)
{
    std::wstring name;
    for (uint8_t b : ReadWholeFile(path)) name += wchar_t(b);
    return name;
}

// What a user's typing or clicking does to a control of a dialog.
// Typing replaces the selection, which raises the change notification even
// in a multi-line edit (setting the text does not).
inline void TypeText(const TDialog& dialog, int id, const std::wstring& text)
{
    HWND edit = dialog.Item(id);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

// Replaces the box's text with the clipboard's, as Ctrl+V over a whole
// selection does.
inline void PasteText(const TDialog& dialog, int id, const std::wstring& text)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (auto* chars = static_cast<wchar_t*>(GlobalLock(block))) {
        std::copy(text.c_str(), text.c_str() + text.size() + 1, chars);
        GlobalUnlock(block);
    }
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        if (!SetClipboardData(CF_UNICODETEXT, block)) GlobalFree(block);
        CloseClipboard();
    }
    HWND edit = dialog.Item(id);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_PASTE, 0, 0);
}

inline void ClickButton(const TDialog& dialog, int id) { SendMessageW(dialog.Item(id), BM_CLICK, 0, 0); }

inline bool ItemEnabled(const TDialog& dialog, int id) { return IsWindowEnabled(dialog.Item(id)) != 0; }
