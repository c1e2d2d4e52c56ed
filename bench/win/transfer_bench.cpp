// Copying 10,000 small files by paste and by a drop from one folder window
// onto another, each against one bare SHFileOperationW call with the same
// list in the same run. Prints ratios, never bare times alone.
#include "BenchPump.h"
#include "browser/ListDropSite.h"
#include "browser/ShellListView.h"
#include "fileops/FileTransfer.h"
#include "fileops/OwnVerbs.h"
#include "gui/MessageLoop.h"
#include "shell/IDList.h"
#include "shell/ShellClipboard.h"

#include <shellapi.h>
#include <commctrl.h>
#include <ole2.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

HWND MakeHost(int left)
{
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, left, 0, 500, 400, nullptr,
                           nullptr, nullptr, nullptr);
}

std::vector<std::wstring> FilesIn(const std::wstring& folder)
{
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName[0] != L'.')
            files.push_back(folder + L"\\" + found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(files.begin(), files.end());
    return files;
}

size_t CountIn(const std::wstring& folder) { return FilesIn(folder).size(); }

std::wstring NewFolder(const std::wstring& parent, const wchar_t* name)
{
    std::wstring folder = parent + L"\\" + name;
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

// The floor: one file operation, the whole list into one folder.
double BareCopy(const std::vector<std::wstring>& files, const std::wstring& folder)
{
    std::wstring from;
    for (const std::wstring& file : files) from += file + L'\0';
    from += L'\0';
    std::wstring to = folder + L'\0';
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_COPY;
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOERRORUI;
    TClock::time_point start = TClock::now();
    int result = SHFileOperationW(&operation);
    double time = Seconds(start);
    if (result != 0 || CountIn(folder) != files.size()) std::printf("transfer_bench: the bare copy failed\n");
    return time;
}

// The files on the clipboard as a copy, the way a copy command puts them.
bool PutOnClipboard(const std::vector<std::wstring>& files)
{
    size_t chars = 1;
    for (const std::wstring& file : files) chars += file.size() + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    if (!block) return false;
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* names = reinterpret_cast<wchar_t*>(drop + 1);
    for (const std::wstring& file : files) {
        std::copy(file.begin(), file.end(), names);
        names += file.size() + 1;
    }
    GlobalUnlock(block);
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    bool put = SetClipboardData(CF_HDROP, block) != nullptr;
    CloseClipboard();
    if (!put) GlobalFree(block);
    return put;
}

double Paste(const std::vector<std::wstring>& files, const std::wstring& folder)
{
    if (!PutOnClipboard(files)) std::printf("transfer_bench: the clipboard took nothing\n");
    TClock::time_point start = TClock::now();
    bool pasted = PasteFromClipboard(nullptr, folder);
    double time = Seconds(start);
    if (!pasted || CountIn(folder) != files.size()) std::printf("transfer_bench: the paste failed\n");
    return time;
}

// Two folder windows: every row of the first is dropped with Ctrl on the
// second's background. The time runs from the drag entering the target to
// the end of the drop; the time until both lists show the result is added.
struct TDropTimes {
    double Drop = 0;
    double Shown = 0;
};

TDropTimes DropBetweenWindows(const std::wstring& source, const std::wstring& folder, size_t count)
{
    TDropTimes times;
    HWND hosts[2] = {MakeHost(0), MakeHost(520)};
    std::unique_ptr<TSHListView> lists[2];
    const std::wstring folders[2] = {source, folder};
    for (int i = 0; i < 2; ++i) {
        lists[i] = std::make_unique<TSHListView>(hosts[i]);
        MoveWindow(lists[i]->Handle(), 0, 0, 480, 360, TRUE);
        if (TIDListPtr list = PathToIDList(folders[i])) lists[i]->SetFolder(list.get());
    }
    PumpUntil([&] { return size_t(lists[0]->FileList().Count()) == count; }, 60);
    lists[0]->SelectAll(true);
    ProcessPendingMessages();
    TSHIDList& selection = lists[0]->FileList().GetSelectedIDList();
    ComPtr<IDataObject> data;
    if (IShellFolder* parent = selection.GetParentFolder()) {
        parent->GetUIObjectOf(hosts[0], UINT(selection.Count()), const_cast<LPCITEMIDLIST*>(selection.GetItemList()),
                              IID_IDataObject, nullptr, data.PutVoid());
        parent->Release();
    }
    if (!data || size_t(selection.Count()) != count) {
        std::printf("transfer_bench: the source list offered %d rows\n", selection.Count());
    } else {
        IDropTarget* target = lists[1]->DropSiteOfList()->DropTarget();
        POINT middle{240, 300};
        ClientToScreen(lists[1]->ListHandle(), &middle);
        POINTL point{middle.x, middle.y};
        TClock::time_point start = TClock::now();
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        target->DragEnter(data.Get(), MK_CONTROL | MK_LBUTTON, point, &effect);
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        target->Drop(data.Get(), MK_CONTROL, point, &effect);
        times.Drop = Seconds(start);
        bool shown = PumpUntil([&] { return size_t(lists[1]->FileList().Count()) == count; }, 60);
        times.Shown = Seconds(start);
        if (effect != DROPEFFECT_COPY || CountIn(folder) != count || !shown)
            std::printf("transfer_bench: the drop failed\n");
    }
    for (int i = 0; i < 2; ++i) {
        lists[i].reset();
        DestroyWindow(hosts[i]);
    }
    return times;
}

}  // namespace

int main()
{
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    std::wstring base = L"C:\\quirevue-bench";
    std::wstring source = base + L"\\copy10000";
    std::wstring out = base + L"\\transfer-out";
    std::vector<std::wstring> files = FilesIn(source);
    if (files.size() != 10000 || GetFileAttributesW(out.c_str()) != INVALID_FILE_ATTRIBUTES) {
        std::printf("transfer_bench: needs 10000 files in copy10000 and no transfer-out (tools/run-bench.sh makes "
                    "them), found %zu\n",
                    files.size());
        return 1;
    }
    CreateDirectoryW(out.c_str(), nullptr);
    double bare = BareCopy(files, NewFolder(out, L"bare"));
    double paste = Paste(files, NewFolder(out, L"paste"));
    TDropTimes drop = DropBetweenWindows(source, NewFolder(out, L"drop"), files.size());
    std::printf("fileops.paste_copy.10000: %.2fx one bare SHFileOperationW (bare %.0f ms, ours %.0f ms; goal <= 1.2x)\n",
                paste / bare, bare * 1000, paste * 1000);
    std::printf("fileops.drop_copy.10000: %.2fx one bare SHFileOperationW (ours %.0f ms; goal <= 1.2x); "
                "%.2fx until the target list shows every file\n",
                drop.Drop / bare, drop.Drop * 1000, drop.Shown / bare);
    return 0;
}
