#pragma once
// "アイコンの変更": the program's own icon picker, for shells whose picker is
// missing or does nothing: a file holding icons, and one of its icons.
#include "dialogs/IconList.h"
#include "gui/Dialog.h"

#include <string>

class TIconPickDialog : public TDialog {
public:
    TIconPickDialog(HWND owner, const std::wstring& file, int index);

    // After OK: the file and the index of the chosen icon.
    const std::wstring& File() const { return Chosen; }
    int Index() const { return ChosenIndex; }
    // Shows the icons of another file (what the browse button and the edit
    // do).
    void ShowFile(const std::wstring& file);
    TIconList& Icons() { return List; }

    void UpdateControls() override;

protected:
    void FormCreate() override;
    bool ButtonOkClick() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void Browse();

    std::wstring Chosen;
    int ChosenIndex;
    std::wstring Shown;  // the file whose icons the list holds
    TIconList List;
};
