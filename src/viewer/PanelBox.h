#pragma once
// TPanelBox: the captioned frame round the image view. Its client area
// starts below a title strip as high as the caption font's "W" plus 4.
#include "gui/Window.h"

#include <functional>
#include <string>

class TPanelBox : public TWindow {
public:
    TPanelBox(HWND parent, const std::wstring& caption, HFONT font = nullptr);
    void SetCaption(const std::wstring& caption);
    int TitleHeight() const { return Title; }
    // Where the child (the image view) goes.
    RECT ContentRect() const;
    std::function<void()> OnResize;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    int TextHeight() const;
    void Paint(HDC dc);
    std::wstring Caption;
    HFONT Font;
    int Title = 0;
};
