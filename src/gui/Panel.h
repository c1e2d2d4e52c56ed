#pragma once
// A plain container window that forwards the notifications and commands of
// its children to a handler, and optionally paints a title strip.
#include "gui/Window.h"

#include <functional>
#include <string>

class TPanel : public TWindow {
public:
    TPanel(HWND parent, const wchar_t* name);

    const std::wstring& Name() const { return PanelName; }
    void SetTitle(const std::wstring& title, int height, HFONT font);
    int TitleHeight() const { return TitleBarHeight; }

    std::function<void()> OnResize;
    // Messages the panel does not handle itself go here first (WM_COMMAND,
    // WM_NOTIFY, WM_DRAWITEM of the children); return true when handled.
    std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)> OnMessage;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    std::wstring PanelName;
    std::wstring Title;
    int TitleBarHeight = 0;
    HFONT TitleFont = nullptr;
};
