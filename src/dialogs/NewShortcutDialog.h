#pragma once
// "ショートカットの作成": a new shortcut in a folder, to a target the user
// types or browses for, named as given or as the platform names shortcuts.
// Used where the system has no shortcut wizard.
#include "gui/Dialog.h"

#include <string>

class TNewShortcutDialog : public TDialog {
public:
    TNewShortcutDialog(HWND owner, const std::wstring& folder);

    // The shortcut OK made (empty until then).
    const std::wstring& CreatedPath() const { return Created; }

protected:
    void FormCreate() override;
    bool ButtonOkClick() override;
    bool OnCommand(int id, int code, HWND control) override;
    void UpdateControls() override;

private:
    void Browse();

    std::wstring Folder;
    std::wstring Created;
};
