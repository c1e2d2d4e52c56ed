#pragma once
// A row of a folder list as plain values: what the export and the printed
// listing take, so that neither holds on to the list's rows (a change
// watcher may rebuild them while a dialog is open).
#include <cstdint>
#include <string>

struct TListRowRecord {
    std::wstring Name;       // as the list shows it (the display name)
    std::wstring FileName;   // the file-system name (the display name for virtual rows)
    std::wstring Path;       // empty for objects without a file-system path
    uint64_t Size = 0;       // all 64 bits
    std::wstring SizeText;   // the list's column texts
    std::wstring TypeText;
    std::wstring DateText;
    uint64_t LastWrite = 0;  // 100-ns intervals since 1601, UTC (0: unknown)
    uint32_t Attributes = 0; // FILE_ATTRIBUTE_* bits
    bool Folder = false;
    int IconIndex = -1;      // in the system's small image list
};
