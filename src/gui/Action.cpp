#include "gui/Action.h"

#include "gui/MessageBox.h"

std::wstring TAction::ShortCutText() const
{
    if (!ShortCutKey) return {};
    std::wstring text;
    if (ShortCutFlags & FCONTROL) text += L"Ctrl+";
    if (ShortCutFlags & FSHIFT) text += L"Shift+";
    if (ShortCutFlags & FALT) text += L"Alt+";
    switch (ShortCutKey) {
    case VK_BACK: return text + L"BkSp";
    case VK_DELETE: return text + L"Del";
    case VK_RETURN: return text + L"Enter";
    case VK_LEFT: return text + L"Left";
    case VK_RIGHT: return text + L"Right";
    case VK_ESCAPE: return text + L"Esc";
    case VK_HOME: return text + L"Home";
    default: break;
    }
    if (ShortCutKey >= VK_F1 && ShortCutKey <= VK_F24)
        return text + L"F" + std::to_wstring(ShortCutKey - VK_F1 + 1);
    return text + wchar_t(ShortCutKey);
}

TAction& TActionList::Add(TAction action)
{
    Actions.push_back(std::make_unique<TAction>(std::move(action)));
    return *Actions.back();
}

TAction* TActionList::Find(int id)
{
    for (auto& a : Actions)
        if (a->Id == id) return a.get();
    return nullptr;
}

static bool UpdateOne(TAction& a)
{
    bool enabled = a.Enabled, checked = a.Checked;
    if (!a.OnExecute) a.Enabled = false;
    else if (a.OnUpdate) a.OnUpdate(a);
    return enabled != a.Enabled || checked != a.Checked;
}

bool TActionList::UpdateAll()
{
    if (OnBeginUpdate) OnBeginUpdate();
    bool changed = false;
    for (auto& a : Actions) changed |= UpdateOne(*a);
    return changed;
}

bool TActionList::Execute(int id, HWND owner)
{
    TAction* a = Find(id);
    if (!a) return false;
    if (OnBeginUpdate) OnBeginUpdate();
    UpdateOne(*a);
    if (!a->Enabled || !a->OnExecute) return false;
    try {
        a->OnExecute();
    } catch (...) {
        ShowCurrentException(owner);
    }
    return true;
}

TAction* TActionList::FindByShortCut(WORD key, BYTE flags)
{
    for (auto& a : Actions)
        if (a->ShortCutKey == key && a->ShortCutFlags == flags) return a.get();
    return nullptr;
}

bool TActionList::ShortCutEnabled(WORD key, BYTE flags)
{
    TAction* a = FindByShortCut(key, flags);
    if (!a) return false;
    if (OnBeginUpdate) OnBeginUpdate();
    UpdateOne(*a);
    return a->Enabled;
}

HACCEL TActionList::CreateAccelerators() const
{
    std::vector<ACCEL> table;
    for (auto& a : Actions) {
        if (!a->ShortCutKey) continue;
        bool taken = false;
        for (auto& t : table)
            taken |= t.key == a->ShortCutKey && (t.fVirt & ~FVIRTKEY) == a->ShortCutFlags;
        if (taken) continue;
        table.push_back(ACCEL{BYTE(FVIRTKEY | a->ShortCutFlags), a->ShortCutKey, WORD(a->Id)});
    }
    return table.empty() ? nullptr : CreateAcceleratorTableW(table.data(), int(table.size()));
}
