#pragma once
// "名前の変更": renames several objects of one folder at once by a pattern,
// with a preview of every old and new name. The rename is all or nothing.
#include "controls/IntSpinEdit.h"
#include "controls/ListViewEx.h"
#include "core/dialogs/RenamePattern.h"
#include "dialogs/NamingBindings.h"
#include "dialogs/RenameFiles.h"
#include "dialogs/RowIcons.h"
#include "gui/Dialog.h"
#include "gui/Handles.h"

#include <optional>
#include <string>
#include <vector>

class TInitData;

class TSubForm01100 : public TDialog {
public:
    // `names` are the selected objects inside `folder`, in the list's order;
    // `folderName` is the folder's name as the shell shows it, which the
    // pattern can quote; `folderMode` tells that the objects are folders.
    // The naming settings are read from `settings` and written back when the
    // dialog closes, whatever the result.
    TSubForm01100(HWND owner, TInitData& settings, const std::wstring& folder, const std::wstring& folderName,
                  bool folderMode, const std::vector<std::wstring>& names);
    ~TSubForm01100() override;

    // The preview as it stands, and whether OK may be pressed (and if not,
    // why).
    const std::vector<TRenameRow>& Rows() const { return Preview; }
    const TRenameCheck& Check() const { return Verdict; }
    // The run OK made, if any.
    const std::optional<TRenameRun>& LastRun() const { return Run; }

    // What the row menu and a drag do.
    void InsertSkipRow();     // before the selected row
    void ExcludeSelectedRow();  // after asking
    void MoveRow(int from, int target);
    TListViewEx& List() { return ListView; }

    void UpdateControls() override;

protected:
    void FormCreate() override;
    bool ButtonOkClick() override;
    void FormClose(int result) override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;

private:
    void LoadSettings();
    void SaveSettings();
    TRenamePattern PatternFromControls() const;
    void SampleUpdate();
    void RowsChanged(int selectRow);
    std::vector<TFolderEntry> ObjectsOutsideRename() const;
    void GetDisplayInfo(NMLVDISPINFOW& info);

    TInitData& Settings;
    std::wstring Folder, FolderName;
    bool FolderMode;
    std::vector<TRenameRow> Preview;
    std::vector<int> Images;  // each row's image, 0 for a skip row
    std::vector<TFolderEntry> FolderEntries;
    TRenameCheck Verdict;
    bool OkAllowed = false;
    bool Loading = false;
    int DragRow = -1;
    std::optional<TRenameRun> Run;
    TListViewEx ListView;
    TNumberingBoxes Numbering;
    TRowIcons Icons;
    TMenuHandle RowMenu;
};
