#include "dialogs/DateTimeDialog.h"

#include "core/help/HelpContexts.h"
#include "dialogs/DatePickers.h"
#include "dialogs/DateStamp.h"
#include "gui/MessageBox.h"
#include "gui/WaitCursor.h"
#include "res/DialogIds.h"
#include "shell/ShellHelpers.h"

#include <optional>

const wchar_t* const kDateOutOfRangeMessage =
    L"日付は 1980/01/01 から 2107/12/31 までの範囲で指定してください。";

TSubForm01080::TSubForm01080(HWND owner, const std::wstring& folder, const std::vector<std::wstring>& names)
    : TBatchObjectsDialog(owner, IDD_DATETIME, HelpContext::DateTimeDialog, folder, names)
{
}

void TSubForm01080::FormCreate()
{
    SetPickerFormats(Item(IDC_DATE1D), Item(IDC_DATE1T));
    SetPickerFormats(Item(IDC_DATE2D), Item(IDC_DATE2T));
    SetPickerFormats(Item(IDC_DATE3D), nullptr);
    // The pickers start at the first object's stamps; without it they keep
    // the present moment.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!Paths.empty() && GetFileAttributesExW(Paths.front().c_str(), GetFileExInfoStandard, &data)) {
        TDateTimeParts parts;
        if (FileTimeToLocalParts(data.ftCreationTime, parts)) {
            SetPickerParts(Item(IDC_DATE1D), parts);
            SetPickerParts(Item(IDC_DATE1T), parts);
        }
        if (FileTimeToLocalParts(data.ftLastWriteTime, parts)) {
            SetPickerParts(Item(IDC_DATE2D), parts);
            SetPickerParts(Item(IDC_DATE2T), parts);
        }
        if (FileTimeToLocalParts(data.ftLastAccessTime, parts)) SetPickerParts(Item(IDC_DATE3D), parts);
    }
    EnableSubfolders();
}

// A picker pair (or a date picker alone, at 00:00) as a file time.
static std::optional<FILETIME> PickedTime(HWND datePicker, HWND timePicker)
{
    TDateTimeParts parts = PickerParts(datePicker);
    parts.Hour = parts.Minute = parts.Second = 0;
    if (timePicker) {
        TDateTimeParts time = PickerParts(timePicker);
        parts.Hour = time.Hour, parts.Minute = time.Minute, parts.Second = time.Second;
    }
    return LocalDateTimeToFileTime(parts);
}

bool TSubForm01080::ButtonOkClick()
{
    std::optional<FILETIME> creation = PickedTime(Item(IDC_DATE1D), Item(IDC_DATE1T));
    std::optional<FILETIME> lastWrite = PickedTime(Item(IDC_DATE2D), Item(IDC_DATE2T));
    std::optional<FILETIME> lastAccess = PickedTime(Item(IDC_DATE3D), nullptr);
    if (!creation || !lastWrite || !lastAccess) {
        ShowMessageBox(Handle(), kDateOutOfRangeMessage, MB_OK | MB_ICONERROR);
        return false;
    }
    TFileStamps stamps{*creation, *lastAccess, *lastWrite};
    bool subfolders = Subfolders();
    {
        TWaitCursor wait;
        Failed = StampObjects(Paths, stamps, subfolders);
    }
    ReportFailed(L"日付・時刻");
    return true;
}
