#pragma once
// The HTML Help viewer, loaded on first use: the help file opened at a
// topic by its context number, or at its table of contents. The viewer
// reports a missing file itself.
#include <windows.h>

#include <string>

using THtmlHelpW = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

inline constexpr UINT kHelpDisplayToc = 0x0001;   // HH_DISPLAY_TOC
inline constexpr UINT kHelpContextCall = 0x000F;  // HH_HELP_CONTEXT

// The topic of `context` (no owner window: the viewer stays beside the
// program, not on top of it).
void OpenHelpTopic(const std::wstring& helpFile, int context);
// The table of contents.
void OpenHelpContents(const std::wstring& helpFile);

// The function the two call instead of the viewer's (null: the viewer's).
void UseHtmlHelpFunction(THtmlHelpW htmlHelp);
