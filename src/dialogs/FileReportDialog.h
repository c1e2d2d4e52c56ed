#pragma once
// "ファイルレポート": previews and prints a listing of the rows selected in
// a folder window, 40 rows to an A4 page under a header and above a footer
// with the page number. It holds copies of the rows, so that a change
// watcher rebuilding the list while the dialog is open changes nothing here.
#include "controls/ImageScrollBox.h"
#include "core/report/ListPreview.h"
#include "core/shell/RowRecord.h"
#include "dialogs/FileReportLayout.h"
#include "report/dib/DibImage.h"
#include "gui/Dialog.h"

#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

class TSubForm01070 : public TDialog {
public:
    // `folderText` is shown in the header.
    TSubForm01070(HWND owner, std::vector<TListRowRecord> rows, std::wstring folderText);

    TLightRep& Report() { return LightRep; }
    const TFileReportItems& Items() const { return Parts; }
    int32_t Page() const { return PageShown; }
    int32_t PageTotal() const { return Pages; }
    int32_t Cursor() const { return RowCursor; }
    const TListPreviewLayout& PreviewLayout() const { return Layout; }
    TImageScrollBox& PreviewBox() { return *Box; }

    // The actions, as their buttons run them.
    void ActionPrintExecute();
    void ActionFirstExecute();
    void ActionPrevExecute();
    void ActionNextExecute();
    void ActionLastExecute();
    void ActionSetupExecute();

    void UpdateControls() override;

protected:
    void FormCreate() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void LRGridPanel20PrintPanel(int32_t col, int32_t row, TPrintStatus& status);
    void LRLayoutPanel10BeforePrint();
    void LRLayoutPanel30BeforePrint();
    void PlaceControls();
    void AddHints();
    // The preview's geometry from the printer's capabilities (A4 when there
    // is no printer).
    void MeasurePreview();
    void ShowPage(int32_t page, int32_t cursor);
    void DrawPage();
    // The row's icon as a picture, made once for each icon.
    const DibImage& RowIcon(int iconIndex);

    std::vector<TListRowRecord> Rows;
    std::wstring FolderText;
    TLightRep LightRep;
    TFileReportItems Parts;
    std::unique_ptr<TImageScrollBox> Box;
    HIMAGELIST SmallIcons = nullptr;  // the system's, shared
    std::map<int, std::unique_ptr<DibImage>> Icons;
    HWND Hints = nullptr;
    int32_t RowCursor = 0;
    int32_t PageShown = 1;
    int32_t Pages = 1;
    TListPreviewLayout Layout;
};
