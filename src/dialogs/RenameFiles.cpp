#include "dialogs/RenameFiles.h"

#include "dialogs/FolderWalk.h"
#include "shell/ShellHelpers.h"

#include <windows.h>

namespace {

std::wstring SystemErrorText(uint32_t error)
{
    wchar_t* buffer = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n ? std::wstring(buffer, n) : std::wstring();
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return text + L" (" + std::to_wstring(error) + L")";
}

}  // namespace

wchar_t FileSystemFold(wchar_t c)
{
    // One table for every UTF-16 unit, made once with the invariant mapping
    // (surrogates map to themselves).
    static const std::wstring table = [] {
        std::wstring units(0x10000, L'\0'), upper(0x10000, L'\0');
        for (size_t i = 0; i < units.size(); ++i) units[i] = wchar_t(i);
        upper = units;
        auto map = [&](size_t from, size_t to) {
            LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, units.data() + from, int(to - from), upper.data() + from,
                         int(to - from));
        };
        map(1, 0xD800);
        map(0xE000, 0x10000);
        return upper;
    }();
    return table[size_t(c)];
}

std::vector<TFolderEntry> ListFolder(const std::wstring& folder)
{
    std::vector<TFolderEntry> entries;
    for (TWalkEntry& entry : ListFolderEntries(folder)) entries.push_back({std::move(entry.Name), entry.IsFolder});
    return entries;
}

TRenameRun RenameInFolder(const std::wstring& folder, const std::vector<TRenameRow>& rows, bool folderMode)
{
    TRenameRun run;
    run.Plan = MakeRenamePlan(rows, ListFolder(folder), folderMode, FileSystemFold);
    std::wstring base = IncludeBackslash(folder);
    run.Outcome = RunRenamePlan(run.Plan, [&base](const std::wstring& from, const std::wstring& to) -> uint32_t {
        return MoveFileW((base + from).c_str(), (base + to).c_str()) ? 0 : GetLastError();
    });
    return run;
}

std::wstring RenameFailureText(const TRenameRun& run)
{
    const TPlannedMove& move = run.Plan.Moves[run.Outcome.FailedMove];
    const std::wstring& object = run.Plan.Originals[move.Object];
    std::wstring what;
    switch (move.Kind) {
    case TMoveKind::ToTemporary:
        what = L"「" + object + L"」を一時的な名前「" + move.To + L"」に変更できませんでした。";
        break;
    case TMoveKind::PushAside:
        what = L"同じ名前の「" + object + L"」を「" + move.To + L"」に変更できませんでした。";
        break;
    case TMoveKind::ToNewName:
        what = L"「" + object + L"」を「" + move.To + L"」に変更できませんでした。";
        break;
    }
    std::wstring text = L"名前の変更に失敗しました。\n\n" + what + L"\n" + SystemErrorText(run.Outcome.Error);
    if (run.Outcome.Stranded.empty()) text += L"\n\n変更した名前はすべて元に戻しました。";
    else text += L"\n\n元の名前に戻せなかったオブジェクトがあります。";
    return text;
}

std::wstring StrandedObjectsText(const std::wstring& folder, const TRenameRun& run)
{
    std::wstring text;
    for (const TStrandedObject& object : run.Outcome.Stranded)
        text += JoinPath(folder, object.Current) + L"\t(元の名前: " + object.Original + L")\r\n";
    return text;
}
