#include "dialogs/RowIcons.h"

#include "core/dialogs/NameText.h"

#include <shellapi.h>

namespace {

bool HasOwnIcon(const std::wstring& extension)
{
    static const wchar_t* const kinds[] = {L".EXE", L".ICO", L".LNK", L".CUR", L".ANI", L".URL", L".SCR"};
    for (const wchar_t* kind : kinds)
        if (extension == kind) return true;
    return false;
}

}  // namespace

TRowIcons::TRowIcons()
    : List(ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), ILC_COLOR32 | ILC_MASK, 8, 8))
{
    // Image 0: nothing to see.
    int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    TBitmapHandle blank(CreateCompatibleBitmap(TWindowDC(nullptr).Get(), cx, cy));
    ImageList_AddMasked(List.Get(), blank.Get(), RGB(0, 0, 0));
}

int TRowIcons::AddSystemImage(int systemIndex, HIMAGELIST systemList)
{
    auto found = BySystemIndex.find(systemIndex);
    if (found != BySystemIndex.end()) return found->second;
    int image = 0;
    if (TIconHandle icon{ImageList_GetIcon(systemList, systemIndex, ILD_NORMAL)})
        image = ImageList_ReplaceIcon(List.Get(), -1, icon.Get());
    if (image < 0) image = 0;
    BySystemIndex.emplace(systemIndex, image);
    return image;
}

int TRowIcons::ImageOf(const std::wstring& path, bool isFolder)
{
    std::wstring_view name = std::wstring_view(path).substr(path.find_last_of(L'\\') + 1);
    std::wstring extension = isFolder ? L"\\" : AsciiUpper(NameExtension(name));
    bool own = !isFolder && HasOwnIcon(extension);
    if (!own) {
        auto found = ByExtension.find(extension);
        if (found != ByExtension.end()) return found->second;
    }
    SHFILEINFOW info{};
    UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (own ? 0 : SHGFI_USEFILEATTRIBUTES);
    DWORD attributes = isFolder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    auto systemList = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(path.c_str(), attributes, &info, sizeof info, flags));
    int image = systemList ? AddSystemImage(info.iIcon, systemList) : 0;
    if (!own) ByExtension.emplace(extension, image);
    return image;
}
