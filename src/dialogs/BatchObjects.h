#pragma once
// What the date and attribute dialogs share: the selected objects of one
// folder, the "階層下も変更" box, which only a folder among them enables,
// and one report at the end of what could not be changed.
#include "gui/Dialog.h"

#include <string>
#include <vector>

class TBatchObjectsDialog : public TDialog {
public:
    // After OK: how many objects could not be changed.
    size_t FailedCount() const { return Failed; }

protected:
    // `names` are the selected objects inside `folder`, in the list's order.
    TBatchObjectsDialog(HWND owner, int templateId, int helpContext, const std::wstring& folder,
                        const std::vector<std::wstring>& names);

    void EnableSubfolders();
    bool Subfolders() const;
    // One message, only when some objects could not be changed: "n 個の
    // オブジェクトの<what>を変更できませんでした。"
    void ReportFailed(const std::wstring& what);

    std::vector<std::wstring> Paths;
    size_t Failed = 0;
};
