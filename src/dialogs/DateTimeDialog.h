#pragma once
// "日付・時刻の変更": sets the creation, last-write and last-access stamps
// of the selected objects of one folder, optionally of everything below the
// selected folders as well.
#include "dialogs/BatchObjects.h"

class TSubForm01080 : public TBatchObjectsDialog {
public:
    TSubForm01080(HWND owner, const std::wstring& folder, const std::vector<std::wstring>& names);

protected:
    void FormCreate() override;
    bool ButtonOkClick() override;
};

// Why a date was refused.
extern const wchar_t* const kDateOutOfRangeMessage;
