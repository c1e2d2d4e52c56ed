#include "dialogs/FilterDialog.h"

#include "controls/NoWheelComboBox.h"
#include "core/dialogs/FilterRules.h"
#include "core/dialogs/NameText.h"
#include "core/dialogs/RowMove.h"
#include "core/help/HelpContexts.h"
#include "core/settings/TextList.h"
#include "dialogs/DatePickers.h"
#include "gui/MessageBox.h"
#include "gui/Strings.h"
#include "res/DialogIds.h"

#include <algorithm>

namespace {

constexpr int kGroupIds[] = {IDC_CHECKA, IDC_CHECKB, IDC_CHECKC, IDC_CHECKD, IDC_CHECKE};
constexpr int kAttributeIds[] = {IDC_CHECKD1, IDC_CHECKD2, IDC_CHECKD3, IDC_CHECKD4,
                                 IDC_CHECKD5, IDC_CHECKD6, IDC_CHECKD7};
constexpr int kKindIds[] = {IDC_CHECKE1, IDC_CHECKE2, IDC_CHECKE3};
constexpr int kDateIds[] = {IDC_DATEC1D, IDC_DATEC1T, IDC_DATEC2D, IDC_DATEC2T};

template <size_t N>
bool IsOneOf(int id, const int (&ids)[N])
{
    return std::find(std::begin(ids), std::end(ids), id) != std::end(ids);
}

// Trimmed of spaces and control characters at both ends.
std::string Trimmed(const std::string& text)
{
    size_t first = 0, last = text.size();
    while (first < last && uint8_t(text[first]) <= 32) ++first;
    while (last > first && uint8_t(text[last - 1]) <= 32) --last;
    return text.substr(first, last - first);
}

void FillCombo(HWND combo, std::initializer_list<const wchar_t*> items)
{
    for (const wchar_t* item : items) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    IgnoreMouseWheel(combo);
}

}  // namespace

const TSHFileFilter* TFilterListChange::Successor(const TSHFileFilter* old) const
{
    if (!old) return nullptr;
    auto was = std::find_if(Old.begin(), Old.end(), [old](const auto& f) { return f.get() == old; });
    if (was == Old.end()) return nullptr;
    auto now = std::find_if(New.begin(), New.end(), [&was](const auto& f) { return f->Name == (*was)->Name; });
    return now == New.end() ? nullptr : now->get();
}

TSubForm05010::TSubForm05010(HWND owner, TFilterList& filters, std::function<void(const TFilterListChange&)> rebind)
    : TDialog(owner, IDD_FILTERS, HelpContext::FilterDialog), Filters(filters), Rebind(std::move(rebind))
{
    for (const auto& filter : Filters) {
        auto copy = std::make_unique<TSHFileFilter>();
        copy->Assign(*filter);
        Rows.push_back({AnsiToWide(filter->Name), std::move(copy)});
    }
}

TSubForm05010::~TSubForm05010() = default;

void TSubForm05010::FormCreate()
{
    ListView.Attach(Item(IDC_FILTERLIST));
    HWND list = ListView.Handle();
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_TRACKSELECT | LVS_EX_FULLROWSELECT,
                 LVS_EX_TRACKSELECT | LVS_EX_FULLROWSELECT);
    RECT client{};
    GetClientRect(list, &client);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = client.right;
    column.pszText = const_cast<wchar_t*>(L"フィルタ一覧");
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    SendMessageW(list, LVM_SETITEMCOUNT, WPARAM(Rows.size()), 0);

    SelectMenu.Reset(CreatePopupMenu());
    AppendMenuW(SelectMenu.Get(), MF_STRING, IDM_FILTERRENAME, L"名前の変更");
    AppendMenuW(SelectMenu.Get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(SelectMenu.Get(), MF_STRING, IDM_FILTERADD, L"新規フィルタの追加");
    AppendMenuW(SelectMenu.Get(), MF_STRING, IDM_FILTERDELETE, L"選択フィルタの削除");
    ListMenu.Reset(CreatePopupMenu());
    AppendMenuW(ListMenu.Get(), MF_STRING, IDM_FILTERADD, L"新規フィルタの追加");
    ListView.SelectPopup = SelectMenu.Get();
    ListView.PopupMenu = ListMenu.Get();
    ListView.OnSelectItems = [this](const std::vector<int>& selected) {
        if (!selected.empty()) LoadSelected();
    };
    ListView.OnStartDrag = [this](int row) { DragRow = row; };
    ListView.OnDragOver = [](int) { return true; };
    ListView.OnDragDrop = [this](int target) { MoveFilter(DragRow, target); };

    FillCombo(Item(IDC_COMBOB1), {L"等しい", L"以下", L"未満", L"以上", L"超える"});
    FillCombo(Item(IDC_COMBOB2), {L"なし", L"以下", L"未満"});
    FillCombo(Item(IDC_COMBOC1), {L"等しい", L"以下", L"未満", L"以上", L"超える"});
    FillCombo(Item(IDC_COMBOC2), {L"なし", L"以下", L"未満"});
    Size1.AttachEdit(Item(IDC_SIZEB1));
    Size2.AttachEdit(Item(IDC_SIZEB2));
    Size1.SetRange(kSizeBoxMin, kSizeBox1Max);
    Size2.SetRange(kSizeBoxMin, kSizeBox2Max);
    Size1.SetMaxLength(7);
    Size2.SetMaxLength(7);
    Size1.OnChange = Size2.OnChange = [this] { SizeChanged(); };
    SetPickerFormats(Item(IDC_DATEC1D), Item(IDC_DATEC1T));
    SetPickerFormats(Item(IDC_DATEC2D), Item(IDC_DATEC2T));
}

TSHFileFilter* TSubForm05010::Selected()
{
    const std::vector<int>& selected = ListView.SelectedItems();
    if (selected.empty() || size_t(selected.front()) >= Rows.size()) return nullptr;
    return Rows[size_t(selected.front())].Filter.get();
}

void TSubForm05010::LoadSelected()
{
    const TSHFileFilter* filter = Selected();
    if (!filter) return;
    Loading = true;
    SetItemText(IDC_EDITA, AnsiToWide(JoinTextList(filter->Masks)));
    Size1.SetValue(SizeBoxValue(filter->Size1, kSizeBox1Max));
    Size2.SetValue(SizeBoxValue(filter->Size2, kSizeBox2Max));
    SendMessageW(Item(IDC_COMBOB1), CB_SETCURSEL, WPARAM(filter->SizeCompare1), 0);
    SendMessageW(Item(IDC_COMBOB2), CB_SETCURSEL, WPARAM(filter->SizeCompare2), 0);
    SetPickerDaySecond(Item(IDC_DATEC1D), Item(IDC_DATEC1T), SplitDateTime(filter->Date1));
    SetPickerDaySecond(Item(IDC_DATEC2D), Item(IDC_DATEC2T), SplitDateTime(filter->Date2));
    SendMessageW(Item(IDC_COMBOC1), CB_SETCURSEL, WPARAM(filter->DateCompare1), 0);
    SendMessageW(Item(IDC_COMBOC2), CB_SETCURSEL, WPARAM(filter->DateCompare2), 0);
    for (size_t i = 0; i < std::size(kAttributeIds); ++i) SetChecked(kAttributeIds[i], filter->AttrFlags & (1u << i));
    for (size_t i = 0; i < std::size(kKindIds); ++i) SetChecked(kKindIds[i], filter->KindFlags & (1u << i));
    SetChecked(IDC_RADIOF1, filter->FilterMode == 0);
    SetChecked(IDC_RADIOF2, filter->FilterMode != 0);
    for (size_t i = 0; i < std::size(kGroupIds); ++i) SetChecked(kGroupIds[i], filter->Conditions & (1u << i));
    Loading = false;
    UpdateControls();
}

void TSubForm05010::StoreConditions()
{
    if (TSHFileFilter* filter = Selected()) {
        filter->Conditions = 0;
        for (size_t i = 0; i < std::size(kGroupIds); ++i)
            if (Checked(kGroupIds[i])) filter->Conditions |= 1u << i;
    }
}

void TSubForm05010::MasksChanged()
{
    TSHFileFilter* filter = Selected();
    if (!filter) return;
    // One pass per forbidden character, each told and taken out, as when
    // every cleaning raised a change of its own (a memo raises none for
    // text set from here).
    std::wstring text = ItemText(IDC_EDITA);
    for (TMaskTextCheck check = CheckMaskText(text); check.Refused; check = CheckMaskText(text)) {
        ShowMessageBox(Handle(), ForbiddenCharsMessage(kMaskForbiddenHeading, kMaskForbiddenChars),
                       MB_OK | MB_ICONERROR);
        text = check.Cleaned;
        Loading = true;
        SetItemText(IDC_EDITA, text);
        Loading = false;
        SendMessageW(Item(IDC_EDITA), EM_SETSEL, check.Caret, check.Caret);
    }
    filter->Masks = SplitTextList(Trimmed(WideToAnsiDroppingUnmapped(text)));
}

void TSubForm05010::SizeChanged()
{
    TSHFileFilter* filter = Selected();
    if (Loading || !filter) return;
    int32_t first = Size1.Value(), second = SecondSizeAfterChange(first, Size2.Value());
    if (second != Size2.Value()) Size2.SetValue(second);
    filter->Size1 = SizeBoxBytes(first);
    filter->Size2 = SizeBoxBytes(second);
}

void TSubForm05010::DatesChanged(bool timeChanged)
{
    TSHFileFilter* filter = Selected();
    if (!filter) return;
    TDaySecond first = PickerDaySecond(Item(IDC_DATEC1D), Item(IDC_DATEC1T));
    TDaySecond second = PickerDaySecond(Item(IDC_DATEC2D), Item(IDC_DATEC2T));
    TDaySecond kept = timeChanged ? SecondDateAfterTimeChange(first, second) : SecondDateAfterDateChange(first, second);
    if (kept.Day != second.Day || kept.Second != second.Second)
        SetPickerDaySecond(Item(IDC_DATEC2D), Item(IDC_DATEC2T), kept);
    filter->Date1 = JoinDateTime(first);
    filter->Date2 = JoinDateTime(kept);
}

void TSubForm05010::StoreFlags()
{
    TSHFileFilter* filter = Selected();
    if (!filter) return;
    filter->AttrFlags = 0;
    for (size_t i = 0; i < std::size(kAttributeIds); ++i)
        if (Checked(kAttributeIds[i])) filter->AttrFlags |= 1u << i;
    filter->KindFlags = 0;
    for (size_t i = 0; i < std::size(kKindIds); ++i)
        if (Checked(kKindIds[i])) filter->KindFlags |= 1u << i;
    filter->FilterMode = Checked(IDC_RADIOF2) ? 1 : 0;
}

void TSubForm05010::UpdateControls()
{
    TFilterFormState state;
    state.ItemSelected = Selected() != nullptr;
    for (size_t i = 0; i < std::size(kGroupIds); ++i) state.Groups[i] = Checked(kGroupIds[i]);
    auto index = [this](int id) { return int(SendMessageW(Item(id), CB_GETCURSEL, 0, 0)); };
    state.SizeCompare1 = index(IDC_COMBOB1), state.SizeCompare2 = index(IDC_COMBOB2);
    state.DateCompare1 = index(IDC_COMBOC1), state.DateCompare2 = index(IDC_COMBOC2);
    TFilterFormEnabling e = FilterFormEnabling(state);
    for (int id : kGroupIds) EnableItem(id, e.GroupBoxes);
    EnableItem(IDC_EDITA, e.Masks);
    Size1.SetEnabled(e.Size1);
    EnableItem(IDC_COMBOB1, e.Size1);
    EnableItem(IDC_LABELB1, e.Size1);
    EnableItem(IDC_LABELB2, e.Size1);
    EnableItem(IDC_COMBOB2, e.SizeCompare2);
    Size2.SetEnabled(e.Size2);
    EnableItem(IDC_DATEC1D, e.Date1);
    EnableItem(IDC_DATEC1T, e.Date1);
    EnableItem(IDC_COMBOC1, e.Date1);
    EnableItem(IDC_COMBOC2, e.DateCompare2);
    EnableItem(IDC_DATEC2D, e.Date2);
    EnableItem(IDC_DATEC2T, e.Date2);
    for (int id : kAttributeIds) EnableItem(id, e.Attributes);
    for (int id : kKindIds) EnableItem(id, e.Kinds);
    EnableItem(IDC_RADIOF1, e.Mode);
    EnableItem(IDC_RADIOF2, e.Mode);
}

void TSubForm05010::EndCaptionEdit()
{
    // An edit in progress keeps the row number it started on: it is finished
    // (and its text kept) before any row moves.
    if (SendMessageW(ListView.Handle(), LVM_GETEDITCONTROL, 0, 0)) SetFocus(ListView.Handle());
}

void TSubForm05010::RowsChanged(int selectRow)
{
    SendMessageW(ListView.Handle(), LVM_SETITEMCOUNT, WPARAM(Rows.size()), LVSICF_NOSCROLL);
    InvalidateRect(ListView.Handle(), nullptr, FALSE);
    ListView.SelectOnly(selectRow);
    if (selectRow >= 0) LoadSelected();
    UpdateControls();
}

void TSubForm05010::AddFilter()
{
    EndCaptionEdit();
    std::vector<std::wstring> names;
    for (const TRow& row : Rows) names.push_back(row.Caption);
    TRow row{FreeFilterName(names), std::make_unique<TSHFileFilter>()};
    row.Filter->Name = WideToAnsiDroppingUnmapped(row.Caption);
    const std::vector<int>& selected = ListView.SelectedItems();
    size_t at = selected.empty() ? Rows.size() : size_t(selected.front());
    Rows.insert(Rows.begin() + std::ptrdiff_t(at), std::move(row));
    // The new filter is selected while its name is edited, so that the next
    // one goes before it.
    RowsChanged(int(at));
    SetFocus(ListView.Handle());
    SendMessageW(ListView.Handle(), LVM_EDITLABELW, WPARAM(at), 0);
}

void TSubForm05010::StartRename()
{
    const std::vector<int>& selected = ListView.SelectedItems();
    if (selected.empty()) return;
    SetFocus(ListView.Handle());
    SendMessageW(ListView.Handle(), LVM_EDITLABELW, WPARAM(selected.front()), 0);
}

bool TSubForm05010::RenameFilter(int row, const std::wstring& name)
{
    if (row < 0 || size_t(row) >= Rows.size() || name.empty()) return false;
    // Names are compared as the settings file will hold them.
    std::string stored = WideToAnsiDroppingUnmapped(name);
    for (size_t i = 0; i < Rows.size(); ++i) {
        if (int(i) != row && WideToAnsiDroppingUnmapped(Rows[i].Caption) == stored) {
            ShowMessageBox(Handle(), L"同じ名前が既に存在します。", MB_OK | MB_ICONWARNING);
            return false;
        }
    }
    Rows[size_t(row)].Caption = name;
    InvalidateRect(ListView.Handle(), nullptr, FALSE);
    return true;
}

void TSubForm05010::DeleteSelected()
{
    const std::vector<int>& selected = ListView.SelectedItems();
    if (selected.empty()) return;
    EndCaptionEdit();
    int row = selected.front();
    if (ShowMessageBox(Handle(), L"選択中のフィルタ条件をを削除しますか？", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    Rows.erase(Rows.begin() + row);
    RowsChanged(-1);
}

void TSubForm05010::MoveFilter(int from, int target)
{
    if (from < 0 || target < 0) return;
    EndCaptionEdit();
    RowsChanged(int(MoveRowBefore(Rows, size_t(from), size_t(target))));
}

bool TSubForm05010::ButtonOkClick()
{
    TFilterList updated;
    for (TRow& row : Rows) {
        row.Filter->Name = WideToAnsiDroppingUnmapped(row.Caption);
        updated.push_back(std::move(row.Filter));
    }
    Rows.clear();
    TFilterList old = std::move(Filters);
    Filters = std::move(updated);
    if (Rebind) Rebind(TFilterListChange(old, Filters));
    return true;
}

bool TSubForm05010::OnCommand(int id, int code, HWND)
{
    if (code == 0 && (id == IDM_FILTERRENAME || id == IDM_FILTERADD || id == IDM_FILTERDELETE)) {
        if (id == IDM_FILTERRENAME) StartRename();
        else if (id == IDM_FILTERADD) AddFilter();
        else DeleteSelected();
        return true;
    }
    if (Loading) return false;
    if (code == BN_CLICKED && IsOneOf(id, kGroupIds)) StoreConditions();
    else if (code == BN_CLICKED && (IsOneOf(id, kAttributeIds) || IsOneOf(id, kKindIds) || id == IDC_RADIOF1 ||
                                    id == IDC_RADIOF2))
        StoreFlags();
    else if (code == EN_CHANGE && id == IDC_EDITA) MasksChanged();
    else if (code == CBN_SELCHANGE && Selected()) {
        int index = int(SendMessageW(Item(id), CB_GETCURSEL, 0, 0));
        TSHFileFilter& filter = *Selected();
        if (id == IDC_COMBOB1) filter.SizeCompare1 = index;
        else if (id == IDC_COMBOB2) filter.SizeCompare2 = index;
        else if (id == IDC_COMBOC1) filter.DateCompare1 = index;
        else if (id == IDC_COMBOC2) filter.DateCompare2 = index;
    } else {
        return false;
    }
    UpdateControls();
    return true;
}

bool TSubForm05010::ListNotify(NMHDR& header, LRESULT& result)
{
    switch (header.code) {
    case LVN_GETDISPINFOW: {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(header).item;
        if ((item.mask & LVIF_TEXT) && item.iItem >= 0 && size_t(item.iItem) < Rows.size() && item.pszText)
            lstrcpynW(item.pszText, Rows[size_t(item.iItem)].Caption.c_str(), item.cchTextMax);
        result = 0;
        return true;
    }
    case LVN_BEGINLABELEDITW:
        SendMessageW(reinterpret_cast<HWND>(SendMessageW(ListView.Handle(), LVM_GETEDITCONTROL, 0, 0)), EM_LIMITTEXT,
                     255, 0);
        result = FALSE;
        return true;
    case LVN_ENDLABELEDITW: {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(header).item;
        result = item.pszText && RenameFilter(item.iItem, item.pszText);
        return true;
    }
    }
    return false;
}

bool TSubForm05010::OnNotify(NMHDR& header, LRESULT& result)
{
    if (header.idFrom == IDC_FILTERLIST) return ListNotify(header, result);
    if (header.code == DTN_DATETIMECHANGE && IsOneOf(int(header.idFrom), kDateIds) && !Loading) {
        DatesChanged(header.idFrom == IDC_DATEC1T || header.idFrom == IDC_DATEC2T);
        return true;
    }
    return false;
}
