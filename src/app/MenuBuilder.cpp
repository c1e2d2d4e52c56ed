#include "app/MenuBuilder.h"

#include "core/commands/CommandIds.h"

#include <algorithm>

std::wstring MenuItemText(const TAction& action)
{
    std::wstring key = action.ShortCutText();
    return key.empty() ? action.Caption : action.Caption + L"\t" + key;
}

// Hidden commands leave separators behind: none may lead, trail or double.
static void TidySeparators(HMENU menu)
{
    bool previousWasSeparator = true;  // a leading one goes too
    for (int i = 0; i < GetMenuItemCount(menu);) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(menu, UINT(i), TRUE, &mii);
        bool separator = (mii.fType & MFT_SEPARATOR) != 0;
        if (separator && previousWasSeparator) {
            DeleteMenu(menu, UINT(i), MF_BYPOSITION);
            continue;
        }
        previousWasSeparator = separator;
        ++i;
    }
    int last = GetMenuItemCount(menu) - 1;
    if (last >= 0 && previousWasSeparator) DeleteMenu(menu, UINT(last), MF_BYPOSITION);
}

HMENU TMenuBuilder::BuildMenuBar(const std::vector<TMenuEntry>& layout)
{
    HMENU bar = CreateMenu();
    for (const TMenuEntry& entry : layout) Append(bar, entry);
    return bar;
}

HMENU TMenuBuilder::BuildPopup(const std::vector<TMenuEntry>& layout)
{
    HMENU popup = CreatePopupMenu();
    for (const TMenuEntry& entry : layout) Append(popup, entry);
    TidySeparators(popup);
    return popup;
}

void TMenuBuilder::Append(HMENU menu, const TMenuEntry& entry)
{
    switch (entry.Kind) {
    case TMenuEntryKind::Separator:
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        return;
    case TMenuEntryKind::Command: {
        TAction* action = Actions.Find(entry.Command);
        if (!action || !action->Visible) return;
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE | MIIM_STATE;
        mii.fType = MFT_STRING | (entry.RadioGroup ? MFT_RADIOCHECK : 0);
        mii.fState = MFS_DISABLED;
        mii.wID = UINT(action->Id);
        std::wstring text = MenuItemText(*action);
        mii.dwTypeData = text.data();
        InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &mii);
        return;
    }
    case TMenuEntryKind::WindowList:
        // The frame lists the folder windows at the end of this menu.
        WindowListMenu = menu;
        return;
    case TMenuEntryKind::Submenu:
    case TMenuEntryKind::FileTypeList: {
        HMENU sub = CreatePopupMenu();
        for (const TMenuEntry& child : entry.Items) Append(sub, child);
        TidySeparators(sub);
        const wchar_t* caption = entry.Caption;
        if (!caption && entry.Command)
            if (TAction* action = Actions.Find(entry.Command)) caption = action->Caption.c_str();
        if (entry.Kind == TMenuEntryKind::FileTypeList) FileTypeSubmenus.push_back(sub);
        Submenus[sub] = {entry.StatusText ? entry.StatusText : L"", entry.HelpContext};
        AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), caption ? caption : L"");
        return;
    }
    }
}

std::wstring TMenuBuilder::SubmenuStatusText(HMENU menu) const
{
    auto it = Submenus.find(menu);
    return it == Submenus.end() ? std::wstring() : it->second.first;
}

int TMenuBuilder::SubmenuHelpContext(HMENU menu) const
{
    auto it = Submenus.find(menu);
    return it == Submenus.end() ? 0 : it->second.second;
}

void TMenuBuilder::SyncMenu(HMENU menu) const
{
    // The select-by-type items, built at run time, follow their command.
    const TAction* byType = Actions.Find(Cmd::SelectByType);
    UINT byTypeState = MF_BYPOSITION | (byType && byType->Enabled ? MF_ENABLED : MF_GRAYED);
    bool typeMenu = std::find(FileTypeSubmenus.begin(), FileTypeSubmenus.end(), menu) != FileTypeSubmenus.end();
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        UINT id = GetMenuItemID(menu, i);
        HMENU sub = GetSubMenu(menu, i);
        if (typeMenu || (sub && std::find(FileTypeSubmenus.begin(), FileTypeSubmenus.end(), sub) != FileTypeSubmenus.end())) {
            EnableMenuItem(menu, UINT(i), byTypeState);
            continue;
        }
        if (id == UINT(-1)) continue;
        TAction* action = Actions.Find(int(id));
        if (!action) continue;
        EnableMenuItem(menu, UINT(i), MF_BYPOSITION | (action->Enabled ? MF_ENABLED : MF_GRAYED));
        CheckMenuItem(menu, UINT(i), MF_BYPOSITION | (action->Checked ? MF_CHECKED : MF_UNCHECKED));
    }
}
