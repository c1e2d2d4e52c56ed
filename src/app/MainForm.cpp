#include "app/MainForm.h"

#include "core/commands/CommandTable.h"
#include "app/ControlIds.h"
#include "app/FontData.h"
#include "app/FolderWindow.h"
#include "app/MenuBuilder.h"
#include "shell/ShellTreeView.h"
#include "gui/MessageBox.h"
#include "gui/Strings.h"

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
    FolderWindows.clear();
    if (Wnd) DestroyWindow(Wnd);
}

void TMainForm::FormCreate()
{
    const std::wstring& exe = ExePath;
    Settings = std::make_unique<TInitData>(WideToAnsi(FolderOf(exe)), IconTitleFontData());
    SettingsPath = SettingsFileNameFor(exe);
    Settings->FileName = WideToAnsi(SettingsPath);
    HelpFile = exe.substr(0, exe.find_last_of(L'.')) + L".CHM";

    CreateActions();
    BindActionHandlers();
    Menus = std::make_unique<TMenuBuilder>(Actions);
    MainMenu.Reset(Menus->BuildMenuBar(MainMenuLayout()));
    WindowMenu = Menus->WindowMenu();
    PopupMenu1.Reset(Menus->BuildPopup(PopupMenu1Layout()));
    ToolBarMenu1.Reset(Menus->BuildPopup(ToolBarMenu1Layout()));
    ToolBarMenu2.Reset(Menus->BuildPopup(ToolBarMenu2Layout()));
    PopupUndo.Reset(CreatePopupMenu());
    PopupRedo.Reset(CreatePopupMenu());
    Accelerators.Reset(Actions.CreateAccelerators());
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

TSHListView* TMainForm::AttachedList() const
{
    for (const auto& window : FolderWindows)
        if (Tree && Tree->ShellListView() == &window->SHListView()) return &window->SHListView();
    return nullptr;
}

void TMainForm::SetStatusPanelText(int panel, const std::wstring& text)
{
    SendMessageW(StatusWnd, SB_SETTEXTW, WPARAM(panel), LPARAM(text.c_str()));
}

void TMainForm::RepaintStatusBar()
{
    // The owner-drawn indicator panels read their state when drawn.
    SendMessageW(StatusWnd, SB_SETTEXTW, 2 | SBT_OWNERDRAW, 0);
    SendMessageW(StatusWnd, SB_SETTEXTW, 3 | SBT_OWNERDRAW, 0);
    InvalidateRect(StatusWnd, nullptr, TRUE);
}

void TMainForm::SelectFilterEntry(const TSHFileFilter* filter)
{
    int count = int(SendMessageW(ComboBox1, CB_GETCOUNT, 0, 0));
    int chosen = 0;
    for (int i = 1; i < count; ++i)
        if (filter && reinterpret_cast<const TSHFileFilter*>(SendMessageW(ComboBox1, CB_GETITEMDATA, i, 0)) == filter)
            chosen = i;
    SendMessageW(ComboBox1, CB_SETCURSEL, chosen, 0);
}

TSubForm08010* TMainForm::NewFolderWindow(const TSHFileFilter* filter, PCIDList folder)
{
    auto window = std::make_unique<TSubForm08010>(*this, filter, folder);
    if (!window->Handle()) return nullptr;
    FolderWindows.push_back(std::move(window));
    return FolderWindows.back().get();
}

void TMainForm::FolderWindowClosed(TSubForm08010* window)
{
    for (auto it = FolderWindows.begin(); it != FolderWindows.end(); ++it)
        if (it->get() == window) {
            std::unique_ptr<TSubForm08010> gone = std::move(*it);
            FolderWindows.erase(it);
            break;  // `gone` frees the window object here
        }
    RepaintStatusBar();
    if (FolderWindows.empty()) {
        SetStatusPanelText(0, L"");
        SetStatusPanelText(1, L"");
    }
}

std::vector<TSubForm08010*> TMainForm::FolderWindowsBottomUp() const
{
    std::vector<TSubForm08010*> windows;
    for (HWND child = GetWindow(ClientWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (TSubForm08010* window = TSubForm08010::FromHandle(child)) windows.insert(windows.begin(), window);
    return windows;
}

bool TMainForm::ViewerVisible() const { return PanelViewer && IsWindowVisible(PanelViewer->Handle()); }

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
            HideHint();
        } else if (flags & MF_POPUP) {
            ShowHint(Menus->SubmenuStatusText(GetSubMenu(menu, LOWORD(wParam))));
        } else if (TAction* a = Actions.Find(LOWORD(wParam))) {
            ShowHint(a->StatusText);
        } else {
            ShowHint(L"");
        }
        break;
    }
    case WM_EXITMENULOOP:
        HideHint();
        break;
    case WM_HELP: {
        auto* info = reinterpret_cast<HELPINFO*>(lParam);
        int context = 0;
        if (info->iContextType == HELPINFO_MENUITEM) {
            if (TAction* a = Actions.Find(info->iCtrlId)) context = a->HelpContext;
            else context = Menus->SubmenuHelpContext(HMENU(info->hItemHandle));
        }
        if (context) ShowHelp(context);
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (item->hwndItem == StatusWnd) {
            DrawStatusPanel(*item);
            return TRUE;
        }
        break;
    }
    case WM_SETTINGCHANGE:
        // Only top-level windows hear of it; the shell controls re-read the
        // system image lists then.
        for (auto& window : FolderWindows) SendMessageW(window->SHListView().Handle(), msg, wParam, lParam);
        if (Tree) SendMessageW(Tree->Handle(), msg, wParam, lParam);
        break;
    case WM_CLOSE:
        if (FormCloseQuery()) DestroyWindow(Wnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    }
    return TWindow::HandleMessage(msg, wParam, lParam);
}
