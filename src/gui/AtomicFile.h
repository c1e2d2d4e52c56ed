#pragma once
// A file the program writes whole or not at all: the bytes go to a
// temporary file beside the target, which is flushed and then moved over
// the target. Until Commit succeeds the old file stays as it was; an
// abandoned or failed writer leaves no temporary file behind.
#include "gui/Handles.h"

#include <cstddef>
#include <functional>
#include <string>

class TAtomicFile {
public:
    explicit TAtomicFile(std::wstring fileName);
    ~TAtomicFile();  // discards what was not committed
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    // False once anything failed; Error() tells the system's reason.
    bool Write(const void* data, size_t size);
    // Flushes and replaces the target. `beforeReplace` runs once the
    // temporary file is complete, just before the move (a throw from it
    // discards the temporary file and goes on to the caller).
    bool Commit(const std::function<void()>& beforeReplace = {});
    DWORD Error() const { return LastError; }

private:
    void Fail(DWORD code);
    void Discard();

    std::wstring Target, Temp;
    TFileHandle File;
    DWORD LastError = 0;
    bool Done = false;
};

// The whole job for bytes already in memory: 0 on success, else the
// system's error code.
DWORD ReplaceFileWhole(const std::wstring& fileName, const void* data, size_t size,
                       const std::function<void()>& beforeReplace = {});
