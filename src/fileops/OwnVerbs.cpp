#include "fileops/OwnVerbs.h"

#include "fileops/FileTransfer.h"
#include "fileops/Shortcuts.h"
#include "shell/ShellClipboard.h"
#include "shell/ShellHelpers.h"

namespace {

std::wstring ParentFolder(const std::wstring& path)
{
    size_t cut = path.find_last_of(L"\\/");
    if (cut == std::wstring::npos) return std::wstring();
    return path.substr(0, cut == 2 && path[1] == L':' ? cut + 1 : cut);
}

}  // namespace

bool CreateShortcutsBeside(const TSHIDList& items)
{
    if (items.Count() == 0) return false;
    bool all = true;
    for (int i = 0; i < items.Count(); ++i) {
        std::wstring target = items.GetItemPath(i);
        std::wstring folder = ParentFolder(target);
        if (target.empty() || folder.empty() || CreateShortcutIn(folder, target).empty()) all = false;
    }
    return all;
}

bool PasteFromClipboard(HWND window, const std::wstring& targetFolder)
{
    if (targetFolder.empty()) return false;
    DWORD sequence = GetClipboardSequenceNumber();
    bool move = false;
    std::vector<std::wstring> files = ClipboardFiles(&move);
    if (files.empty()) return false;
    TransferKind kind = move ? TransferKind::Move : TransferKind::Copy;
    TransferResult result = TransferFiles(window, files, targetFolder, kind);
    // A missing folder is a paste refused, not one that failed.
    if (result != TransferResult::NoTarget) ReportTransfer(window, kind, result);
    if (result != TransferResult::Done) return false;
    // The cut files are gone from where the clipboard says they are.
    if (move) EmptyClipboardUnlessChanged(window, sequence);
    return true;
}

bool RunOwnVerb(HWND owner, const TSHIDList& items, const std::wstring& verb, bool& ran)
{
    ran = false;
    if (verb == L"cut" || verb == L"copy") {
        ran = CopyToClipboard(items, verb == L"cut");
        return true;
    }
    if (verb == L"paste") {
        std::wstring folder = items.Count() == 1 ? items.GetItemPath(0) : std::wstring();
        ran = !folder.empty() && DirectoryExists(folder) && ClipboardHasFiles() && PasteFromClipboard(owner, folder);
        return true;
    }
    if (verb == L"link") {
        // Items without a path (virtual objects) are the shell's.
        for (int i = 0; i < items.Count(); ++i)
            if (items.GetItemPath(i).empty()) return false;
        ran = CreateShortcutsBeside(items);
        return true;
    }
    return false;
}

bool RunShellCommand(HWND owner, const TSHIDList& items, TShellCommand command)
{
    const wchar_t* verb = command == TShellCommand::scCut     ? L"cut"
                          : command == TShellCommand::scCopy  ? L"copy"
                          : command == TShellCommand::scPaste ? L"paste"
                                                              : nullptr;
    bool ran = false;
    if (verb && RunOwnVerb(owner, items, verb, ran)) return ran;
    return items.ExecuteCommand(owner, command);
}
