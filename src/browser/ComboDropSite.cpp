#include "browser/ComboDropSite.h"

#include "browser/ShellComboBox.h"

#include <shlobj.h>

TComboDropSite::TComboDropSite(TSHComboBox& box)
    : Box(box), Control(box.ComboHandle()), Registration(*this, Control) {}

HWND TComboDropSite::DropWindow() const { return Control; }

TDropPlace TComboDropSite::DropPlaceAt(POINT, bool folderShellTarget)
{
    TDropPlace place;
    PCIDList current = Box.GetCurrentIDList();
    ComPtr<IShellFolder> parent;
    PCUITEMID_CHILD child = nullptr;
    if (!current || FAILED(SHBindToParent(current, IID_IShellFolder, parent.PutVoid(), &child))) return place;
    const ULONG fileSystemFolder = SFGAO_FILESYSTEM | SFGAO_FOLDER;
    ULONG attributes = fileSystemFolder | SFGAO_STREAM | SFGAO_DROPTARGET;
    if (FAILED(parent->GetAttributesOf(1, &child, &attributes))) attributes = 0;
    wchar_t path[MAX_PATH] = L"";
    if ((attributes & fileSystemFolder) == fileSystemFolder && !(attributes & SFGAO_STREAM) &&
        SHGetPathFromIDListW(current, path) && *path)
        place.FolderPath = path;
    if ((place.FolderPath.empty() || folderShellTarget) && (attributes & SFGAO_DROPTARGET))
        parent->GetUIObjectOf(GetAncestor(Control, GA_ROOT), 1, &child, IID_IDropTarget, nullptr,
                              place.ShellTarget.PutVoid());
    return place;
}
