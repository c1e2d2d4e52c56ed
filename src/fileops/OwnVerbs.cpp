#include "fileops/OwnVerbs.h"

#include "fileops/Shortcuts.h"
#include "shell/ShellClipboard.h"
#include "shell/ShellHelpers.h"

namespace {

std::wstring ParentFolder(const std::wstring& path)
{
    size_t cut = path.find_last_of(L"\\/");
    if (cut == std::wstring::npos) return std::wstring();
    return path.substr(0, cut == 2 && path[1] == L':' ? cut + 1 : cut);
}

}  // namespace

bool CreateShortcutsBeside(const TSHIDList& items)
{
    if (items.Count() == 0) return false;
    bool all = true;
    for (int i = 0; i < items.Count(); ++i) {
        std::wstring target = items.GetItemPath(i);
        std::wstring folder = ParentFolder(target);
        if (target.empty() || folder.empty() || CreateShortcutIn(folder, target).empty()) all = false;
    }
    return all;
}

bool RunOwnVerb(HWND owner, const TSHIDList& items, const std::wstring& verb, bool& ran)
{
    ran = false;
    if (verb == L"cut" || verb == L"copy") {
        ran = CopyToClipboard(items, verb == L"cut");
        return true;
    }
    if (verb == L"paste") {
        std::wstring folder = items.Count() == 1 ? items.GetItemPath(0) : std::wstring();
        ran = !folder.empty() && DirectoryExists(folder) && ClipboardHasFiles() && PasteFromClipboard(owner, folder);
        return true;
    }
    if (verb == L"link") {
        // Items without a path (virtual objects) are the shell's.
        for (int i = 0; i < items.Count(); ++i)
            if (items.GetItemPath(i).empty()) return false;
        ran = CreateShortcutsBeside(items);
        return true;
    }
    return false;
}
