#include "settings/SettingsFile.h"

#include "core/settings/SettingsCodec.h"
#include "gui/AtomicFile.h"
#include "gui/Handles.h"

#include <windows.h>

#include <vector>

static std::wstring SystemErrorText(DWORD code)
{
    wchar_t* buffer = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n ? std::wstring(buffer, n) : L"エラー コード " + std::to_wstring(code);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return text;
}

static TSettingsFileError Failure(const std::wstring& what, const std::wstring& fileName, DWORD code)
{
    return TSettingsFileError(what + L"\n" + fileName + L"\n" + SystemErrorText(code));
}

std::wstring SettingsFileNameFor(const std::wstring& exePath)
{
    size_t slash = exePath.find_last_of(L"\\/");
    size_t dot = exePath.find_last_of(L'.');
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return exePath + L".qvs";
    return exePath.substr(0, dot) + L".qvs";
}

bool LoadSettings(const std::wstring& fileName, TInitData& data, TSettingsFileState& state)
{
    TFileHandle file(CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    HANDLE h = file.Get();
    if (!file) {
        DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return false;
        throw Failure(L"設定ファイルを開けません。", fileName, code);
    }
    std::vector<uint8_t> bytes;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(h, &size) != 0;
    // The format has no signature; an absurd size is read only as far as a
    // settings file could reach.
    const LONGLONG kLimit = 256LL * 1024 * 1024;
    if (ok) bytes.resize(size_t(size.QuadPart < kLimit ? size.QuadPart : kLimit));
    size_t done = 0;
    while (ok && done < bytes.size()) {
        DWORD got = 0;
        ok = ReadFile(h, bytes.data() + done, DWORD(bytes.size() - done), &got, nullptr) != 0;
        if (ok && got == 0) break;
        done += got;
    }
    DWORD code = GetLastError();
    file.Reset();
    if (!ok) throw Failure(L"設定ファイルを読み取れません。", fileName, code);
    bytes.resize(done);

    TSettingsReadResult result = DecodeSettings(bytes.data(), bytes.size(), data);
    state.Damaged = result.Damaged;
    state.Problem.assign(result.Problem.begin(), result.Problem.end());
    return true;
}

// A name beside the damaged file that nothing occupies yet.
static std::wstring FreeAsideName(const std::wstring& fileName)
{
    for (int n = 1; n < 10000; ++n) {
        std::wstring name = fileName + L".damaged" + (n == 1 ? L"" : L"-" + std::to_wstring(n));
        if (GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES) return name;
    }
    return {};
}

static void PutDamagedFileAside(const std::wstring& fileName, TSettingsFileState& state)
{
    if (!state.Damaged || !state.KeptAs.empty()) return;
    if (GetFileAttributesW(fileName.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    std::wstring aside = FreeAsideName(fileName);
    if (aside.empty() || !MoveFileExW(fileName.c_str(), aside.c_str(), MOVEFILE_WRITE_THROUGH))
        throw Failure(L"壊れた設定ファイルを退避できないため、設定を記録できません。", fileName, GetLastError());
    state.KeptAs = aside;
}

void SaveSettings(const std::wstring& fileName, const TInitData& data, TSettingsFileState& state)
{
    std::vector<uint8_t> bytes = EncodeSettings(data);
    DWORD code = ReplaceFileWhole(fileName, bytes.data(), bytes.size(),
                                  [&] { PutDamagedFileAside(fileName, state); });
    if (code) throw Failure(L"設定ファイルを記録できません。", fileName, code);
    state.Damaged = false;
}
