#include "shell/ShellCommand.h"

#include "gui/Handles.h"
#include "gui/Strings.h"

#include <shellapi.h>

#include <cwctype>
#include <string>

namespace {

struct TCommandKind {
    ULONG Capability;     // SFGAO bits every item must have
    const wchar_t* Verb;  // the shell's language-independent name
    const wchar_t* Caption;
};

// The cut command asks for the delete capability: what is cut goes away.
const TCommandKind& KindOf(TShellCommand command)
{
    static const TCommandKind kinds[] = {
        {0, L"open", nullptr},
        {SFGAO_CANDELETE, L"cut", L"切り取り(&T)"},
        {SFGAO_CANCOPY, L"copy", L"コピー(&C)"},
        {SFGAO_FILESYSTEM, L"paste", L"貼り付け(&P)"},
        {SFGAO_CANLINK, L"link", L"ショートカットの作成(&S)"},
        {SFGAO_CANDELETE, L"delete", L"削除(&D)"},
        {SFGAO_HASPROPSHEET, L"properties", L"プロパティ(&R)"},
    };
    return kinds[int(command)];
}

bool SameVerb(const std::wstring& a, const wchar_t* b)
{
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return i == a.size() && !b[i];
}

}  // namespace

std::wstring ShellEntryVerb(IContextMenu* menu, UINT offset)
{
    wchar_t wide[MAX_PATH] = {};
    if (SUCCEEDED(menu->GetCommandString(offset, GCS_VERBW, nullptr, reinterpret_cast<LPSTR>(wide), MAX_PATH - 1)) &&
        wide[0])
        return wide;
    // Some handlers only answer in the ANSI code page.
    char narrow[MAX_PATH] = {};
    if (SUCCEEDED(menu->GetCommandString(offset, GCS_VERBA, nullptr, narrow, MAX_PATH - 1)) && narrow[0])
        return AnsiToWide(narrow);
    return {};
}

namespace {

bool IsUsable(UINT state) { return state != UINT(-1) && !(state & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR)); }

bool IsOurs(UINT id) { return id != UINT(-1) && id >= kShellMenuFirstCommand && id <= kShellMenuLastCommand; }

// The item's default verb as the shell runs it on a double click: through
// the item's context menu handler, choosing the default command there. Not
// every shell's own item menu runs its "open" on files, while this does.
bool OpenItem(HWND window, PCIDList parent, PCIDList item)
{
    TIDListPtr absolute(ConcatIDLists(parent, item));
    if (!absolute) return false;
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = window;
    info.lpIDList = absolute.get();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) != FALSE;
}

}  // namespace

UINT FindShellMenuCommand(IContextMenu* menu, HMENU popup, TShellCommand command)
{
    if (!menu || !popup) return 0;
    const TCommandKind& kind = KindOf(command);
    if (command == TShellCommand::scDefault) {
        UINT id = GetMenuDefaultItem(popup, FALSE, GMDI_GOINTOPOPUPS);
        if (IsOurs(id) && IsUsable(GetMenuState(popup, id, MF_BYCOMMAND))) return id;
    }
    UINT byCaption = 0;
    int count = GetMenuItemCount(popup);
    for (int position = 0; position < count; ++position) {
        if (!IsUsable(GetMenuState(popup, UINT(position), MF_BYPOSITION))) continue;
        UINT id = GetMenuItemID(popup, position);
        if (!IsOurs(id)) continue;
        std::wstring verb = ShellEntryVerb(menu, id - kShellMenuFirstCommand);
        if (!verb.empty()) {
            if (SameVerb(verb, kind.Verb)) return id;
            continue;  // a named verb that is another command
        }
        if (byCaption || !kind.Caption) continue;
        wchar_t text[256] = {};
        GetMenuStringW(popup, UINT(position), text, 255, MF_BYPOSITION);
        if (std::wstring_view(text).starts_with(kind.Caption)) byCaption = id;
    }
    return byCaption;
}

bool TSHIDList::ExecuteCommand(HWND window, TShellCommand command) const
{
    if (Count() == 0) return false;
    const TCommandKind& kind = KindOf(command);
    if (kind.Capability && !AllHave(kind.Capability)) return false;

    if (command == TShellCommand::scDefault) {
        bool all = ParentIDList != nullptr;
        for (int i = 0; all && i < Count(); ++i) all = OpenItem(window, ParentIDList, Items(i));
        return all;
    }

    ComPtr<IShellFolder> folder;
    *folder.Put() = GetParentFolder();
    if (!folder) return false;
    ComPtr<IContextMenu> menu;
    if (FAILED(folder->GetUIObjectOf(window, UINT(Count()), GetItemList(), IID_IContextMenu, nullptr,
                                     menu.PutVoid())) ||
        !menu)
        return false;
    TMenuHandle popup(CreatePopupMenu());
    if (!popup) return false;
    if (FAILED(menu->QueryContextMenu(popup.Get(), 0, kShellMenuFirstCommand, kShellMenuLastCommand, CMF_EXPLORE)))
        return false;
    UINT id = FindShellMenuCommand(menu.Get(), popup.Get(), command);
    if (!id) return false;

    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof info;
    info.hwnd = window;
    info.lpVerb = MAKEINTRESOURCEA(id - kShellMenuFirstCommand);
    info.nShow = SW_SHOWNORMAL;
    return SUCCEEDED(menu->InvokeCommand(&info));
}
