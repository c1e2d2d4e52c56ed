#pragma once
// Message boxes of the program: every one carries the application title.
#include <windows.h>

#include <string>

void SetApplicationTitle(const std::wstring& title);
const std::wstring& ApplicationTitle();

int ShowMessageBox(HWND owner, const std::wstring& text, UINT flags);
// The error box for failures that reach the command dispatcher.
void ShowErrorBox(HWND owner, const std::wstring& text);

// The system's text for an error code, with the code in brackets.
std::wstring SystemErrorText(DWORD code);
