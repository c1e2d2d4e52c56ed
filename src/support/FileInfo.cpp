#include "support/FileInfo.h"

#include <cstring>

#include "core/support/SystemFacts.h"
#include "gui/SystemLibrary.h"

namespace {

// VERSION.DLL is no known DLL of the system: imported, it would be looked
// for beside the program first. It is loaded from the system folder once,
// for the life of the program.
struct TVersionEntries {
    TSystemLibrary Library{L"VERSION.DLL"};
    using TSize = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
    using TRead = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
    using TQuery = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
    TSize Size = Library.Proc<TSize>("GetFileVersionInfoSizeW");
    TRead Read = Library.Proc<TRead>("GetFileVersionInfoW");
    TQuery Query = Library.Proc<TQuery>("VerQueryValueW");
};

const TVersionEntries& Version()
{
    static const TVersionEntries entries;
    return entries;
}

bool QueryValue(const void* block, const wchar_t* path, void** value, UINT* length)
{
    return Version().Query && Version().Query(block, path, value, length);
}

}  // namespace

TVersionResource::TVersionResource(const std::wstring& fileName)
{
    const TVersionEntries& version = Version();
    if (!version.Size || !version.Read) return;
    DWORD handle = 0;
    DWORD size = version.Size(fileName.c_str(), &handle);
    if (size == 0) return;
    Block.resize(size);
    if (!version.Read(fileName.c_str(), 0, size, Block.data())) Block.clear();
}

const VS_FIXEDFILEINFO* TVersionResource::Fixed() const
{
    void* value = nullptr;
    UINT length = 0;
    if (Block.empty() || !QueryValue(Block.data(), L"\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO))
        return nullptr;
    return static_cast<const VS_FIXEDFILEINFO*>(value);
}

bool TVersionResource::Translation(WORD (&translation)[2]) const
{
    void* value = nullptr;
    UINT length = 0;
    if (Block.empty() || !QueryValue(Block.data(), L"\\VarFileInfo\\Translation", &value, &length) || length < 4)
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
    if (!QueryValue(Block.data(), query.c_str(), &value, &length) || length == 0) return std::nullopt;
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
