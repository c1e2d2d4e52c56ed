#pragma once
// A number box: an edit whose number stands at its right edge, with up and
// down buttons inside it, a range and a length limit.
#include "gui/ChildControl.h"

#include <functional>

class TIntSpinEdit : public TChildControl {
public:
    // Takes over an edit of a dialog template (made with ES_RIGHT and
    // ES_NUMBER) and puts the buttons into it.
    void AttachEdit(HWND edit);
    // The same, with the range and the length limit.
    void AttachEdit(HWND edit, int minValue, int maxValue, int maxLength);
    // Makes the edit and its buttons in `parent`.
    HWND Create(HWND parent, int id, int x, int y, int width, int height);

    // The number shown, inside the range; an empty or unreadable box gives
    // the lowest value.
    int Value() const;
    void SetValue(int value);
    void SetRange(int minValue, int maxValue);
    void SetMaxLength(int characters);
    int MinValue() const { return Min; }
    int MaxValue() const { return Max; }
    HWND UpDown() const { return Buttons; }
    // The box and its buttons together.
    void SetEnabled(bool enabled);

    // The text changed (typed, by the buttons or by SetValue).
    std::function<void()> OnChange;

    bool Reflect(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    int ReadText(bool& valid) const;
    HWND Buttons = nullptr;
    int Min = 0;
    int Max = 100;
};
