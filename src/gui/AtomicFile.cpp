#include "gui/AtomicFile.h"

#include <algorithm>

TAtomicFile::TAtomicFile(std::wstring fileName) : Target(std::move(fileName)), Temp(Target + L".tmp")
{
    File.Reset(CreateFileW(Temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!File) LastError = GetLastError();
}

TAtomicFile::~TAtomicFile()
{
    if (!Done) Discard();
}

void TAtomicFile::Fail(DWORD code)
{
    if (!LastError) LastError = code ? code : ERROR_WRITE_FAULT;
}

void TAtomicFile::Discard()
{
    bool made = bool(File);
    File.Reset();  // closed before it is removed
    if (made) DeleteFileW(Temp.c_str());
    Done = true;
}

bool TAtomicFile::Write(const void* data, size_t size)
{
    if (LastError || Done) return false;
    auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        DWORD chunk = DWORD(std::min<size_t>(size, 1u << 30)), put = 0;
        if (!WriteFile(File.Get(), bytes, chunk, &put, nullptr) || put == 0) {
            Fail(GetLastError());
            return false;
        }
        bytes += put;
        size -= put;
    }
    return true;
}

bool TAtomicFile::Commit(const std::function<void()>& beforeReplace)
{
    if (Done) return false;
    if (!LastError && !FlushFileBuffers(File.Get())) Fail(GetLastError());
    if (LastError) {
        Discard();
        return false;
    }
    File.Reset();  // closed before it is moved
    try {
        if (beforeReplace) beforeReplace();
    } catch (...) {
        DeleteFileW(Temp.c_str());
        Done = true;
        throw;
    }
    if (!MoveFileExW(Temp.c_str(), Target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        Fail(GetLastError());
        DeleteFileW(Temp.c_str());
        Done = true;
        return false;
    }
    Done = true;
    return true;
}

DWORD ReplaceFileWhole(const std::wstring& fileName, const void* data, size_t size,
                       const std::function<void()>& beforeReplace)
{
    TAtomicFile file(fileName);
    if (file.Write(data, size) && file.Commit(beforeReplace)) return 0;
    return file.Error() ? file.Error() : ERROR_WRITE_FAULT;
}
