#pragma once
// Where the program loads DLLs from. The program's folder is wherever the
// user unpacked it, so a DLL named like a system one may lie beside the
// exe: nothing is loaded from there but the plug-ins, by their full paths.
#include <windows.h>

#include <string>

// Call first thing in WinMain: the default DLL search becomes System32
// only (and the current folder leaves it), for every later LoadLibrary,
// delay-load and COM activation.
void RestrictDllSearchToSystem();

// A system DLL by name, from System32 only.
HMODULE LoadSystemLibrary(const wchar_t* name);

// A DLL by its full path; its own folder and System32 are searched for what
// it imports. No error dialog is shown for a broken file.
HMODULE LoadLibraryBesideItself(const std::wstring& path);
