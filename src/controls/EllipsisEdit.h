#pragma once
// An edit with a small "..." button inside its right edge; the text never
// runs under the button.
#include "gui/ChildControl.h"

#include <functional>

class TEllipsisEdit : public TChildControl {
public:
    // Makes the edit (multi-line, so that its text area can be narrowed, and
    // clipping its children) and its button in `parent`.
    HWND Create(HWND parent, int id, int x, int y, int width, int height);
    // Takes over an edit of a dialog template made with ES_MULTILINE,
    // ES_AUTOHSCROLL and WS_CLIPCHILDREN.
    void AttachEdit(HWND edit);

    HWND Button() const { return ButtonWnd; }
    // Raised after the edit has taken the focus.
    std::function<void()> OnButtonClick;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Layout();
    void DrawButton(const DRAWITEMSTRUCT& item);
    HWND ButtonWnd = nullptr;
    int ButtonWidth = 0;
};
