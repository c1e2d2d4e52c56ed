#include "dialogs/RenameReport.h"

#include "core/help/HelpContexts.h"
#include "res/DialogIds.h"

TRenameReport::TRenameReport(HWND owner, std::wstring summary, std::wstring details)
    : TDialog(owner, IDD_RENAMEREPORT, HelpContext::RenameDialog), Summary(std::move(summary)), Details(std::move(details))
{
}

void TRenameReport::FormCreate()
{
    SetItemText(IDC_LEAD, Summary);
    SetItemText(IDC_REPORTTEXT, Details);
    MessageBeep(MB_ICONERROR);
}
