// The list export: the selected rows of the attached list as text, CSV or
// an HTML page with its icons.
#include "browser/ListRows.h"
#include "browser/ShellListView.h"
#include "browser/ShellTreeView.h"
#include "commands/Commands.h"
#include "commands/Frame.h"
#include "core/commands/CommandIds.h"
#include "export/ExportSaveDialog.h"
#include "export/ListingFile.h"
#include "gui/MessageBox.h"
#include "gui/WaitCursor.h"
#include "shell/ShellHelpers.h"

namespace {

// The folder the page names: the tree's folder by its path, or by its name
// where it has none.
std::wstring ListedFolder(IMainFrame& frame)
{
    TSHTreeView& tree = frame.ShellTree();
    std::wstring path = tree.GetSelectedPath();
    if (!path.empty()) return path;
    TSHFolderItem* item = tree.SelectedItem();
    return item ? item->GetDisplayName() : std::wstring();
}

void ExportList(IMainFrame& frame)
{
    TSHListView* list = frame.ActiveList();
    if (!list || list->SelectedCount() == 0) return;
    std::optional<TExportTarget> target = AskExportTarget(frame.OwnerWindow());
    if (!target) return;

    TWaitCursor wait;
    // The rows as plain records, read once from what the list holds.
    std::vector<TListRowRecord> rows = SelectedRowRecords(*list);
    TListingPage page;
    page.Date = ListingDateNow();
    page.Folder = ListedFolder(frame);
    page.Thousands = LocaleThousandsSeparator();
    page.Decimal = LocaleDecimalSeparator();
    TFileFailure failure = WriteListingFile(target->Path, target->Form, page, rows);
    if (!failure.Path.empty())
        ShowMessageBox(frame.OwnerWindow(), L"ファイルを書き込めませんでした。\n" + failure.Path, MB_OK | MB_ICONERROR);
}

}  // namespace

void BindExportCommands(TActionList& actions, IMainFrame& frame)
{
    BindCommand(actions, Cmd::ExportList, [&frame] { ExportList(frame); });
}
