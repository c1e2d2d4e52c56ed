#include "HostCommand.h"

#include <string>

std::wstring HostPath(const std::wstring& windowsPath)
{
    using TUnixName = char*(CDECL*)(const wchar_t*);
    static auto unixName = reinterpret_cast<TUnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName) return {};
    char* name = unixName(windowsPath.c_str());
    if (!name) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, name, -1, nullptr, 0);
    std::wstring path(size_t(n > 0 ? n - 1 : 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, name, -1, path.data(), n);
    HeapFree(GetProcessHeap(), 0, name);
    return path;
}

std::wstring ShellQuoted(const std::wstring& text)
{
    std::wstring quoted = L"'";
    for (wchar_t c : text) quoted += c == L'\'' ? std::wstring(L"'\\''") : std::wstring(1, c);
    return quoted + L"'";
}

bool RunOnHost(const std::wstring& command, DWORD timeoutMs)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static unsigned counter = 0;
    std::wstring marker = std::wstring(temp) + L"qv-host-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                          std::to_wstring(++counter) + L".done";
    std::wstring hostMarker = HostPath(marker);
    if (hostMarker.empty() || command.find(L'"') != std::wstring::npos) return false;
    std::wstring line = L"/bin/sh -c \"" + command + L"; touch " + ShellQuoted(hostMarker) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(L"Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    if (process.hProcess) CloseHandle(process.hProcess);
    if (process.hThread) CloseHandle(process.hThread);
    for (DWORD waited = 0; waited < timeoutMs; waited += 10) {
        if (GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES) {
            DeleteFileW(marker.c_str());
            return true;
        }
        Sleep(10);
    }
    return false;
}
