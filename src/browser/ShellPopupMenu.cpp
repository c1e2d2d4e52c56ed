#include "browser/ShellPopupMenu.h"

#include "gui/Handles.h"
#include "gui/Strings.h"
#include "shell/ShellCommand.h"

#include <algorithm>
#include <cwctype>

namespace {

const wchar_t kWindowClass[] = L"TSHPopupMenuWindow";

void RegisterWindowClass(WNDPROC proc)
{
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kWindowClass;
    registered = RegisterClassExW(&wc) != 0;
}

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text) c = wchar_t(std::towlower(c));
    return text;
}

UINT QueryFlags(TSHContextType type, bool readOnly)
{
    UINT flags = type == TSHContextType::shctExplore  ? CMF_EXPLORE
                 : type == TSHContextType::shctNormal ? CMF_NORMAL
                                                      : CMF_DEFAULTONLY;
    if (!readOnly) flags |= CMF_CANRENAME;
    return flags;
}

// The process must not hold on to what it deletes.
void LeaveForTemporaryFolder()
{
    wchar_t temp[MAX_PATH + 1] = {};
    if (GetTempPathW(MAX_PATH + 1, temp)) SetCurrentDirectoryW(temp);
}

// The items' context menu (a reference of the caller's), or null.
IContextMenu* ContextMenuOf(const TSHIDList& items, HWND owner)
{
    if (items.Count() == 0) return nullptr;
    ComPtr<IShellFolder> folder;
    *folder.Put() = items.GetParentFolder();
    if (!folder) return nullptr;
    PCIDList* list = items.GetItemList();
    IContextMenu* menu = nullptr;
    if (FAILED(folder->GetUIObjectOf(owner, UINT(items.Count()), list, IID_IContextMenu, nullptr,
                                     reinterpret_cast<void**>(&menu))))
        return nullptr;
    return menu;
}

}  // namespace

TSHPopupMenu::TSHPopupMenu()
{
    RegisterWindowClass(&TSHPopupMenu::WindowProc);
    Window = CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleW(nullptr), this);
}

TSHPopupMenu::~TSHPopupMenu()
{
    Release();
    if (Window) DestroyWindow(Window);
}

TSHPopupItem* TSHPopupMenu::FindItem(UINT command)
{
    for (TSHPopupItem& item : Items)
        if (item.Command == command && item.Caption != L"-") return &item;
    return nullptr;
}

unsigned TSHPopupMenu::InsertPos() const { return std::min<unsigned>(InsertPosValue, unsigned(Items.size())); }

void TSHPopupMenu::Release()
{
    Menu3.Reset();
    Menu2.Reset();
    Menu.Reset();
}

TSHPopupResult TSHPopupMenu::Popup(const TSHIDList& items, POINT screen, HWND owner)
{
    TSHPopupResult result;
    if (!owner) owner = ShellOwnerWindow();
    if (items.Count() == 0 || !owner || !Window) return result;
    {
        ComPtr<IShellFolder> folder;
        *folder.Put() = items.GetParentFolder();
        if (!folder) return result;
    }
    if (OnShBeforPopup && !OnShBeforPopup(*this, items, screen)) return result;

    Release();
    *Menu.Put() = ContextMenuOf(items, owner);
    if (!Menu) return result;
    Menu->QueryInterface(IID_IContextMenu2, Menu2.PutVoid());
    Menu->QueryInterface(IID_IContextMenu3, Menu3.PutVoid());

    TMenuHandle menu(CreatePopupMenu());
    HMENU popup = menu.Get();
    MaxOwnCommand = 0;
    unsigned ownShown = 0;
    for (const TSHPopupItem& item : Items) {
        if (!item.Visible) continue;
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE;
        info.wID = item.Command;
        if (item.Caption == L"-") {
            info.fType = MFT_SEPARATOR;
        } else {
            info.fMask |= MIIM_STRING;
            info.fType = MFT_STRING;
            info.dwTypeData = const_cast<wchar_t*>(item.Caption.c_str());
            info.fState = item.Enabled ? MFS_ENABLED : MFS_DISABLED | MFS_GRAYED;
        }
        InsertMenuItemW(popup, ownShown++, TRUE, &info);
        MaxOwnCommand = std::max(MaxOwnCommand, item.Command);
    }
    // The shell's entries never go past the own items shown.
    UINT position = std::min(InsertPos(), ownShown);
    UINT first = MaxOwnCommand + 1;
    if (FAILED(Menu->QueryContextMenu(popup, position, first, kShellMenuLastCommand,
                                      QueryFlags(ContextType, ReadOnly)))) {
        Release();
        return result;
    }
    SetMenuDefaultItem(popup, position, TRUE);

    UINT chosen = 0;
    ShownReported = false;
    if (Chooser) {
        chosen = Chooser(popup);
    } else {
        chosen = UINT(TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                       screen.x, screen.y, Window, nullptr));
    }
    if (OnHint) OnHint(std::wstring());

    if (chosen != 0 && chosen <= MaxOwnCommand) {
        result.OwnCommand = chosen;
        if (TSHPopupItem* item = FindItem(chosen)) {
            if (item->OnClick) item->OnClick();
            if (OnShAfterPopup) OnShAfterPopup(*this, *item, items);
        }
    } else if (chosen > MaxOwnCommand) {
        UINT offset = chosen - first;
        result.ShellChosen = true;
        result.Verb = Lower(ShellEntryVerb(Menu.Get(), offset));
        result.Ran = RunShellEntry(owner, items, offset, result.Verb);
    }

    for (const TSHPopupItem& item : Items)
        if (item.Command) RemoveMenu(popup, item.Command, MF_BYCOMMAND);
    menu.Reset();
    Release();
    return result;
}

bool TSHPopupMenu::RunShellEntry(HWND owner, const TSHIDList& items, UINT offset, const std::wstring& verb)
{
    // Renaming is the caller's: it edits the name in place.
    if (verb == L"rename") return false;
    bool ran = false;
    if (!verb.empty() && OnOwnVerb && OnOwnVerb(owner, items, verb, ran)) return ran;
    if (verb == L"delete") LeaveForTemporaryFolder();
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof info;
    info.hwnd = owner;
    info.lpVerb = MAKEINTRESOURCEA(offset);
    info.nShow = SW_SHOWNORMAL;
    return SUCCEEDED(Menu->InvokeCommand(&info));
}

bool TSHPopupMenu::InvokeVerb(const TSHIDList& items, const std::wstring& verb, HWND owner)
{
    if (!owner) owner = ShellOwnerWindow();
    std::wstring lower = Lower(verb);
    if (lower == L"rename" || items.Count() == 0) return false;
    bool ran = false;
    if (OnOwnVerb && OnOwnVerb(owner, items, lower, ran)) return ran;
    ComPtr<IContextMenu> menu;
    *menu.Put() = ContextMenuOf(items, owner);
    if (!menu) return false;
    TMenuHandle popup(CreatePopupMenu());
    if (FAILED(menu->QueryContextMenu(popup.Get(), 0, kShellMenuFirstCommand, kShellMenuLastCommand,
                                      QueryFlags(ContextType, ReadOnly))))
        return false;
    if (lower == L"delete") LeaveForTemporaryFolder();
    std::string narrow = WideToAnsi(lower);
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof info;
    info.hwnd = owner;
    info.lpVerb = narrow.c_str();
    info.nShow = SW_SHOWNORMAL;
    return SUCCEEDED(menu->InvokeCommand(&info));
}

UINT TSHPopupMenu::FindVerb(HMENU menu, const std::wstring& verb) const
{
    if (!Menu || !menu) return 0;
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        if (HMENU sub = GetSubMenu(menu, position)) {
            if (UINT id = FindVerb(sub, verb)) return id;
            continue;
        }
        UINT id = GetMenuItemID(menu, position);
        if (id == UINT(-1) || id <= MaxOwnCommand) continue;
        if (Lower(ShellEntryVerb(Menu.Get(), id - MaxOwnCommand - 1)) == Lower(verb)) return id;
    }
    return 0;
}

void TSHPopupMenu::MenuSelect(UINT id, UINT flags)
{
    if (!OnHint) return;
    if (flags == 0xFFFF || (flags & (MF_POPUP | MF_SEPARATOR))) return;
    if (id <= MaxOwnCommand) {
        if (TSHPopupItem* item = FindItem(id)) OnHint(item->Hint);
        return;
    }
    std::wstring hint = L" ";
    IContextMenu* newest = Menu3 ? Menu3.Get() : Menu2 ? static_cast<IContextMenu*>(Menu2.Get()) : Menu.Get();
    wchar_t text[201] = {};
    if (newest && SUCCEEDED(newest->GetCommandString(id - MaxOwnCommand - 1, GCS_HELPTEXTW, nullptr,
                                                     reinterpret_cast<LPSTR>(text), 200)) &&
        text[0])
        hint = text;
    OnHint(hint);
}

LRESULT CALLBACK TSHPopupMenu::WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(wnd, GWLP_USERDATA, LONG_PTR(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TSHPopupMenu*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (self && self->Window == wnd) return self->HandleMessage(msg, wParam, lParam);
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

LRESULT TSHPopupMenu::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITMENUPOPUP:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_MENUCHAR: {
        // Sub-menus the shell fills late (Send To, New, Open With) and its
        // owner-drawn entries.
        LRESULT answer = 0;
        if (Menu3 && SUCCEEDED(Menu3->HandleMenuMsg2(msg, wParam, lParam, &answer))) return answer;
        if (Menu2 && msg != WM_MENUCHAR && SUCCEEDED(Menu2->HandleMenuMsg(msg, wParam, lParam)))
            return msg == WM_INITMENUPOPUP ? 0 : TRUE;
        break;
    }
    case WM_MENUSELECT:
        MenuSelect(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_ENTERIDLE:
        if (wParam == MSGF_MENU && !ShownReported && OnShown) {
            ShownReported = true;
            OnShown(HMENU(nullptr));
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcW(Window, msg, wParam, lParam);
}
