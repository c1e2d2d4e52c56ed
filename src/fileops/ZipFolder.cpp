#include "fileops/ZipFolder.h"

#include "core/fileops/EmptyZip.h"
#include "shell/ShellHelpers.h"

#include <windows.h>

#include <system_error>

namespace {

[[noreturn]] void Fail(DWORD code) { throw std::system_error(int(code), std::system_category()); }

}  // namespace

std::wstring CreateEmptyZipIn(const std::wstring& folder)
{
    // The disk decides what is taken: the names shown may hide extensions.
    auto taken = [&folder](const std::wstring& name) {
        return GetFileAttributesW(JoinPath(folder, name).c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring name = FreeZipFileName(taken);
        if (name.empty()) Fail(ERROR_FILE_EXISTS);
        std::wstring path = JoinPath(folder, name);
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            DWORD error = GetLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
            Fail(error);
        }
        const auto& bytes = EmptyZipBytes();
        DWORD written = 0;
        bool ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
        DWORD error = ok ? 0 : GetLastError();
        if (!CloseHandle(file) && ok) {
            ok = false;
            error = GetLastError();
        }
        if (!ok) {
            DeleteFileW(path.c_str());
            Fail(error ? error : ERROR_WRITE_FAULT);
        }
        return name;
    }
    Fail(ERROR_FILE_EXISTS);
}
