#pragma once
// Message boxes of the program: every one carries the application title.
#include <windows.h>

#include <exception>
#include <string>

void SetApplicationTitle(const std::wstring& title);
const std::wstring& ApplicationTitle();

int ShowMessageBox(HWND owner, const std::wstring& text, UINT flags);
// The error box for failures that reach the command dispatcher.
void ShowErrorBox(HWND owner, const std::wstring& text);
// What the error box says for an exception: the shown text of an
// EShownError, otherwise what() read in the ANSI code page.
std::wstring ExceptionText(const std::exception& e);
// The error box for the exception being handled (call inside a catch).
void ShowCurrentException(HWND owner);

// The system's text for an error code, with the code in brackets.
std::wstring SystemErrorText(DWORD code);
