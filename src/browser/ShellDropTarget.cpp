#include "browser/ShellDropTarget.h"

#include "core/fileops/DropRules.h"
#include "fileops/FileTransfer.h"
#include "fileops/OwnVerbs.h"
#include "gui/ComObject.h"
#include "shell/ShellClipboard.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdlib>
#include <vector>

namespace {

UINT RegisteredFormat(const wchar_t* name) { return RegisterClipboardFormatW(name); }

FORMATETC FormatOf(UINT format)
{
    return FORMATETC{CLIPFORMAT(format), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool Offers(IDataObject* data, UINT format)
{
    FORMATETC wanted = FormatOf(format);
    return data->QueryGetData(&wanted) == S_OK;
}

void SetDword(IDataObject* data, const wchar_t* formatName, DWORD value)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof value);
    if (!block) return;
    if (auto* target = static_cast<DWORD*>(GlobalLock(block))) {
        *target = value;
        GlobalUnlock(block);
    }
    FORMATETC format = FormatOf(RegisteredFormat(formatName));
    STGMEDIUM medium{};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = block;
    if (FAILED(data->SetData(&format, &medium, TRUE))) GlobalFree(block);
}

// The volume a path lies on ("C:\", "\\server\share\").
std::wstring VolumeOf(const std::wstring& path)
{
    wchar_t volume[MAX_PATH] = L"";
    if (!GetVolumePathNameW(path.c_str(), volume, MAX_PATH)) return {};
    return volume;
}

DropKeys KeysOf(DWORD keys)
{
    DropKeys result;
    result.control = (keys & MK_CONTROL) != 0;
    result.shift = (keys & MK_SHIFT) != 0;
    result.alt = (keys & MK_ALT) != 0;
    return result;
}

TransferKind KindOf(DWORD effect)
{
    if (effect & DROPEFFECT_MOVE) return TransferKind::Move;
    if (effect & DROPEFFECT_COPY) return TransferKind::Copy;
    return TransferKind::Link;
}

class TShellDropTarget final : public TComObject<IDropTarget, IID_IDropTarget> {
public:
    explicit TShellDropTarget(IDropSite& site) : Site(&site) {}
    void Detach() { Site = nullptr; }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override
    {
        if (!data || !effect) return E_INVALIDARG;
        Forget();
        RightDrag = (keys & MK_RBUTTON) != 0;
        // Only files and shell objects can be dropped; text and the like
        // get the no-drop cursor.
        if (!Offers(data, RegisteredFormat(CFSTR_SHELLIDLIST)) && !Offers(data, CF_HDROP)) {
            *effect = DROPEFFECT_NONE;
            return S_OK;
        }
        data->AddRef();
        *Data.Put() = data;
        Allowed = *effect;
        Files = DataObjectFiles(data);
        // Objects without a file path (Control Panel, My Computer) cannot be
        // copied by the program: such a drag, even mixed with files, goes
        // whole to the shell's target, never in part to the program.
        AllFiles = !Files.empty() && !DataObjectHasNonFileObjects(data);
        return DragOver(keys, point, effect);
    }

    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override
    {
        if (!effect) return E_INVALIDARG;
        DWORD allowed = *effect;
        *effect = DROPEFFECT_NONE;
        if (!Data || !Site) return S_OK;
        POINT client{point.x, point.y};
        ScreenToClient(Site->DropWindow(), &client);
        Site->DraggedOver(client);
        TDropPlace place = PlaceAt(point);
        if (!place.FolderPath.empty() && AllFiles) {
            *effect = FileSystemEffect(keys, place.FolderPath, allowed);
        } else if (place.ShellTarget) {
            DWORD asked = allowed;
            place.ShellTarget->DragEnter(Data.Get(), keys, point, &asked);
            asked = allowed;
            place.ShellTarget->DragOver(keys, point, &asked);
            place.ShellTarget->DragLeave();
            *effect = asked;
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE DragLeave() override
    {
        Forget();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override
    {
        if (!data || !effect) return E_INVALIDARG;
        DWORD allowed = *effect;
        *effect = DROPEFFECT_NONE;
        if (!Data || !Site) {
            Forget();
            return S_OK;
        }
        TDropPlace place = PlaceAt(point);
        HRESULT result = S_OK;
        if (!place.FolderPath.empty() && AllFiles) {
            *effect = DropIntoFolder(keys, point, place.FolderPath, allowed);
        } else if (place.ShellTarget) {
            DWORD button = RightDrag ? MK_RBUTTON : MK_LBUTTON;
            DWORD asked = allowed;
            if (SUCCEEDED(place.ShellTarget->DragEnter(data, keys | button, point, &asked)) &&
                SUCCEEDED(place.ShellTarget->DragOver(keys | button, point, &asked))) {
                asked = allowed;
                result = place.ShellTarget->Drop(data, keys, point, &asked);
                *effect = asked;
            }
        }
        Forget();
        return result;
    }

private:
    IDropSite* Site;
    ComPtr<IDataObject> Data;
    std::vector<std::wstring> Files;
    DWORD Allowed = DROPEFFECT_NONE;
    bool RightDrag = false;
    bool AllFiles = false;

    void Forget()
    {
        if (Site) Site->ClearDropHighlight();
        Data = {};
        Files.clear();
        AllFiles = false;
    }

    TDropPlace PlaceAt(POINTL point)
    {
        POINT client{point.x, point.y};
        ScreenToClient(Site->DropWindow(), &client);
        return Site->DropPlaceAt(client, !AllFiles);
    }

    // Whether a dragged folder is the folder under the pointer or lies
    // above it: a copy or move there would go into itself.
    bool IntoItself(const std::wstring& folder) const
    {
        std::wstring target = FullPath(folder);
        for (const std::wstring& file : Files)
            if (IsSelfOrBelow(FullPath(file), target)) return true;
        return false;
    }

    // The effects a drop into the folder may have: no copy or move of a
    // folder into itself; a link to it stays possible.
    DWORD AllowedInto(const std::wstring& folder, DWORD allowed) const
    {
        allowed &= Allowed;
        if (IntoItself(folder)) allowed &= ~DWORD(DROPEFFECT_COPY | DROPEFFECT_MOVE);
        return allowed;
    }

    DWORD FileSystemEffect(DWORD keys, const std::wstring& folder, DWORD allowed)
    {
        if (Files.empty()) return DROPEFFECT_NONE;
        bool sameVolume = CompareStringOrdinal(VolumeOf(Files.front()).c_str(), -1, VolumeOf(folder).c_str(), -1,
                                               TRUE) == CSTR_EQUAL;
        // The effect is chosen as if nothing were refused, so that a plain
        // drag over the dragged folder shows no-drop instead of turning into
        // a link; a right-button drag shows what its menu will still offer.
        DWORD chosen = ChooseDropEffect(RightDrag ? DropKeys{} : KeysOf(keys), sameVolume, allowed & Allowed);
        DWORD permitted = AllowedInto(folder, allowed);
        if (chosen & permitted) return chosen;
        return RightDrag ? permitted & DROPEFFECT_LINK : DROPEFFECT_NONE;
    }

    DWORD DropIntoFolder(DWORD keys, POINTL point, const std::wstring& folder, DWORD allowed)
    {
        DWORD effect = FileSystemEffect(keys, folder, allowed);
        if (RightDrag) effect = AskDropEffect(Site->DropWindow(), POINT{point.x, point.y}, AllowedInto(folder, allowed), effect);
        if (effect == DROPEFFECT_NONE) return DROPEFFECT_NONE;
        TransferKind kind = KindOf(effect);
        HWND owner = GetAncestor(Site->DropWindow(), GA_ROOT);
        TransferResult result = TransferFiles(owner, Files, folder, kind);
        if (kind == TransferKind::Move) {
            // The move is done here: the source must not delete anything,
            // whatever the outcome.
            DWORD performed = result == TransferResult::Done ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
            SetDword(Data.Get(), CFSTR_PERFORMEDDROPEFFECT, performed);
            SetDword(Data.Get(), CFSTR_PASTESUCCEEDED, performed);
            effect = DROPEFFECT_NONE;
        }
        ReportTransfer(owner, kind, result);
        return result == TransferResult::Done ? effect : DROPEFFECT_NONE;
    }
};

}  // namespace

TDropRegistration::TDropRegistration(IDropSite& site, HWND control)
    : Control(control)
{
    *DropTarget.Put() = new TShellDropTarget(site);  // holds the one reference it starts with
    IsRegistered = Control && SUCCEEDED(RegisterDragDrop(Control, DropTarget.Get()));
}

TDropRegistration::~TDropRegistration()
{
    if (IsRegistered && IsWindow(Control)) RevokeDragDrop(Control);
    static_cast<TShellDropTarget*>(DropTarget.Get())->Detach();
}

void ScrollNearEdge(HWND control, POINT client)
{
    RECT area{};
    if (!GetClientRect(control, &area)) return;
    // The band along each edge is one line of the control's font high (the
    // client area already leaves out the scroll bars).
    int band = 0;
    LOGFONTW font{};
    if (auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        handle && GetObjectW(handle, sizeof font, &font))
        band = std::abs(font.lfHeight);
    if (band == 0) band = GetSystemMetrics(SM_CYHSCROLL);
    if (client.y >= area.top && client.y < area.top + band)
        SendMessageW(control, WM_VSCROLL, SB_LINEUP, 0);
    else if (client.y < area.bottom && client.y >= area.bottom - band)
        SendMessageW(control, WM_VSCROLL, SB_LINEDOWN, 0);
    if (client.x >= area.left && client.x < area.left + band)
        SendMessageW(control, WM_HSCROLL, SB_LINELEFT, 0);
    else if (client.x < area.right && client.x >= area.right - band)
        SendMessageW(control, WM_HSCROLL, SB_LINERIGHT, 0);
}

DWORD AskDropEffect(HWND owner, POINT screen, DWORD allowed, DWORD preferred)
{
    TMenuHandle popup(CreatePopupMenu());
    HMENU menu = popup.Get();
    if (!menu) return DROPEFFECT_NONE;
    const struct {
        DWORD effect;
        const wchar_t* text;
    } entries[] = {
        {DROPEFFECT_COPY, L"ここにコピー(&C)"},
        {DROPEFFECT_MOVE, L"ここに移動(&M)"},
        {DROPEFFECT_LINK, L"ショートカットをここに作成(&S)"},
    };
    for (const auto& entry : entries)
        AppendMenuW(menu, MF_STRING | ((allowed & entry.effect) ? 0 : MF_GRAYED), entry.effect, entry.text);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, 0x100, L"キャンセル");
    if (preferred != DROPEFFECT_NONE) SetMenuDefaultItem(menu, preferred, FALSE);
    SetForegroundWindow(owner);
    UINT chosen = UINT(TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, owner, nullptr));
    return (chosen == DROPEFFECT_COPY || chosen == DROPEFFECT_MOVE || chosen == DROPEFFECT_LINK) ? chosen : DROPEFFECT_NONE;
}
