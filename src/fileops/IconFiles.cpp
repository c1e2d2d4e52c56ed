#include "fileops/IconFiles.h"

#include "core/fileops/IconFile.h"
#include "core/report/DibFile.h"
#include "gui/AtomicFile.h"
#include "gui/Handles.h"

#include <shellapi.h>

#include <optional>
#include <vector>

namespace {

std::vector<uint8_t> ReadFileBytes(const std::wstring& path)
{
    std::vector<uint8_t> bytes;
    TFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > (64 << 20)) return bytes;
    bytes.resize(size_t(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data(), DWORD(bytes.size()), &read, nullptr) || read != bytes.size()) bytes.clear();
    return bytes;
}

// A resource's bytes, or nothing.
std::optional<std::vector<uint8_t>> ResourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type)
{
    HRSRC found = FindResourceW(module, name, type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    auto* data = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    DWORD size = found ? SizeofResource(module, found) : 0;
    if (!data || size == 0) return std::nullopt;
    return std::vector<uint8_t>(data, data + size);
}

struct TGroupSearch {
    int Wanted;
    int Seen = 0;
    std::wstring Name;  // "#id" for a numbered group
    bool Found = false;
};

BOOL CALLBACK VisitGroup(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param)
{
    auto* search = reinterpret_cast<TGroupSearch*>(param);
    if (search->Seen++ != search->Wanted) return TRUE;
    search->Name = IS_INTRESOURCE(name) ? L"#" + std::to_wstring(ULONG_PTR(name)) : std::wstring(name);
    search->Found = true;
    return FALSE;
}

// The icon file of group `index` of a program or library: the groups are
// counted in the order icon extraction counts them.
std::optional<std::vector<uint8_t>> GroupIconFile(const std::wstring& source, int index)
{
    TLibraryHandle module(LoadLibraryExW(source.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!module) module.Reset(LoadLibraryExW(source.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!module) return std::nullopt;
    TGroupSearch search{index};
    EnumResourceNamesW(module.Get(), RT_GROUP_ICON, VisitGroup, LONG_PTR(&search));
    if (!search.Found) return std::nullopt;
    std::optional<std::vector<uint8_t>> group = ResourceBytes(module.Get(), search.Name.c_str(), RT_GROUP_ICON);
    if (!group) return std::nullopt;
    return IconFileFromGroup(*group, [&](uint16_t id) { return ResourceBytes(module.Get(), MAKEINTRESOURCEW(id), RT_ICON); });
}

// The images of an icon file, checked and written again.
std::optional<std::vector<uint8_t>> IconFileItself(const std::wstring& source)
{
    std::optional<std::vector<TIconImage>> images = ReadIconFile(ReadFileBytes(source));
    if (!images) return std::nullopt;
    return WriteIconFile(*images);
}

// The one image of an icon handle, 32 bits with its mask.
std::optional<std::vector<uint8_t>> IconHandleFile(HICON icon)
{
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return std::nullopt;
    TBitmapHandle color(info.hbmColor), mask(info.hbmMask);
    BITMAP bm{};
    GetObjectW(color ? color.Get() : mask.Get(), sizeof bm, &bm);
    int width = bm.bmWidth, height = color ? bm.bmHeight : bm.bmHeight / 2;
    if (width <= 0 || height <= 0 || width > 256 || height > 256) return std::nullopt;

    TWindowDC screen(nullptr);
    std::vector<uint8_t> colorBits(size_t(width) * 4 * size_t(height));
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 32, BI_RGB};
    if (color) {
        if (!GetDIBits(screen.Get(), color.Get(), 0, UINT(height), colorBits.data(), &bi, DIB_RGB_COLORS))
            return std::nullopt;
    } else {
        // A two-colour icon: its picture drawn as a 32-bit one.
        void* bits = nullptr;
        TBitmapHandle section(CreateDIBSection(screen.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        HDC memory = CreateCompatibleDC(screen.Get());
        HGDIOBJ old = SelectObject(memory, section.Get());
        DrawIconEx(memory, 0, 0, icon, width, height, 0, nullptr, DI_IMAGE);
        GdiFlush();
        SelectObject(memory, old);
        DeleteDC(memory);
        if (bits) memcpy(colorBits.data(), bits, colorBits.size());
    }
    struct {
        BITMAPINFOHEADER Header;
        RGBQUAD Colors[2];
    } monochrome{};
    monochrome.Header = {sizeof(BITMAPINFOHEADER), width, color ? height : height * 2, 1, 1, BI_RGB};
    monochrome.Colors[1] = {255, 255, 255, 0};
    size_t maskStride = size_t((width + 31) / 32 * 4);
    std::vector<uint8_t> maskBits(maskStride * size_t(height) * (color ? 1 : 2));
    // Bottom-up: the AND mask of a two-colour icon is the upper half.
    if (!GetDIBits(screen.Get(), mask.Get(), 0, UINT(color ? height : height * 2), maskBits.data(),
                   reinterpret_cast<BITMAPINFO*>(&monochrome), DIB_RGB_COLORS))
        return std::nullopt;
    if (!color) maskBits.erase(maskBits.begin(), maskBits.begin() + std::ptrdiff_t(maskStride * size_t(height)));
    return WriteIconFile({IconImageFromBits(width, height, colorBits, maskBits)});
}

std::wstring LowerExtension(const std::wstring& path)
{
    size_t dot = path.find_last_of(L'.');
    if (dot == std::wstring::npos || path.find_first_of(L"\\/", dot) != std::wstring::npos) return {};
    std::wstring ext = path.substr(dot);
    CharLowerBuffW(ext.data(), DWORD(ext.size()));
    return ext;
}

}  // namespace

int IconCountOf(const std::wstring& file)
{
    return int(UINT_PTR(ExtractIconW(GetModuleHandleW(nullptr), file.c_str(), UINT(-1))));
}

HICON ExtractIconOf(const std::wstring& file, int index)
{
    HICON icon = ExtractIconW(GetModuleHandleW(nullptr), file.c_str(), UINT(index));
    return UINT_PTR(icon) > 1 ? icon : nullptr;
}

DWORD SaveIconFile(const std::wstring& target, const std::wstring& source, int index, HICON icon)
{
    std::optional<std::vector<uint8_t>> bytes;
    if (!source.empty()) bytes = LowerExtension(source) == L".ico" ? IconFileItself(source) : GroupIconFile(source, index);
    if (!bytes) bytes = IconHandleFile(icon);
    if (!bytes) return ERROR_INVALID_DATA;
    return ReplaceFileWhole(target, bytes->data(), bytes->size());
}

DWORD SaveIconBitmap(const std::wstring& target, HICON icon, int size)
{
    if (!icon || size <= 0) return ERROR_INVALID_DATA;
    TDib dib = CreateDib(size, size, 0, 24);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), size, size, 1, 24, BI_RGB};
    void* bits = nullptr;
    TWindowDC screen(nullptr);
    TBitmapHandle section(CreateDIBSection(screen.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || !bits) return GetLastError() ? GetLastError() : ERROR_NOT_ENOUGH_MEMORY;
    HDC memory = CreateCompatibleDC(screen.Get());
    HGDIOBJ old = SelectObject(memory, section.Get());
    RECT all{0, 0, size, size};
    TBrushHandle white(CreateSolidBrush(kIconBitmapBackground));
    FillRect(memory, &all, white.Get());
    DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    SelectObject(memory, old);
    DeleteDC(memory);
    // Both are bottom-up rows padded to four bytes.
    memcpy(dib.Bits.data(), bits, dib.Bits.size());
    std::vector<uint8_t> file = SaveDibFile(dib);
    return ReplaceFileWhole(target, file.data(), file.size());
}
