#include "shell/DeviceBroadcasts.h"

#include "core/shell/DeviceText.h"
#include "gui/MessageBox.h"
#include "gui/Strings.h"
#include "gui/Window.h"
#include "shell/ShellHelpers.h"

#include <algorithm>
#include <exception>

class TSHCtrlList::TDeviceWindow : public TWindow {
public:
    explicit TDeviceWindow(TSHCtrlList& owner) : Owner(owner)
    {
        RegisterWindowClass(L"QuirevueDeviceChanges", 0);
        // Top level and never shown: broadcasts reach top-level windows only.
        CreateHandle(0, L"QuirevueDeviceChanges", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr);
    }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_DEVICECHANGE) {
            try {
                Owner.DeviceChange(wParam, reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam));
            } catch (const std::exception& e) {
                ShowErrorBox(nullptr, AnsiToWide(e.what()));
            }
        }
        return TWindow::HandleMessage(msg, wParam, lParam);
    }

private:
    TSHCtrlList& Owner;
};

TSHCtrlList& TSHCtrlList::Instance()
{
    static TSHCtrlList instance;
    return instance;
}

void TSHCtrlList::Register(IShDeviceListener* control)
{
    if (!control || std::find(Controls.begin(), Controls.end(), control) != Controls.end()) return;
    Controls.push_back(control);
    if (!Window) Window = std::make_unique<TDeviceWindow>(*this);
}

void TSHCtrlList::Unregister(IShDeviceListener* control)
{
    std::erase(Controls, control);
    // Not while the window is inside its own message.
    if (Controls.empty() && !Sending) Window.reset();
}

HWND TSHCtrlList::WindowHandle() const { return Window ? Window->Handle() : nullptr; }

void TSHCtrlList::DeviceChange(WPARAM event, const DEV_BROADCAST_HDR* header)
{
    if ((event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) || !header ||
        header->dbch_devicetype != DBT_DEVTYP_VOLUME || header->dbch_size < sizeof(DEV_BROADCAST_VOLUME))
        return;
    const auto* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(header);
    TDeviceChangeData change;
    change.Event = DWORD(event);
    if (volume->dbcv_flags & DBTF_MEDIA) {
        wchar_t drive = DriveOfUnitMask(volume->dbcv_unitmask);
        if (!drive) return;
        std::wstring root = std::wstring(1, drive) + L":\\";
        change.IDList = PathToIDList(root);
        if (!change.IDList) return;
        change.Kind = TDeviceChangeData::kMedium;
        change.Text = DriveNodeText(event == DBT_DEVICEARRIVAL ? GetVolumeLabel(root) : std::wstring(), drive);
        Send(change);
    } else if (volume->dbcv_flags & DBTF_NET) {
        change.Kind = TDeviceChangeData::kNetwork;
        Send(change);
    }
}

void TSHCtrlList::Send(const TDeviceChangeData& change)
{
    // A control may unregister while it is told.
    std::vector<IShDeviceListener*> controls = Controls;
    Sending = true;
    for (IShDeviceListener* control : controls)
        if (std::find(Controls.begin(), Controls.end(), control) != Controls.end()) control->DeviceChanged(change);
    Sending = false;
}
