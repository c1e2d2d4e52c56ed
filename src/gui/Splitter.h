#pragma once
// A thin bar the user drags to resize the control beside it.
#include "gui/Window.h"

#include <functional>

class TSplitter : public TWindow {
public:
    enum class TOrientation { Vertical, Horizontal };  // the bar's own direction

    TSplitter(HWND parent, TOrientation orientation);
    // Called while dragging with the distance moved since the press.
    std::function<void(int delta)> OnMoved;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    TOrientation Orientation;
    bool Dragging = false;
    POINT Last{};
};
