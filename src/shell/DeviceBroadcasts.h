#pragma once
// The process-wide registry of the shell controls that want to hear of
// media and network drives coming and going. While it holds a control it
// owns a hidden top-level window, which is what the system broadcasts
// WM_DEVICECHANGE to.
#include "shell/ChangeWatchers.h"

#include <dbt.h>

#include <memory>
#include <vector>

class IShDeviceListener {
public:
    virtual ~IShDeviceListener() = default;
    // GUI thread, straight from the broadcast; the record is the sender's.
    virtual void DeviceChanged(const TDeviceChangeData& change) = 0;
};

class TSHCtrlList {
public:
    static TSHCtrlList& Instance();

    // The first registration creates the hidden window, the last
    // unregistration destroys it.
    void Register(IShDeviceListener* control);
    void Unregister(IShDeviceListener* control);
    int Count() const { return int(Controls.size()); }
    HWND WindowHandle() const;

    // What the hidden window does with a WM_DEVICECHANGE.
    void DeviceChange(WPARAM event, const DEV_BROADCAST_HDR* header);

private:
    TSHCtrlList() = default;
    void Send(const TDeviceChangeData& change);

    class TDeviceWindow;
    std::vector<IShDeviceListener*> Controls;
    std::unique_ptr<TDeviceWindow> Window;
    bool Sending = false;
};
