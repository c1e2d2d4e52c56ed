#include "support/FileInfo.h"

#include <cstring>

#include "core/support/SystemFacts.h"

TVersionResource::TVersionResource(const std::wstring& fileName)
{
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(fileName.c_str(), &handle);
    if (size == 0) return;
    Block.resize(size);
    if (!GetFileVersionInfoW(fileName.c_str(), 0, size, Block.data())) Block.clear();
}

const VS_FIXEDFILEINFO* TVersionResource::Fixed() const
{
    void* value = nullptr;
    UINT length = 0;
    if (Block.empty() || !VerQueryValueW(Block.data(), L"\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO))
        return nullptr;
    return static_cast<const VS_FIXEDFILEINFO*>(value);
}

bool TVersionResource::Translation(WORD (&translation)[2]) const
{
    void* value = nullptr;
    UINT length = 0;
    if (Block.empty() || !VerQueryValueW(Block.data(), L"\\VarFileInfo\\Translation", &value, &length) || length < 4)
        return false;
    std::memcpy(translation, value, sizeof translation);
    return true;
}

bool TVersionResource::HasTranslation() const
{
    WORD translation[2];
    return Translation(translation);
}

std::optional<std::wstring> TVersionResource::String(const wchar_t* name) const
{
    WORD translation[2];
    if (!Translation(translation)) return std::nullopt;
    void* value = nullptr;
    UINT length = 0;
    std::wstring query = VersionStringQuery(translation[0], translation[1], name);
    if (!VerQueryValueW(Block.data(), query.c_str(), &value, &length) || length == 0) return std::nullopt;
    return std::wstring(static_cast<const wchar_t*>(value), wcsnlen(static_cast<const wchar_t*>(value), length));
}

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

    TVersionResource resource(FFileName);
    if (const VS_FIXEDFILEINFO* fixed = resource.Fixed()) FixedFileInfo = *fixed;
    // Without a translation every string stays empty; with one, a string
    // the resource lacks is named unknown.
    if (!resource.HasTranslation()) return;
    for (size_t i = 0; i < std::size(names); ++i) *strings[i] = resource.String(names[i]).value_or(kUnknown);
}
