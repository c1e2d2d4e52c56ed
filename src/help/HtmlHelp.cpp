#include "help/HtmlHelp.h"

namespace {

THtmlHelpW ChosenHelp = nullptr;

THtmlHelpW ViewerEntry()
{
    if (ChosenHelp) return ChosenHelp;
    // Kept loaded: its window lives on after the call returns.
    static HMODULE viewer = LoadLibraryW(L"hhctrl.ocx");
    return viewer ? reinterpret_cast<THtmlHelpW>(reinterpret_cast<void*>(GetProcAddress(viewer, "HtmlHelpW")))
                  : nullptr;
}

void Call(const std::wstring& helpFile, UINT command, DWORD_PTR data)
{
    if (THtmlHelpW htmlHelp = ViewerEntry()) htmlHelp(nullptr, helpFile.c_str(), command, data);
}

}  // namespace

void UseHtmlHelpFunction(THtmlHelpW htmlHelp) { ChosenHelp = htmlHelp; }

void OpenHelpTopic(const std::wstring& helpFile, int context) { Call(helpFile, kHelpContextCall, DWORD_PTR(context)); }

void OpenHelpContents(const std::wstring& helpFile) { Call(helpFile, kHelpDisplayToc, 0); }
