#include "dialogs/RenameDialog.h"

#include "core/dialogs/RowMove.h"
#include "core/help/HelpContexts.h"
#include "core/settings/InitData.h"
#include "dialogs/NamingBindings.h"
#include "dialogs/RenameReport.h"
#include "gui/MessageBox.h"
#include "gui/WaitCursor.h"
#include "res/DialogIds.h"
#include "shell/ShellHelpers.h"

#include <algorithm>
#include <unordered_set>

namespace {

constexpr int kTextIds[] = {IDC_EDIT11, IDC_EDIT12, IDC_EDIT21, IDC_EDIT22, IDC_EDIT31, IDC_EDIT32, IDC_EDIT4};
constexpr int kQuoteIds[] = {IDC_CHECK11, IDC_CHECK12, IDC_CHECK21, IDC_CHECK22};
constexpr int kExtIds[] = {IDC_RADIO1, IDC_RADIO2, IDC_RADIO3, IDC_RADIO4};
const wchar_t* const kSkipCaption = L"【 スキップ 】";

using P = TRenamePattern;
using S = TInitData;
constexpr TTextBinding<P> kTexts[] = {
    {IDC_EDIT11, &P::HeaderText1, &S::RenHeaderText1}, {IDC_EDIT12, &P::HeaderText2, &S::RenHeaderText2},
    {IDC_EDIT21, &P::FooterText1, &S::RenFooterText1}, {IDC_EDIT22, &P::FooterText2, &S::RenFooterText2},
    {IDC_EDIT31, &P::Search, nullptr},                 {IDC_EDIT32, &P::Replacement, nullptr},
    {IDC_EDIT4, &P::ExtText, &S::RenExtText},
};
constexpr TCheckBinding<P> kChecks[] = {
    {IDC_CHECK11, &P::HeaderParent, &S::RenHeaderParent}, {IDC_CHECK12, &P::HeaderOriginal, &S::RenHeaderOriginal},
    {IDC_CHECK21, &P::FooterParent, &S::RenFooterParent}, {IDC_CHECK22, &P::FooterOriginal, &S::RenFooterOriginal},
};
constexpr TNumberingSettings kNumberingSettings{&S::RenDigits, &S::RenStart, &S::RenStep};

bool IsOneOf(int id, const int* ids, size_t count) { return std::find(ids, ids + count, id) != ids + count; }

}  // namespace

TSubForm01100::TSubForm01100(HWND owner, TInitData& settings, const std::wstring& folder,
                             const std::wstring& folderName, bool folderMode, const std::vector<std::wstring>& names)
    : TDialog(owner, IDD_RENAME, HelpContext::RenameDialog), Settings(settings), Folder(folder), FolderName(folderName),
      FolderMode(folderMode)
{
    Preview.reserve(names.size());
    for (const std::wstring& name : names) Preview.push_back({false, name, L""});
}

TSubForm01100::~TSubForm01100() = default;

void TSubForm01100::FormCreate()
{
    ListView.Attach(Item(IDC_RENAMELIST));
    HWND list = ListView.Handle();
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(Icons.Images()));
    RECT client{};
    GetClientRect(list, &client);
    int width = (client.right - GetSystemMetrics(SM_CXVSCROLL)) / 2;
    const wchar_t* captions[] = {L"変更前", L"変更後"};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = width;
        column.pszText = const_cast<wchar_t*>(captions[i]);
        SendMessageW(list, LVM_INSERTCOLUMNW, WPARAM(i), reinterpret_cast<LPARAM>(&column));
    }
    RowMenu.Reset(CreatePopupMenu());
    AppendMenuW(RowMenu.Get(), MF_STRING, IDM_RENAMESKIP, L"スキップ(&S)");
    AppendMenuW(RowMenu.Get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(RowMenu.Get(), MF_STRING, IDM_RENAMEEXCLUDE, L"除外(&R)");
    ListView.SelectPopup = RowMenu.Get();
    ListView.OnStartDrag = [this](int row) { DragRow = row; };
    ListView.OnDragOver = [](int) { return true; };
    ListView.OnDragDrop = [this](int target) { MoveRow(DragRow, target); };

    FolderEntries = ListFolder(Folder);
    Images.reserve(Preview.size());
    for (const TRenameRow& row : Preview) Images.push_back(Icons.ImageOf(JoinPath(Folder, row.OldName), FolderMode));
    SendMessageW(list, LVM_SETITEMCOUNT, WPARAM(Preview.size()), 0);

    for (int id : kTextIds) SendMessageW(Item(id), EM_LIMITTEXT, 255, 0);
    Numbering.Attach(Handle(), IDC_DIGITS, IDC_START, IDC_STEP, 0);
    LoadSettings();
    for (int id : kExtIds) EnableItem(id, !FolderMode);
    Numbering.OnChange([this] {
        if (!Loading) SampleUpdate();
    });
    SampleUpdate();
}

void TSubForm01100::LoadSettings()
{
    Loading = true;
    const TInitData& s = Settings;
    ShowSettings<P>(Handle(), kTexts, kChecks, s);
    Numbering.Show(s, kNumberingSettings);
    int rule = s.RenExtMode >= 0 && s.RenExtMode <= 3 ? s.RenExtMode : 0;
    for (int i = 0; i < 4; ++i) SetChecked(kExtIds[i], i == rule);
    Loading = false;
}

void TSubForm01100::SaveSettings()
{
    TRenamePattern p = PatternFromControls();
    StoreSettings<P>(p, kTexts, kChecks, Settings);
    TNumberingBoxes::Store(p, Settings, kNumberingSettings);
    Settings.RenExtMode = p.ExtRule;
}

TRenamePattern TSubForm01100::PatternFromControls() const
{
    TRenamePattern p;
    ReadControls<P>(Handle(), kTexts, kChecks, p);
    Numbering.Read(p);
    p.ExtRule = erKeep;
    for (int i = 0; i < 4; ++i)
        if (Checked(kExtIds[i])) p.ExtRule = i;
    return p;
}

std::vector<TFolderEntry> TSubForm01100::ObjectsOutsideRename() const
{
    std::unordered_set<std::wstring> renamed;
    for (const TRenameRow& row : Preview)
        if (!row.Skip) renamed.insert(FoldName(row.OldName, FileSystemFold));
    std::vector<TFolderEntry> others;
    for (const TFolderEntry& entry : FolderEntries)
        if (!renamed.count(FoldName(entry.Name, FileSystemFold))) others.push_back(entry);
    return others;
}

void TSubForm01100::SampleUpdate()
{
    TRenamePattern pattern = PatternFromControls();
    if (FindForbiddenInPattern(pattern) != std::wstring::npos) {
        // The rows and OK keep their state until the text is mended.
        ShowMessageBox(Handle(), ForbiddenCharsMessage(kNameForbiddenHeading, kNameForbiddenChars),
                       MB_OK | MB_ICONERROR);
        return;
    }
    UpdateNewNames(Preview, pattern, FolderName, FileSystemFold);
    Verdict = CheckRenameRows(Preview, ObjectsOutsideRename(), FolderMode, FileSystemFold);
    bool anyObject = std::any_of(Preview.begin(), Preview.end(), [](const TRenameRow& row) { return !row.Skip; });
    OkAllowed = Verdict.Problem == TRenameProblem::None && anyObject;
    EnableItem(IDOK, OkAllowed);
    InvalidateRect(ListView.Handle(), nullptr, FALSE);
}

void TSubForm01100::UpdateControls()
{
    bool number = Numbering.Digits.Value() > 0;
    Numbering.Start.SetEnabled(number);
    Numbering.Step.SetEnabled(number);
    bool quoting = std::any_of(std::begin(kQuoteIds), std::end(kQuoteIds), [this](int id) { return Checked(id); });
    EnableItem(IDC_EDIT31, quoting);
    EnableItem(IDC_EDIT32, quoting);
    EnableItem(IDC_EDIT4, !FolderMode && Checked(IDC_RADIO4));
    EnableItem(IDOK, OkAllowed);
}

void TSubForm01100::RowsChanged(int selectRow)
{
    SendMessageW(ListView.Handle(), LVM_SETITEMCOUNT, WPARAM(Preview.size()), LVSICF_NOSCROLL);
    ListView.SelectOnly(selectRow);
    SampleUpdate();
}

void TSubForm01100::InsertSkipRow()
{
    if (ListView.SelectedItems().empty()) return;
    int at = ListView.SelectedItems().front();
    Preview.insert(Preview.begin() + at, TRenameRow{true, L"", L""});
    Images.insert(Images.begin() + at, 0);
    RowsChanged(at);
}

void TSubForm01100::ExcludeSelectedRow()
{
    if (ListView.SelectedItems().empty()) return;
    if (ShowMessageBox(Handle(), L"名前変更の対象から除外します。", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    int at = ListView.SelectedItems().front();
    Preview.erase(Preview.begin() + at);
    Images.erase(Images.begin() + at);
    RowsChanged(std::min(at, int(Preview.size()) - 1));
}

void TSubForm01100::MoveRow(int from, int target)
{
    if (from < 0 || target < 0) return;
    size_t at = MoveRowBefore(Preview, size_t(from), size_t(target));
    MoveRowBefore(Images, size_t(from), size_t(target));
    RowsChanged(int(at));
}

bool TSubForm01100::ButtonOkClick()
{
    if (!OkAllowed) return false;
    {
        TWaitCursor wait;
        Run = RenameInFolder(Folder, Preview, FolderMode);
    }
    if (Run->Outcome.Completed) return true;
    if (Run->Outcome.Stranded.empty()) {
        // Nothing changed: the user can mend the names and try again.
        ShowMessageBox(Handle(), RenameFailureText(*Run), MB_OK | MB_ICONERROR);
        FolderEntries = ListFolder(Folder);
        SampleUpdate();
        return false;
    }
    TRenameReport(Handle(), RenameFailureText(*Run), StrandedObjectsText(Folder, *Run)).ShowModal();
    return true;
}

void TSubForm01100::FormClose(int) { SaveSettings(); }

bool TSubForm01100::OnCommand(int id, int code, HWND)
{
    if (id == IDM_RENAMESKIP && code == 0) {
        InsertSkipRow();
        return true;
    }
    if (id == IDM_RENAMEEXCLUDE && code == 0) {
        ExcludeSelectedRow();
        return true;
    }
    if (Loading) return false;
    if (code == EN_CHANGE && IsOneOf(id, kTextIds, std::size(kTextIds))) {
        SampleUpdate();
        return true;
    }
    if (code == BN_CLICKED && (IsOneOf(id, kQuoteIds, std::size(kQuoteIds)) || IsOneOf(id, kExtIds, std::size(kExtIds)))) {
        UpdateControls();
        SampleUpdate();
        return true;
    }
    return false;
}

void TSubForm01100::GetDisplayInfo(NMLVDISPINFOW& info)
{
    LVITEMW& item = info.item;
    if (item.iItem < 0 || size_t(item.iItem) >= Preview.size()) return;
    const TRenameRow& row = Preview[size_t(item.iItem)];
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const std::wstring& text = item.iSubItem == 0 ? (row.Skip ? std::wstring(kSkipCaption) : row.OldName)
                                                      : row.NewName;
        lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
    }
    if (item.mask & LVIF_IMAGE) item.iImage = Images[size_t(item.iItem)];
}

bool TSubForm01100::OnNotify(NMHDR& header, LRESULT& result)
{
    if (header.idFrom == IDC_RENAMELIST && header.code == LVN_GETDISPINFOW) {
        GetDisplayInfo(reinterpret_cast<NMLVDISPINFOW&>(header));
        result = 0;
        return true;
    }
    return false;
}
