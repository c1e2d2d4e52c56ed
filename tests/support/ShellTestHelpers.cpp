#include "ShellTestHelpers.h"

#include "gui/Handles.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <chrono>

TIDListPtr ListOf(const std::wstring& path) { return PathToIDList(path); }

void MakeFile(const std::wstring& path, uint64_t size, DWORD attributes, const SYSTEMTIME* written)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    LARGE_INTEGER end;
    end.QuadPart = LONGLONG(size);
    SetFilePointerEx(h, end, nullptr, FILE_BEGIN);
    SetEndOfFile(h);
    if (written) {
        FILETIME local, utc;
        SystemTimeToFileTime(written, &local);
        LocalFileTimeToFileTime(&local, &utc);
        SetFileTime(h, nullptr, nullptr, &utc);
    }
    CloseHandle(h);
    SetFileAttributesW(path.c_str(), attributes);
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) return true;
        if (std::chrono::steady_clock::now() > end) return false;
        Sleep(10);
    }
}

std::wstring ResolvedTarget(const std::wstring& linkPath)
{
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid())))
        return L"(no link object)";
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) || FAILED(file->Load(linkPath.c_str(), STGM_READ)))
        return L"(not loaded)";
    wchar_t target[MAX_PATH] = L"";
    if (FAILED(link->GetPath(target, MAX_PATH, nullptr, 0))) return L"(no path)";
    return target;
}
