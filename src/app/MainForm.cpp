#include "app/MainForm.h"

#include "app/ControlIds.h"
#include "app/FolderWindow.h"
#include "app/MenuBuilder.h"
#include "app/NavigatorPad.h"
#include "app/SplashForm.h"
#include "app/StatusPanels.h"
#include "browser/FolderTreeView.h"
#include "browser/ShellPopupMenu.h"
#include "browser/ShellTreeView.h"
#include "core/commands/CommandTable.h"
#include "gui/MessageBox.h"
#include "gui/Strings.h"
#include "settings/FontData.h"
#include "viewer/PanelBox.h"
#include "viewer/Raster.h"

#include <commctrl.h>

static std::wstring FolderOf(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

TMainForm::TMainForm(std::wstring exePath) : ExePath(std::move(exePath)) {}

TMainForm::~TMainForm()
{
    // Folder windows and controls go before the image lists and fonts they
    // use.
    FolderWindowObjects.clear();
    if (Wnd) DestroyWindow(Wnd);
}

void TMainForm::FormCreate()
{
    const std::wstring& exe = ExePath;
    SettingsData = std::make_unique<TInitData>(WideToAnsi(FolderOf(exe)), IconTitleFontData());
    SettingsPath = SettingsFileNameFor(exe);
    SettingsData->FileName = WideToAnsi(SettingsPath);
    HelpFile = exe.substr(0, exe.find_last_of(L'.')) + L".CHM";

    CreateActions();
    BindActionHandlers();
    Menus = std::make_unique<TMenuBuilder>(ActionsList);
    MainMenu.Reset(Menus->BuildMenuBar(MainMenuLayout()));
    WindowMenu = Menus->WindowMenu();
    PopupMenu1.Reset(Menus->BuildPopup(PopupMenu1Layout()));
    ToolBarMenu1.Reset(Menus->BuildPopup(ToolBarMenu1Layout()));
    ToolBarMenu2.Reset(Menus->BuildPopup(ToolBarMenu2Layout()));
    PopupUndo.Reset(CreatePopupMenu());
    PopupRedo.Reset(CreatePopupMenu());
    Accelerators.Reset(ActionsList.CreateAccelerators());
}

bool TMainForm::Start(int showCommand)
{
    FormCreate();
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    RegisterWindowClass(ClassName(), CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, nullptr, icon);
    // The menu bar belongs to the window from here on.
    if (!CreateHandle(WS_EX_CONTROLPARENT, ClassName(), ApplicationTitle().c_str(),
                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 800, 600, nullptr, MainMenu.Release()))
        return false;
    // Message boxes and the shell's own windows are owned by the main
    // window, so that they are modal and cannot hide behind it.
    SetShellOwnerWindow(Wnd);
    ShowWindow(Wnd, showCommand);
    UpdateWindow(Wnd);
    FormShow();
    return Wnd != nullptr;
}

int TMainForm::ActiveChildCount() const
{
    int count = 0;
    for (HWND child = GetWindow(ClientWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (!GetWindow(child, GW_OWNER)) ++count;
    return count;
}

TSHListView* TMainForm::ActiveList() const
{
    for (const auto& window : FolderWindowObjects)
        if (Tree && Tree->ShellListView() == &window->SHListView()) return &window->SHListView();
    return nullptr;
}

std::vector<TSubForm08010*> TMainForm::FolderWindows() const
{
    std::vector<TSubForm08010*> windows;
    for (HWND child = GetWindow(ClientWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (TSubForm08010* window = TSubForm08010::FromHandle(child)) windows.insert(windows.begin(), window);
    return windows;
}

TSubForm08010* TMainForm::OpenFolderWindow(const TWindowData& record, bool restore)
{
    // Only windows the user opens start with filtering off; restored ones
    // take the recorded switch.
    auto window = std::make_unique<TSubForm08010>(*this, record, restore, restore && FilteringOn);
    if (!window->Handle()) return nullptr;
    window->SHListView().ShellPopupMenu = SHPopupMenu.get();
    window->SHListView().OnBackgroundMenu = [this](TSHListView&, POINT screen) { PopupBackgroundMenu(screen); };
    FolderWindowObjects.push_back(std::move(window));
    return FolderWindowObjects.back().get();
}

void TMainForm::FolderWindowActivated(TSubForm08010& window)
{
    Status->Observe(&window.SHListView());
    ChooseFilter(window.SHListView().Filter());
}

void TMainForm::FolderWindowClosing(TSubForm08010& window)
{
    TSHListView* list = &window.SHListView();
    if (Tree && Tree->ShellListView() == list) Tree->SetShellListView(nullptr);
    if (Status && Status->Observed() == list) Status->Observe(nullptr);
}

void TMainForm::FolderWindowDestroyed(TSubForm08010& window)
{
    for (auto it = FolderWindowObjects.begin(); it != FolderWindowObjects.end(); ++it)
        if (it->get() == &window) {
            std::unique_ptr<TSubForm08010> gone = std::move(*it);
            FolderWindowObjects.erase(it);
            break;  // `gone` frees the window object here
        }
}

void TMainForm::SetFiltering(bool on)
{
    FilteringOn = on;
    for (auto& window : FolderWindowObjects) window->SHListView().SetFiltering(on);
    Status->RepaintIndicators();
}

bool TMainForm::FilterEntryChosen() const { return SendMessageW(ComboBox1, CB_GETCURSEL, 0, 0) != CB_ERR; }

const TSHFileFilter* TMainForm::ChosenFilter() const
{
    int index = int(SendMessageW(ComboBox1, CB_GETCURSEL, 0, 0));
    return index > 0 ? reinterpret_cast<const TSHFileFilter*>(SendMessageW(ComboBox1, CB_GETITEMDATA, index, 0))
                     : nullptr;
}

void TMainForm::ChooseFilter(const TSHFileFilter* filter)
{
    int count = int(SendMessageW(ComboBox1, CB_GETCOUNT, 0, 0));
    int chosen = 0;
    for (int i = 1; i < count; ++i)
        if (filter && reinterpret_cast<const TSHFileFilter*>(SendMessageW(ComboBox1, CB_GETITEMDATA, i, 0)) == filter)
            chosen = i;
    SendMessageW(ComboBox1, CB_SETCURSEL, chosen, 0);
}

void TMainForm::RefillFilterCombo()
{
    SendMessageW(ComboBox1, CB_RESETCONTENT, 0, 0);
    SendMessageW(ComboBox1, CB_ADDSTRING, 0, LPARAM(L"< フィルタ無し >"));
    for (const auto& filter : SettingsData->Filters) {
        std::wstring name = AnsiToWide(filter->Name);
        LRESULT index = SendMessageW(ComboBox1, CB_ADDSTRING, 0, LPARAM(name.c_str()));
        SendMessageW(ComboBox1, CB_SETITEMDATA, index, LPARAM(filter.get()));
    }
    SendMessageW(ComboBox1, CB_SETCURSEL, 0, 0);
}

void TMainForm::RebuildFileTypeMenus()
{
    for (HMENU menu : Menus->FileTypeMenus()) {
        while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
        int id = IDM_FILETYPE_FIRST;
        for (const std::string& type : SettingsData->FileTypes)
            AppendMenuW(menu, MF_STRING, UINT_PTR(id++), AnsiToWide(type).c_str());
    }
}

std::wstring TMainForm::FileTypeOfMenuItem(int id) const
{
    size_t index = size_t(id - IDM_FILETYPE_FIRST);
    const auto& types = SettingsData->FileTypes;
    return id >= IDM_FILETYPE_FIRST && index < types.size() ? AnsiToWide(types[index]) : std::wstring();
}

bool TMainForm::ViewerVisible() const { return PanelViewer && IsWindowVisible(PanelViewer->Handle()); }

bool TMainForm::StatusBarVisible() const { return IsWindowVisible(StatusWnd) != 0; }

LRESULT TMainForm::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefFrameProcW(Wnd, ClientWnd, msg, wParam, lParam);
}

LRESULT TMainForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        CreateControls();
        LayoutForm();
        return 0;
    case WM_SIZE:
        LayoutForm();
        return 0;  // the frame lays out the MDI client itself
    case WM_COMMAND:
        // Higher identifiers are the window menu's folder windows.
        if (LOWORD(wParam) < IDM_FIRSTCHILD) {
            OnCommand(LOWORD(wParam), HWND(lParam), HIWORD(wParam));
            return 0;
        }
        break;
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
        UpdateActions();
        if (msg == WM_INITMENUPOPUP) Menus->SyncMenu(HMENU(wParam));
        else for (int i = 0, n = GetMenuItemCount(HMENU(wParam)); i < n; ++i)
            if (HMENU sub = GetSubMenu(HMENU(wParam), i)) Menus->SyncMenu(sub);
        break;
    case WM_MENUSELECT: {
        HMENU menu = HMENU(lParam);
        UINT flags = HIWORD(wParam);
        if (flags == 0xFFFF && !menu) {
            Status->HideHint();
        } else if (flags & MF_POPUP) {
            Status->ShowHint(Menus->SubmenuStatusText(GetSubMenu(menu, LOWORD(wParam))));
        } else if (TAction* a = ActionsList.Find(LOWORD(wParam))) {
            Status->ShowHint(a->StatusText);
        } else if (std::wstring type = FileTypeOfMenuItem(LOWORD(wParam)); !type.empty()) {
            Status->ShowHint(L"拡張子\"" + type + L"\"のファイルを選択します");
        } else {
            Status->ShowHint(L"");
        }
        break;
    }
    case WM_ENABLE:
        // A modal dialog or message box is coming: the splash, on top of
        // every window, would cover it.
        if (!wParam && Splash) Splash->Release();
        break;
    case WM_EXITMENULOOP:
        Status->HideHint();
        break;
    case WM_HELP: {
        auto* info = reinterpret_cast<HELPINFO*>(lParam);
        int context = 0;
        if (info->iContextType == HELPINFO_MENUITEM) {
            if (TAction* a = ActionsList.Find(info->iCtrlId)) context = a->HelpContext;
            else context = Menus->SubmenuHelpContext(HMENU(info->hItemHandle));
        }
        if (context) ShowHelp(context);
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (item->hwndItem == StatusWnd) {
            Status->DrawIndicator(*item);
            return TRUE;
        }
        break;
    }
    case WM_SETTINGCHANGE:
        // Only top-level windows hear of it; the shell controls re-read the
        // system image lists then.
        for (auto& window : FolderWindowObjects) SendMessageW(window->SHListView().Handle(), msg, wParam, lParam);
        if (Tree) SendMessageW(Tree->Handle(), msg, wParam, lParam);
        break;
    case WM_CLOSE:
        // A picture that is decoding is cancelled first: the plug-in must
        // not be freed under it.
        if (Raster && Raster->Loading()) {
            Raster->RunWhenIdle([this] { PostMessageW(Wnd, WM_CLOSE, 0, 0); });
            return 0;
        }
        if (FormCloseQuery()) DestroyWindow(Wnd);
        return 0;
    case WM_QUERYENDSESSION:
        // Logging off or shutting down ends the program without a close:
        // the workspace is kept as a close would keep it.
        RecordWorkspace();
        AskAndSave();
        return TRUE;
    case WM_DESTROY:
        SetShellOwnerWindow(nullptr);
        PostQuitMessage(0);
        break;
    }
    return TWindow::HandleMessage(msg, wParam, lParam);
}
