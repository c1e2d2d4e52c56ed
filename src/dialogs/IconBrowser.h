#pragma once
// "アイコンの参照": every icon of one object's file, one of which is saved as
// an icon file or as a bitmap.
#include "dialogs/IconList.h"
#include "gui/Dialog.h"

#include <string>

class TSubForm06010 : public TDialog {
public:
    // `path`: the object's file-system path (empty for a virtual object,
    // whose shell icon comes from `item`).
    TSubForm06010(HWND owner, const std::wstring& path, PCIDList item = nullptr);

    TIconList& Icons() { return List; }
    // Saves the selected icon: type 1 an icon file, type 2 a bitmap. 0, or
    // the system's reason of a failure.
    DWORD SaveSelected(const std::wstring& target, int type);

    void UpdateControls() override;

protected:
    void FormCreate() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void ButtonSaveClick();
    void Layout();

    std::wstring Path;
    PCIDList Object;
    TIconList List;
};
