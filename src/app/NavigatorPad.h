#pragma once
// "ナビゲーター": a small stay-on-top pad over the main window with four
// wedges that move the folder tree as the arrow keys do. It never keeps the
// activation: after a press, and after it has been moved, the main window
// has the keyboard again. Semi-transparent in the tool windows' colour.
#include "core/navigator/PadGeometry.h"
#include "core/settings/InitData.h"
#include "gui/Handles.h"
#include "gui/Window.h"

#include <functional>
#include <optional>

class TSubForm06080 : public TWindow {
public:
    // Shown at once at the screen position given (moved onto a monitor when
    // it would lie off every one), without taking the activation.
    TSubForm06080(HWND owner, TColor color, int32_t level, int left, int top);
    ~TSubForm06080() override;

    // The colour and the opacity step (0..10) of the tool windows.
    void SetLook(TColor color, int32_t level);
    POINT Position() const;
    std::optional<TPadWedge> HotWedge() const { return Hot; }

    // A press on a wedge, after the main window has the keyboard again.
    std::function<void(TPadWedge)> OnWedge;

    static const wchar_t* ClassName() { return L"TSubForm06080"; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc);
    void SetHot(std::optional<TPadWedge> wedge);
    void GiveFocusBack();

    HWND Owner;
    TColor Color;
    TBrushHandle Background;
    std::optional<TPadWedge> Hot;
    bool Tracking = false;
};
