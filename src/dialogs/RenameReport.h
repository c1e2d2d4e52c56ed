#pragma once
// The report of a batch rename whose undo failed: the summary and, in a box
// that scrolls, every object left under another name, with its path.
#include "gui/Dialog.h"

#include <string>

class TRenameReport : public TDialog {
public:
    TRenameReport(HWND owner, std::wstring summary, std::wstring details);

protected:
    void FormCreate() override;

private:
    std::wstring Summary, Details;
};
