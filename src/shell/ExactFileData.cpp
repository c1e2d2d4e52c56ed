#include "shell/ExactFileData.h"

#include "gui/Handles.h"
#include "shell/ShellHelpers.h"

#include <memory>
#include <thread>

TFolderEntryList ReadFolderEntries(const std::wstring& folder)
{
    TFolderEntryList entries;
    WIN32_FIND_DATAW data;
    TFindHandle find(FindFirstFileExW(JoinPath(folder, L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                      nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return entries;
    do {
        if (data.cFileName[0] == L'.' && (!data.cFileName[1] || (data.cFileName[1] == L'.' && !data.cFileName[2])))
            continue;
        entries.push_back(RowFileDataFrom(data));
    } while (FindNextFileW(find.Get(), &data));
    return entries;
}

void ReadFolderEntriesAsync(const std::wstring& folder, HWND notify, UINT message, unsigned generation)
{
    // Only the file system is touched here: no window, no shell object.
    std::thread([folder, notify, message, generation] {
        auto entries = std::make_unique<TFolderEntryList>(ReadFolderEntries(folder));
        if (PostMessageW(notify, message, WPARAM(generation), LPARAM(entries.get()))) entries.release();
    }).detach();
}

void DiscardPendingFolderEntries(HWND notify, UINT message)
{
    MSG msg;
    while (PeekMessageW(&msg, notify, message, message, PM_REMOVE))
        delete reinterpret_cast<TFolderEntryList*>(msg.lParam);
}
