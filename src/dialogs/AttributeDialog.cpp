#include "dialogs/AttributeDialog.h"

#include "core/help/HelpContexts.h"
#include "dialogs/AttributeChange.h"
#include "gui/WaitCursor.h"
#include "res/DialogIds.h"

namespace {

struct TAttributeBox {
    int Id;
    DWORD Bit;
};
constexpr TAttributeBox kBoxes[] = {
    {IDC_READONLY, FILE_ATTRIBUTE_READONLY},
    {IDC_HIDDEN, FILE_ATTRIBUTE_HIDDEN},
    {IDC_ARCHIVE, FILE_ATTRIBUTE_ARCHIVE},
    {IDC_SYSTEM, FILE_ATTRIBUTE_SYSTEM},
};

}  // namespace

TSubForm01090::TSubForm01090(HWND owner, const std::wstring& folder, const std::vector<std::wstring>& names)
    : TBatchObjectsDialog(owner, IDD_ATTRIBUTES, HelpContext::AttributeDialog, folder, names)
{
}

void TSubForm01090::FormCreate()
{
    DWORD first = Paths.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(Paths.front().c_str());
    if (first != INVALID_FILE_ATTRIBUTES)
        for (const TAttributeBox& box : kBoxes) SetChecked(box.Id, first & box.Bit);
    EnableSubfolders();
}

bool TSubForm01090::ButtonOkClick()
{
    DWORD value = 0;
    for (const TAttributeBox& box : kBoxes)
        if (Checked(box.Id)) value |= box.Bit;
    bool subfolders = Subfolders();
    {
        TWaitCursor wait;
        Failed = ChangeAttributes(Paths, value, subfolders);
    }
    ReportFailed(L"属性");
    return true;
}
