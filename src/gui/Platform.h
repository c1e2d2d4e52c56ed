#pragma once
// What the program must know of the system it runs on. Only the few
// entries that are unsafe on a compatibility layer are asked here.
#include <string>

// Whether the program runs under Wine (ntdll exports wine_get_version).
// Some shell entries are stubs there that end the process when called.
bool RunningUnderWine();

// The full path of the running executable (whatever name the user gave it).
std::wstring RunningExecutablePath();
