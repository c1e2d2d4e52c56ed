#pragma once
// "属性の変更": gives the selected objects of one folder the same four
// attributes, optionally everything below the selected folders as well.
#include "gui/Dialog.h"

#include <string>
#include <vector>

class TSubForm01090 : public TDialog {
public:
    // `names` are the selected objects inside `folder`, in the list's order.
    TSubForm01090(HWND owner, const std::wstring& folder, const std::vector<std::wstring>& names);

    // After OK: how many objects could not be changed.
    size_t FailedCount() const { return Failed; }

protected:
    void FormCreate() override;
    bool ButtonOkClick() override;

private:
    std::vector<std::wstring> Paths;
    size_t Failed = 0;
};
