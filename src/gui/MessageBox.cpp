#include "gui/MessageBox.h"

static std::wstring& TitleStorage()
{
    static std::wstring title = L"Quirevue";
    return title;
}

void SetApplicationTitle(const std::wstring& title) { TitleStorage() = title; }
const std::wstring& ApplicationTitle() { return TitleStorage(); }

int ShowMessageBox(HWND owner, const std::wstring& text, UINT flags)
{
    return MessageBoxW(owner, text.c_str(), ApplicationTitle().c_str(), flags);
}

void ShowErrorBox(HWND owner, const std::wstring& text)
{
    ShowMessageBox(owner, text, MB_OK | MB_ICONERROR);
}
