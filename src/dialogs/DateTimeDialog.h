#pragma once
// "日付・時刻の変更": sets the creation, last-write and last-access stamps
// of the selected objects of one folder, optionally of everything below the
// selected folders as well.
#include "gui/Dialog.h"

#include <string>
#include <vector>

class TSubForm01080 : public TDialog {
public:
    // `names` are the selected objects inside `folder`, in the list's order.
    TSubForm01080(HWND owner, const std::wstring& folder, const std::vector<std::wstring>& names);

    // After OK: how many objects could not be changed.
    size_t FailedCount() const { return Failed; }

protected:
    void FormCreate() override;
    bool ButtonOkClick() override;

private:
    std::vector<std::wstring> Paths;
    size_t Failed = 0;
};

// Why a date was refused.
extern const wchar_t* const kDateOutOfRangeMessage;
