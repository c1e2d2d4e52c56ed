#pragma once
// A system DLL loaded for a few calls and unloaded afterwards, for entries
// the program does not import statically (so that it starts where a DLL or
// an entry is missing, and can tell that it is).
#include <windows.h>

class TSystemLibrary {
public:
    explicit TSystemLibrary(const wchar_t* name) : Module(LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
    {
        // Systems without the search flags refuse it: load by name then.
        if (!Module && GetLastError() == ERROR_INVALID_PARAMETER) Module = LoadLibraryW(name);
    }
    ~TSystemLibrary()
    {
        if (Module) FreeLibrary(Module);
    }
    TSystemLibrary(const TSystemLibrary&) = delete;
    TSystemLibrary& operator=(const TSystemLibrary&) = delete;

    explicit operator bool() const { return Module != nullptr; }
    // The entry as a function pointer of type F, or null.
    template <class F>
    F Proc(const char* name) const
    {
        return Module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(Module, name))) : nullptr;
    }

private:
    HMODULE Module;
};
