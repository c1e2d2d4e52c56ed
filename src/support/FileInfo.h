#pragma once
// The version resource of one file: its fixed block and the seven version
// strings of its first translation.
#include <windows.h>

#include <string>

class TFileInfo {
public:
    // Reads the file's version resource, unless it is the file already read.
    void SetFileName(const std::wstring& fileName);
    const std::wstring& FileName() const { return FFileName; }

    // Empty when the file has no version resource (or no translation); a
    // string the resource lacks reads "UnKnown".
    std::wstring ProductVersion, ProductName, CompanyName, OriginalFilename, FileDescription, FileVersion, InternalName;
    // All zero without a version resource.
    VS_FIXEDFILEINFO FixedFileInfo{};

private:
    void ReadVersion();

    std::wstring FFileName;
    bool Read = false;
};
