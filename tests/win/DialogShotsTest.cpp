// Not a check: shows each dialog in turn for a screenshot from outside
// (tools/dialog-shots.sh). Each dialog waits until the file "<name>.done"
// appears in QV_SHOT_DIR after it wrote "<name>.ready".
#include "DialogTesting.h"
#include "FileReportTesting.h"
#include "core/settings/InitData.h"
#include "dialogs/AttributeDialog.h"
#include "dialogs/DateTimeDialog.h"
#include "dialogs/FilterDialog.h"
#include "dialogs/NewShortcutDialog.h"
#include "dialogs/RenameDialog.h"
#include "dialogs/RenameReport.h"
#include "dialogs/SequenceDialog.h"
#include "dialogs/SupportDialog.h"
#include "dialogs/VersionDialog.h"
#include "app/SplashForm.h"
#include "gui/Platform.h"
#include "gui/Strings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace {

// Tells the script that `name` is on screen and waits until it is taken.
void WaitForShot(const std::wstring& name)
{
    const char* dir = std::getenv("QV_SHOT_DIR");
    ASSERT_NE(dir, nullptr);
    std::wstring folder = Utf8Path(dir);
    PumpFor(300);
    WriteWholeFile(folder + L"\\" + name + L".ready", {});
    for (int i = 0; i < 400 && !FileExists(folder + L"\\" + name + L".done"); ++i) PumpFor(50);
}

void Show(TDialog& dialog, const std::wstring& name, const std::function<void()>& prepare = {})
{
    ASSERT_TRUE(dialog.Create());
    if (prepare) prepare();
    dialog.UpdateControls();
    WaitForShot(name);
    dialog.PressCancel();
}

}  // namespace

TEST(DialogShots, DISABLED_EachDialog)
{
    InitDialogControls();
    TTempFolder temp;
    std::vector<std::wstring> names;
    for (int i = 1; i <= 12; ++i) names.push_back(L"写真" + std::to_wstring(i) + L".jpg");
    MakeNamedFiles(temp.Path(), names);
    TInitData settings;

    TFilterList filters;
    for (const wchar_t* name : {L"画像", L"文書", L"大きいファイル"}) {
        filters.push_back(std::make_unique<TSHFileFilter>());
        filters.back()->Name = WideToAnsi(name);
    }
    filters[0]->Conditions = 0x3;
    filters[0]->Masks = {"*.jpg", "*.png"};
    TSubForm05010 filterDialog(nullptr, filters, [](const TFilterListChange&) {});
    Show(filterDialog, L"filters", [&filterDialog] { filterDialog.List().SelectOnly(0); });

    settings.RenHeaderText1 = "photo";
    settings.RenHeaderParent = false;
    settings.RenDigits = 3;
    TSubForm01100 rename(nullptr, settings, temp.Path(), L"旅行", false, names);
    Show(rename, L"rename", [&rename] {
        rename.List().SelectOnly(2);
        rename.InsertSkipRow();
    });

    TSubForm01080 dates(nullptr, temp.Path(), names);
    Show(dates, L"datetime");
    TSubForm01090 attributes(nullptr, temp.Path(), names);
    Show(attributes, L"attributes");
    settings.SeqHeaderText1 = "Photo";
    settings.SeqDigits = 3;
    TSubForm01012 sequence(nullptr, settings, temp.Path(), L"旅行");
    Show(sequence, L"sequence", [&sequence] { sequence.CountBox().SetValue(12); });
    TRenameReport report(nullptr,
                         L"名前の変更に失敗しました。\n\n「b.txt」を「x2.txt」に変更できませんでした。\nアクセスが拒否されました。 (5)\n\n"
                         L"元の名前に戻せなかったオブジェクトがあります。",
                         temp / L"tmpb.txt\t(元の名前: b.txt)\r\n" + temp / L"old_x2.txt\t(元の名前: x2.txt)\r\n");
    Show(report, L"report");
    TNewShortcutDialog shortcut(nullptr, temp.Path());
    Show(shortcut, L"newshortcut");

    {
        TSubForm00000 splash(nullptr);
        WaitForShot(L"splash");
    }
    TSubForm09040 version(nullptr);
    Show(version, L"version");
    TSubForm09030 support(nullptr, L"support@quirevue.example", RunningExecutablePath());
    Show(support, L"support", [&support] {
        PumpFor(100);  // the caret goes to the end first
        SendMessageW(support.Memo(), EM_REPLACESEL, TRUE, LPARAM(L"フォルダを開くと一覧が空のままです。"));
    });
    std::vector<TListRowRecord> rows = NumberedRows(85, temp.Path());
    rows[1].Name = L"フォルダ";
    rows[1].Folder = true;
    rows[1].Attributes = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE;
    rows[1].IconIndex = SmallIconOf(L"d", FILE_ATTRIBUTE_DIRECTORY);
    rows[1].TypeText = L"Folder";
    TSubForm01070 preview(nullptr, rows, temp.Path());
    Show(preview, L"filereport");
    TSubForm01070 last(nullptr, rows, temp.Path());
    Show(last, L"filereport3", [&last] { last.ActionLastExecute(); });
}
