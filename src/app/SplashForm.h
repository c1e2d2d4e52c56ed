#pragma once
// The splash window shown while the main window restores the last
// workspace: the information panel alone, borderless, on top of every
// window, in the middle of the screen.
#include "gui/Window.h"

#include <memory>

class TInfoPanel;

class TSubForm00000 : public TWindow {
public:
    // Shown at once and painted before this returns.
    explicit TSubForm00000(HWND owner);
    ~TSubForm00000() override;

    // Goes after `milliseconds` of the message loop running, so that what
    // the restore left to paint is painted first.
    void ReleaseAfter(UINT milliseconds);
    // Goes now (before a message box: a splash on top would cover it).
    void Release();

    const TInfoPanel* Panel() const { return InfoPanel.get(); }

    static const wchar_t* ClassName() { return L"TSubForm00000"; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    std::unique_ptr<TInfoPanel> InfoPanel;
};
