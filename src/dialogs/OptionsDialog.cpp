// The options dialog: its pages, the radio buttons, the folders, the
// opacity track bar and the file-type list; OK stores everything.
#include "dialogs/OptionsDialog.h"

#include "browser/FolderDialog.h"
#include "core/dialogs/NameText.h"
#include "core/dialogs/RowMove.h"
#include "core/help/HelpContexts.h"
#include "gui/MessageBox.h"
#include "gui/Strings.h"
#include "res/DialogIds.h"

#include <iterator>

namespace {

const wchar_t* const kPageCaptions[TSubForm06090::kPageCount] = {L"\u3000起 動\u3000", L"\u3000表 示\u3000",
                                                                 L"\u3000操 作\u3000", L"その他", L"プラグイン"};

// The page a control belongs to by its id (-1: none, shown on every page).
int PageOfControl(int id)
{
    if (id < IDC_OPTPAGE_FIRST || id >= IDC_OPTPAGE_END) return -1;
    return id / 100 - IDC_OPTPAGE_FIRST / 100;
}

// Each group's icon: the image of the command nearest to what it sets.
const struct {
    int Id;
    int Image;
} kGroupIcons[] = {
    {IDC_GROUPICON11, 84},  // folder_heart: the favorites folder
    {IDC_GROUPICON12, 16},  // door_out: at exit
    {IDC_GROUPICON21, 25},  // folder: the trees
    {IDC_GROUPICON22, 42},  // the list in details
    {IDC_GROUPICON23, 50},  // tag: attributes
    {IDC_GROUPICON31, 5},   // page_go: opening
    {IDC_GROUPICON32, 39},  // view tile: the view style
    {IDC_GROUPICON41, 24},  // page_white_find: select by type
    {IDC_GROUPICON42, 81},  // map: the navigator
    {IDC_GROUPICON51, 15},  // picture: the viewer
};

constexpr int kViewStyleRadios[] = {IDC_RADIO321, IDC_RADIO321 + 1, IDC_RADIO321 + 2, IDC_RADIO321 + 3};

}  // namespace

TSubForm06090::TSubForm06090(HWND owner, TInitData& settings, HIMAGELIST groupImages)
    : TDialog(owner, IDD_OPTIONS, HelpContext::OptionsDialog), Settings(settings), GroupImages(groupImages),
      Options(TakeOptions(settings))
{
    for (const std::string& type : Options.FileTypes) Types.push_back(AnsiToWide(type));
}

TSubForm06090::~TSubForm06090() = default;

void TSubForm06090::FormCreate()
{
    HWND tabs = Item(IDC_OPTPAGES);
    for (int i = 0; i < kPageCount; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(kPageCaptions[i]);
        SendMessageW(tabs, TCM_INSERTITEMW, i, LPARAM(&item));
    }
    // Under the pages' controls.
    SetWindowPos(tabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetGroupIcons();

    // Page 1: start-up.
    Edit111.AttachEdit(Item(IDC_EDIT111));
    Edit111.OnButtonClick = [this] { BrowseFavorites(); };
    SetItemAnsiText(IDC_EDIT111, Options.FavoritesFolder);
    SetChecked(IDC_RADIO121, Options.AutoSaveOnExit);
    SetChecked(IDC_RADIO122, !Options.AutoSaveOnExit);
    // Page 2: the samples.
    RefreshSamples();
    // Page 3: operation.
    SetChecked(IDC_RADIO311, Options.HotTrack);
    SetChecked(IDC_RADIO312, !Options.HotTrack);
    for (int i = 0; i < 4; ++i) SetChecked(kViewStyleRadios[i], Options.NewViewStyle == i);
    // Page 4: the file types and the tool windows.
    TypeList.Attach(Item(IDC_LISTVIEW4));
    SendMessageW(TypeList.Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_TRACKSELECT, LVS_EX_TRACKSELECT);
    SelectMenu.Reset(CreatePopupMenu());
    AppendMenuW(SelectMenu.Get(), MF_STRING, IDM_ADDFILETYPE, L"ファイルタイプ追加(&A)");
    AppendMenuW(SelectMenu.Get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(SelectMenu.Get(), MF_STRING, IDM_DELETEFILETYPE, L"ファイルタイプ削除(&D)");
    // Without a selection the delete item is there, greyed.
    ListMenu.Reset(CreatePopupMenu());
    AppendMenuW(ListMenu.Get(), MF_STRING, IDM_ADDFILETYPE, L"ファイルタイプ追加(&A)");
    AppendMenuW(ListMenu.Get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(ListMenu.Get(), MF_STRING | MF_GRAYED, IDM_DELETEFILETYPE, L"ファイルタイプ削除(&D)");
    TypeList.SelectPopup = SelectMenu.Get();
    TypeList.PopupMenu = ListMenu.Get();
    TypeList.OnStartDrag = [this](int row) { DragRow = row; };
    TypeList.OnDragOver = [this](int target) { return DragRow >= 0 && target >= 0; };
    TypeList.OnDragDrop = [this](int target) { MoveFileType(DragRow, target); };
    FillFileTypes(-1);
    HWND track = Item(IDC_TRACKBAR4);
    SendMessageW(track, TBM_SETRANGE, FALSE, MAKELPARAM(0, 10));
    SendMessageW(track, TBM_SETPAGESIZE, 0, 1);
    SendMessageW(track, TBM_SETTICFREQ, 1, 0);
    SendMessageW(track, TBM_SETPOS, TRUE, Options.ToolLevel);
    ShowOpacity();
    // Page 5: the plug-ins.
    Edit511.AttachEdit(Item(IDC_EDIT511));
    Edit511.OnButtonClick = [this] { BrowsePlugins(); };
    SetItemAnsiText(IDC_EDIT511, Options.PluginFolder);
    FillPluginList();

    ShowPage(0);
}

void TSubForm06090::SetGroupIcons()
{
    if (!GroupImages) return;
    for (const auto& group : kGroupIcons) {
        HICON icon = ImageList_GetIcon(GroupImages, group.Image, ILD_TRANSPARENT);
        if (!icon) continue;
        SendMessageW(Item(group.Id), STM_SETICON, WPARAM(icon), 0);
        Icons.emplace_back(icon);
    }
}

void TSubForm06090::ShowPage(int page)
{
    if (page < 0 || page >= kPageCount) return;
    Page = page;
    SendMessageW(Item(IDC_OPTPAGES), TCM_SETCURSEL, page, 0);
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        int owner = PageOfControl(GetDlgCtrlID(child));
        if (owner >= 0) ShowWindow(child, owner == page ? SW_SHOWNA : SW_HIDE);
    }
    // The pages' controls are the tab's siblings: where a hidden one stood,
    // the tab's body has to be painted again under the shown ones.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TSubForm06090::UpdateControls() {}

bool TSubForm06090::OnCommand(int id, int code, HWND)
{
    if (id == IDM_ADDFILETYPE) {
        AddFileType();
        return true;
    }
    if (id == IDM_DELETEFILETYPE) {
        DeleteSelectedFileType();
        return true;
    }
    if (code != BN_CLICKED) return false;
    switch (id) {
    case IDC_BUTTON211:
    case IDC_BUTTON221:
    case IDC_BUTTON223:
    case IDC_BUTTON421:
        PickColor(id);
        return true;
    case IDC_BUTTON212:
    case IDC_BUTTON222:
    case IDC_BUTTON224:
        PickFont(id);
        return true;
    default:
        if (id >= IDC_BUTTON231 && id < IDC_BUTTON231 + apCount) {
            PickAttributeColor(id);
            return true;
        }
        return false;
    }
}

bool TSubForm06090::OnNotify(NMHDR& header, LRESULT& result)
{
    if (header.idFrom == IDC_OPTPAGES && header.code == TCN_SELCHANGE) {
        ShowPage(int(SendMessageW(header.hwndFrom, TCM_GETCURSEL, 0, 0)));
        return true;
    }
    if (header.idFrom != IDC_LISTVIEW4) return false;
    if (header.code == LVN_ENDLABELEDITW) {
        const LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(header).item;
        if (item.pszText && item.iItem >= 0 && size_t(item.iItem) < Types.size()) {
            // What the settings can hold of it.
            Types[size_t(item.iItem)] = AnsiToWide(WideToAnsiDroppingUnmapped(item.pszText));
            result = TRUE;
        }
        return true;
    }
    return false;
}

bool TSubForm06090::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    if (msg == WM_HSCROLL && HWND(lParam) == Item(IDC_TRACKBAR4)) {
        ShowOpacity();
        result = 0;
        return true;
    }
    if (msg == WM_CTLCOLORSTATIC) {
        COLORREF background, text;
        HFONT font;
        int id = GetDlgCtrlID(HWND(lParam));
        if (!PanelColors(id, background, text, font)) return false;
        HDC dc = HDC(wParam);
        SetBkColor(dc, background);
        SetTextColor(dc, text);
        TBrushHandle& brush = PanelBrushes[id];
        if (!brush) brush.Reset(CreateSolidBrush(background));
        result = INT_PTR(brush.Get());
        return true;
    }
    return false;
}

void TSubForm06090::ShowOpacity()
{
    int position = int(SendMessageW(Item(IDC_TRACKBAR4), TBM_GETPOS, 0, 0));
    SetItemText(IDC_LABEL422, OpacityLabel(position));
}

// Both folder settings are chosen the same way: file-system folders only,
// from the desktop down. Empty when cancelled.
std::wstring TSubForm06090::ChooseFolder(const std::wstring& title)
{
    TShellFolderDialog dialog;
    dialog.Owner = Handle();
    dialog.Title = title;
    dialog.RootFolder = sfDesktop;
    dialog.InitFolder = sfDesktop;
    dialog.Options = bifReturnOnlyFSDIRs | bifEditBox | bifValiDate | bifNewDialogStyle;
    return dialog.Execute() ? dialog.FolderPath : std::wstring();
}

void TSubForm06090::BrowseFavorites()
{
    std::wstring folder = ChooseFolder(L"デフォルトフォルダを選択");
    if (!folder.empty()) SetFavoritesFolder(folder);
}

void TSubForm06090::BrowsePlugins()
{
    std::wstring folder = ChooseFolder(L"Susieプラグインフォルダを選択");
    if (!folder.empty()) SetPluginFolder(folder);
}

void TSubForm06090::SetFavoritesFolder(const std::wstring& path) { SetItemText(IDC_EDIT111, path); }

void TSubForm06090::SetPluginFolder(const std::wstring& path)
{
    SetItemText(IDC_EDIT511, path);
    FillPluginList();
}

void TSubForm06090::FillFileTypes(int select)
{
    HWND list = TypeList.Handle();
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < Types.size(); ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = int(i);
        item.pszText = Types[i].data();
        SendMessageW(list, LVM_INSERTITEMW, 0, LPARAM(&item));
    }
    TypeList.SelectOnly(select);
}

void TSubForm06090::AddFileType()
{
    Types.emplace_back();
    FillFileTypes(int(Types.size()) - 1);
    SetFocus(TypeList.Handle());
    SendMessageW(TypeList.Handle(), LVM_EDITLABELW, Types.size() - 1, 0);
}

void TSubForm06090::DeleteSelectedFileType()
{
    const std::vector<int>& selected = TypeList.SelectedItems();
    if (selected.empty() || size_t(selected.front()) >= Types.size()) return;
    size_t row = size_t(selected.front());
    if (ShowMessageBox(Handle(), L"選択した拡張子(" + Types[row] + L")を削除します。", MB_ICONQUESTION | MB_YESNO) !=
        IDYES)
        return;
    Types.erase(Types.begin() + std::ptrdiff_t(row));
    FillFileTypes(-1);
}

void TSubForm06090::MoveFileType(int from, int target)
{
    DragRow = -1;
    if (from < 0 || target < 0) return;
    FillFileTypes(int(MoveRowBefore(Types, size_t(from), size_t(target))));
}

bool TSubForm06090::ButtonOkClick()
{
    Options.FavoritesFolder = ItemAnsiText(IDC_EDIT111);
    Options.AutoSaveOnExit = Checked(IDC_RADIO121);
    Options.HotTrack = Checked(IDC_RADIO311);
    for (int i = 0; i < 4; ++i)
        if (Checked(kViewStyleRadios[i])) Options.NewViewStyle = uint8_t(i);
    Options.FileTypes.clear();
    for (const std::wstring& type : Types) Options.FileTypes.push_back(WideToAnsiDroppingUnmapped(type));
    Options.ToolLevel = int32_t(SendMessageW(Item(IDC_TRACKBAR4), TBM_GETPOS, 0, 0));
    Options.PluginFolder = ItemAnsiText(IDC_EDIT511);
    StoreOptions(Options, Settings);
    return true;
}
