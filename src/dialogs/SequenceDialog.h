#pragma once
// "連続フォルダの作成": creates a run of numbered folders in one folder.
#include "controls/IntSpinEdit.h"
#include "core/dialogs/SequenceFolders.h"
#include "dialogs/NamingBindings.h"
#include "gui/Dialog.h"

#include <optional>
#include <string>

class TInitData;

class TSubForm01012 : public TDialog {
public:
    // `folderName` is the folder's name as the shell shows it, which the
    // names can quote. The naming settings are read from `settings` and
    // written back when the dialog closes, whatever the result; the count
    // always starts at 1.
    TSubForm01012(HWND owner, TInitData& settings, const std::wstring& folder, const std::wstring& folderName);

    // The run OK made, if any.
    const std::optional<TSequenceOutcome>& Outcome() const { return Result; }
    TIntSpinEdit& CountBox() { return Count; }

protected:
    void FormCreate() override;
    bool ButtonOkClick() override;
    void FormClose(int result) override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void LoadSettings();
    void SaveSettings();
    TSequencePattern PatternFromControls() const;
    void PlaceCountBox();
    void SampleUpdate();

    TInitData& Settings;
    std::wstring Folder, FolderName;
    TIntSpinEdit Count;
    TNumberingBoxes Numbering;
    bool Loading = false;
    std::optional<TSequenceOutcome> Result;
};
