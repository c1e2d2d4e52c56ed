#include "support/FileInfo.h"

#include <cstring>
#include <vector>

#include "core/support/SystemFacts.h"

void TFileInfo::SetFileName(const std::wstring& fileName)
{
    if (Read && fileName == FFileName) return;
    FFileName = fileName;
    Read = true;
    ReadVersion();
}

void TFileInfo::ReadVersion()
{
    std::wstring* strings[] = {&ProductVersion, &ProductName, &CompanyName, &OriginalFilename,
                               &FileDescription, &FileVersion, &InternalName};
    const wchar_t* names[] = {L"ProductVersion", L"ProductName", L"CompanyName", L"OriginalFilename",
                              L"FileDescription", L"FileVersion", L"InternalName"};
    for (std::wstring* s : strings) s->clear();
    FixedFileInfo = VS_FIXEDFILEINFO{};

    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(FFileName.c_str(), &handle);
    if (size == 0) return;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(FFileName.c_str(), 0, size, block.data())) return;

    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", &value, &length) && length >= sizeof FixedFileInfo)
        std::memcpy(&FixedFileInfo, value, sizeof FixedFileInfo);
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length) || length < 4) return;
    WORD translation[2];
    std::memcpy(translation, value, sizeof translation);
    for (size_t i = 0; i < std::size(names); ++i) {
        std::wstring query = VersionStringQuery(translation[0], translation[1], names[i]);
        if (VerQueryValueW(block.data(), query.c_str(), &value, &length) && length > 0)
            *strings[i] = std::wstring(static_cast<const wchar_t*>(value), wcsnlen(static_cast<const wchar_t*>(value), length));
        else
            *strings[i] = kUnknown;
    }
}
