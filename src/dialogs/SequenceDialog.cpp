#include "dialogs/SequenceDialog.h"

#include "core/help/HelpContexts.h"
#include "core/settings/InitData.h"
#include "dialogs/NamingBindings.h"
#include "dialogs/RenameFiles.h"
#include "gui/Handles.h"
#include "gui/MessageBox.h"
#include "gui/WaitCursor.h"
#include "res/DialogIds.h"
#include "shell/ShellHelpers.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr int kTextIds[] = {IDC_SEQEDIT11, IDC_SEQEDIT12, IDC_SEQEDIT21, IDC_SEQEDIT22};
const wchar_t* const kCreateFailed = L"フォルダの作成に失敗しました。";

using P = TSequencePattern;
using S = TInitData;
constexpr TTextBinding<P> kTexts[] = {
    {IDC_SEQEDIT11, &P::HeaderText1, &S::SeqHeaderText1}, {IDC_SEQEDIT12, &P::HeaderText2, &S::SeqHeaderText2},
    {IDC_SEQEDIT21, &P::FooterText1, &S::SeqFooterText1}, {IDC_SEQEDIT22, &P::FooterText2, &S::SeqFooterText2},
};
constexpr TCheckBinding<P> kChecks[] = {
    {IDC_SEQCHECK1, &P::HeaderParent, &S::SeqHeaderParent},
    {IDC_SEQCHECK2, &P::FooterParent, &S::SeqFooterParent},
};
constexpr TNumberingSettings kNumberingSettings{&S::SeqDigits, &S::SeqStart, &S::SeqStep};

}  // namespace

TSubForm01012::TSubForm01012(HWND owner, TInitData& settings, const std::wstring& folder,
                             const std::wstring& folderName)
    : TDialog(owner, IDD_SEQUENCE, HelpContext::SequenceDialog), Settings(settings), Folder(folder), FolderName(folderName)
{
}

void TSubForm01012::PlaceCountBox()
{
    // The count box stands in the gap of the lead line, after its first part
    // and the two spaces.
    HWND lead = Item(IDC_LEAD);
    RECT leadBox{}, box{};
    GetWindowRect(lead, &leadBox);
    GetWindowRect(Count.Handle(), &box);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&leadBox), 2);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&box), 2);
    const wchar_t head[] = L"連続した名称のフォルダを  ";
    const wchar_t gap[] = L"　　　　　　　";
    SIZE headSize{}, gapSize{};
    {
        TWindowDC dc(lead);
        TSelectObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(lead, WM_GETFONT, 0, 0)));
        GetTextExtentPoint32W(dc.Get(), head, int(std::size(head) - 1), &headSize);
        GetTextExtentPoint32W(dc.Get(), gap, int(std::size(gap) - 1), &gapSize);
    }
    int height = box.bottom - box.top;
    int top = (leadBox.top + leadBox.bottom - height) / 2;
    SetWindowPos(Count.Handle(), nullptr, leadBox.left + headSize.cx, top, gapSize.cx, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The buttons follow their edit.
    SendMessageW(Count.UpDown(), UDM_SETBUDDY, WPARAM(Count.Handle()), 0);
}

void TSubForm01012::FormCreate()
{
    for (int id : kTextIds) SendMessageW(Item(id), EM_LIMITTEXT, 255, 0);
    Count.AttachEdit(Item(IDC_SEQCOUNT), 1, 9999, 4);
    Numbering.Attach(Handle(), IDC_SEQDIGITS, IDC_SEQSTART, IDC_SEQSTEP, 1);
    PlaceCountBox();
    LoadSettings();
    auto changed = [this] {
        if (!Loading) SampleUpdate();
    };
    Count.OnChange = changed;
    Numbering.OnChange(changed);
    SampleUpdate();
}

void TSubForm01012::LoadSettings()
{
    Loading = true;
    const TInitData& s = Settings;
    ShowSettings<P>(Handle(), kTexts, kChecks, s);
    Count.SetValue(1);
    Numbering.Show(s, kNumberingSettings);
    Loading = false;
}

void TSubForm01012::SaveSettings()
{
    TSequencePattern p = PatternFromControls();
    StoreSettings<P>(p, kTexts, kChecks, Settings);
    TNumberingBoxes::Store(p, Settings, kNumberingSettings);
}

TSequencePattern TSubForm01012::PatternFromControls() const
{
    TSequencePattern p;
    ReadControls<P>(Handle(), kTexts, kChecks, p);
    Numbering.Read(p);
    return p;
}

void TSubForm01012::SampleUpdate()
{
    TSequencePattern pattern = PatternFromControls();
    if (FindForbiddenInSequence(pattern) != std::wstring::npos) {
        // The sample stays; OK waits until the text is mended.
        EnableItem(IDOK, false);
        ShowMessageBox(Handle(), ForbiddenCharsMessage(kNameForbiddenHeading, kNameForbiddenChars),
                       MB_OK | MB_ICONERROR);
        return;
    }
    SetItemText(IDC_SEQSAMPLE, SequenceSample(pattern, FolderName, Count.Value()));
    EnableItem(IDOK, true);
}

bool TSubForm01012::ButtonOkClick()
{
    TSequencePattern pattern = PatternFromControls();
    if (FindForbiddenInSequence(pattern) != std::wstring::npos) return false;
    std::vector<std::wstring> names;
    for (int i = 0; i < Count.Value(); ++i) names.push_back(SequenceFolderName(pattern, FolderName, i));
    TSequenceFolderOps ops;
    std::wstring base = IncludeBackslash(Folder);
    ops.Kind = [&base](const std::wstring& name) {
        DWORD attributes = GetFileAttributesW((base + name).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return TEntryKind::None;
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? TEntryKind::Folder : TEntryKind::File;
    };
    ops.Rename = [&base](const std::wstring& from, const std::wstring& to) {
        return MoveFileW((base + from).c_str(), (base + to).c_str()) != FALSE;
    };
    ops.Create = [&base](const std::wstring& name) { return CreateDirectoryW((base + name).c_str(), nullptr) != FALSE; };
    {
        TWaitCursor wait;
        Result = CreateSequenceFolders(names, ops, FileSystemFold);
    }
    if (!Result->Completed) ShowMessageBox(Handle(), kCreateFailed, MB_OK | MB_ICONERROR);
    return true;
}

void TSubForm01012::FormClose(int) { SaveSettings(); }

bool TSubForm01012::OnCommand(int id, int code, HWND)
{
    if (Loading) return false;
    bool text = code == EN_CHANGE && std::find(std::begin(kTextIds), std::end(kTextIds), id) != std::end(kTextIds);
    bool box = code == BN_CLICKED && (id == IDC_SEQCHECK1 || id == IDC_SEQCHECK2);
    if (!text && !box) return false;
    SampleUpdate();
    return true;
}
