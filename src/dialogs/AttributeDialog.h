#pragma once
// "属性の変更": gives the selected objects of one folder the same four
// attributes, optionally everything below the selected folders as well.
#include "dialogs/BatchObjects.h"

class TSubForm01090 : public TBatchObjectsDialog {
public:
    TSubForm01090(HWND owner, const std::wstring& folder, const std::vector<std::wstring>& names);

protected:
    void FormCreate() override;
    bool ButtonOkClick() override;
};
