#pragma once
// The version resource of one file: its fixed block and the seven version
// strings of its first translation.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// One file's version resource, read once.
class TVersionResource {
public:
    explicit TVersionResource(const std::wstring& fileName);

    // The fixed block, or null.
    const VS_FIXEDFILEINFO* Fixed() const;
    // Whether it names a translation (language and code page) for its
    // strings.
    bool HasTranslation() const;
    // A string of the first translation; nothing when the resource has no
    // translation or no such string.
    std::optional<std::wstring> String(const wchar_t* name) const;

private:
    bool Translation(WORD (&translation)[2]) const;

    std::vector<BYTE> Block;
};

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
