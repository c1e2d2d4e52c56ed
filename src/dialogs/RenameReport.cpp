#include "dialogs/RenameReport.h"

#include "res/DialogIds.h"

TRenameReport::TRenameReport(HWND owner, std::wstring summary, std::wstring details)
    : TDialog(owner, IDD_RENAMEREPORT, 1100), Summary(std::move(summary)), Details(std::move(details))
{
}

void TRenameReport::FormCreate()
{
    SetItemText(IDC_LEAD, Summary);
    SetItemText(IDC_REPORTTEXT, Details);
    MessageBeep(MB_ICONERROR);
}
