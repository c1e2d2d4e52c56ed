#pragma once
// "サポート情報": the report of the system's particulars in a memo, with room
// under it for the user's description of the fault, mailed to the support
// address through the user's mail program. The dialog stays open after a
// send, whatever came of it.
#include "gui/Dialog.h"
#include "gui/Handles.h"

#include <string>
#include <vector>

class TSubForm09030 : public TDialog {
public:
    // `exePath`: the program the report is about (its name and version).
    TSubForm09030(HWND owner, const std::wstring& recipient, const std::wstring& exePath);

    // The memo with the report.
    HWND Memo() const;

protected:
    void FormCreate() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void ButtonMailClick();
    void LayOut(int width, int height);

    std::wstring Recipient;
    std::wstring ExePath;
    TFontHandle MemoFont;
    // Where the controls were in the first client area, which they follow.
    struct TAnchored {
        int Id;
        RECT Bounds;
    };
    std::vector<TAnchored> Anchored;
    SIZE FirstClient{};
};
