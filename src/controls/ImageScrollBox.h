#pragma once
// A sunken box in the application-workspace colour that shows one picture
// at a place of its scrolled area, with scroll bars when the picture
// reaches past the box.
#include "gui/Handles.h"
#include "gui/Window.h"

class TImageScrollBox : public TWindow {
public:
    TImageScrollBox(HWND parent, const RECT& bounds, int id);

    // The client area's size without scroll bars.
    SIZE FullClientSize() const;
    // A blank (white) picture of `place`'s size shown at `place`; the
    // scroll position goes back to the top-left.
    void SetImage(const RECT& place);
    HBITMAP Image() const { return Picture.Get(); }
    const RECT& ImagePlace() const { return Place; }
    // The picture was drawn on: show it again.
    void ImageChanged();
    POINT ScrollPosition() const { return Scroll; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void UpdateScrollBars();
    void ScrollTo(int bar, int position);
    void Paint(HDC dc);

    TBitmapHandle Picture;
    RECT Place{};
    POINT Scroll{};
};
