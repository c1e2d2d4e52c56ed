#include "browser/ShellDragSource.h"

#include "gui/ComObject.h"
#include "gui/Handles.h"

#include <ole2.h>

namespace {

class TShellDropSource final : public TComObject<IDropSource, IID_IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override
    {
        bool left = keys & MK_LBUTTON, right = keys & MK_RBUTTON;
        if (escape || (left && right)) return DRAGDROP_S_CANCEL;
        if (!left && !right) return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}  // namespace

DWORD DragShellItems(HWND window, TSHIDList& items)
{
    if (items.Count() == 0) return DROPEFFECT_NONE;
    // SFGAO_CANCOPY, SFGAO_CANMOVE and SFGAO_CANLINK are the drop effects.
    DWORD allowed = items.GetCommonAttributes() & (DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
    if (allowed == DROPEFFECT_NONE) return DROPEFFECT_NONE;
    ComPtr<IShellFolder> folder;
    *folder.Put() = items.GetParentFolder();
    if (!folder) return DROPEFFECT_NONE;
    ComPtr<IDataObject> data;
    if (FAILED(folder->GetUIObjectOf(window, UINT(items.Count()), items.GetItemList(),
                                     IID_IDataObject, nullptr, data.PutVoid())) ||
        !data)
        return DROPEFFECT_NONE;
    ComPtr<IDropSource> source;
    *source.Put() = new TShellDropSource;
    DWORD effect = DROPEFFECT_NONE;
    if (DoDragDrop(data.Get(), source.Get(), allowed, &effect) != DRAGDROP_S_DROP) return DROPEFFECT_NONE;
    return effect;
}

bool LeftButtonPhysicallyDown()
{
    return GetAsyncKeyState(GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON) & 0x8000;
}

TPressEnd FollowPress(HWND window, POINT pressPoint)
{
    if (!(GetKeyState(VK_LBUTTON) & 0x8000)) return TPressEnd::Click;
    RECT area{pressPoint.x, pressPoint.y, pressPoint.x + 1, pressPoint.y + 1};
    InflateRect(&area, kDragDistance, kDragDistance);
    POINT now{};
    if (GetCursorPos(&now) && !PtInRect(&area, now)) return TPressEnd::Drag;
    SetCapture(window);
    TPressEnd end = TPressEnd::Cancel;
    for (;;) {
        MSG msg;
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (GetCapture() != window) break;
            WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam));
            break;
        }
        // The message's point is in screen coordinates, whichever window the
        // mouse message was meant for.
        if (msg.message == WM_MOUSEMOVE) {
            if (PtInRect(&area, msg.pt)) continue;
            end = TPressEnd::Drag;
            break;
        }
        if (msg.message == WM_LBUTTONUP) {
            end = TPressEnd::Click;
            break;
        }
        if (msg.message >= WM_LBUTTONDOWN && msg.message <= WM_MBUTTONDBLCLK) break;
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        if (GetCapture() != window) break;
    }
    if (GetCapture() == window) ReleaseCapture();
    return end;
}
