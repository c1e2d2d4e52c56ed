// The floor of the start-up benchmark: the least a program can do to show a
// folder of many files in a details list. It enumerates the folder through
// the shell with the find data, sorts the names with CompareStringW and
// shows them in an owner-data list control. Usage: bare_startup FOLDER
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> gNames;

std::vector<std::wstring> Enumerate(const std::wstring& path)
{
    std::vector<std::wstring> names;
    IShellFolder* desktop = nullptr;
    SHGetDesktopFolder(&desktop);
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, const_cast<wchar_t*>(path.c_str()), nullptr, &pidl,
                                         nullptr)))
        return names;
    IShellFolder* folder = nullptr;
    desktop->BindToObject(pidl, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder));
    IEnumIDList* items = nullptr;
    folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, &items);
    LPITEMIDLIST item = nullptr;
    ULONG fetched = 0;
    while (items->Next(1, &item, &fetched) == S_OK) {
        WIN32_FIND_DATAW data;
        if (SUCCEEDED(SHGetDataFromIDListW(folder, item, SHGDFIL_FINDDATA, &data, sizeof data)))
            names.emplace_back(data.cFileName);
        CoTaskMemFree(item);
    }
    items->Release();
    folder->Release();
    CoTaskMemFree(pidl);
    desktop->Release();
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_LESS_THAN;
    });
    return names;
}

LRESULT CALLBACK FrameProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NOTIFY: {
        auto* info = reinterpret_cast<NMLVDISPINFOW*>(lParam);
        if (info->hdr.code == LVN_GETDISPINFOW && (info->item.mask & LVIF_TEXT) && info->item.iSubItem == 0 &&
            size_t(info->item.iItem) < gNames.size())
            lstrcpynW(info->item.pszText, gNames[size_t(info->item.iItem)].c_str(), info->item.cchTextMax);
        return 0;
    }
    case WM_SIZE:
        if (HWND list = GetDlgItem(wnd, 1)) MoveWindow(list, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command, int)
{
    CoInitialize(nullptr);
    InitCommonControls();
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 2) return 2;
    WNDCLASSW wc{};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"BareStartup";
    RegisterClassW(&wc);
    HWND frame = CreateWindowExW(0, L"BareStartup", L"bare", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                                 instance, nullptr);
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 0, 0, 800,
                                600, frame, HMENU(1), instance, nullptr);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 240;
    column.pszText = const_cast<wchar_t*>(L"名前");
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, LPARAM(&column));
    ShowWindow(frame, SW_SHOW);
    gNames = Enumerate(argv[1]);
    SendMessageW(list, LVM_SETITEMCOUNT, gNames.size(), 0);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    (void)command;
    return 0;
}
