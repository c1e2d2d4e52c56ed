#include "fileops/FolderIcon.h"

#include "core/fileops/IniText.h"
#include "gui/AtomicFile.h"
#include "gui/Handles.h"
#include "gui/SystemLibrary.h"
#include "shell/ShellHelpers.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <cwctype>
#include <vector>

namespace {

using TPickIconDlg = int(WINAPI*)(HWND, LPWSTR, UINT, int*);

const wchar_t kMetricsKey[] = L"Control Panel\\Desktop\\WindowMetrics";
const wchar_t kIconSizeValue[] = L"Shell Icon Size";

std::vector<unsigned char> ReadBytes(const std::wstring& path)
{
    std::vector<unsigned char> bytes;
    TFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    DWORD size = file ? GetFileSize(file.Get(), nullptr) : INVALID_FILE_SIZE;
    if (size == INVALID_FILE_SIZE || size > (1u << 20)) return bytes;
    bytes.resize(size);
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data(), size, &read, nullptr)) read = 0;
    bytes.resize(read);
    return bytes;
}

// An existing desktop.ini in whichever form it was written.
std::wstring IniText(const std::vector<unsigned char>& bytes)
{
    std::wstring text;
    if (ReadUtf16FileBytes(bytes, text)) return text;
    UINT codePage = CP_ACP;
    size_t skip = 0;
    if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        codePage = CP_UTF8;
        skip = 3;
    }
    int length = int(bytes.size() - skip);
    if (length <= 0) return {};
    auto from = reinterpret_cast<const char*>(bytes.data() + skip);
    text.resize(size_t(MultiByteToWideChar(codePage, 0, from, length, nullptr, 0)));
    MultiByteToWideChar(codePage, 0, from, length, text.data(), int(text.size()));
    return text;
}

int StoredIconSize(HKEY key)
{
    wchar_t text[32] = {};
    DWORD type = 0, size = sizeof text - sizeof(wchar_t);
    if (RegQueryValueExW(key, kIconSizeValue, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return 32;
    std::wstring value(text);
    if (value.empty() || value.size() > 6) return 32;
    for (wchar_t c : value)
        if (!std::iswdigit(c)) return 32;
    return std::stoi(value);
}

}  // namespace

TIconPick PickIconWithShell(HWND owner, std::wstring& file, int& index)
{
    TSystemLibrary shell(L"SHELL32.DLL");
    auto pick = shell.Proc<TPickIconDlg>(MAKEINTRESOURCEA(62));
    if (!pick) return TIconPick::NoPicker;
    wchar_t buffer[MAX_PATH] = {};
    lstrcpynW(buffer, file.c_str(), MAX_PATH);
    int chosen = index;
    int result = pick(owner, buffer, MAX_PATH, &chosen);
    if (result == 0) return TIconPick::Cancelled;
    if (result < 0) return TIconPick::NoPicker;
    // A picker that hands back a folder has chosen no icon file.
    if (DirectoryExists(buffer)) return TIconPick::NoPicker;
    file = buffer;
    index = chosen;
    return TIconPick::Chosen;
}

std::wstring DesktopIniPath(const std::wstring& folder) { return JoinPath(folder, L"desktop.ini"); }

DWORD WriteFolderIcon(const std::wstring& folder, const std::wstring& iconFile, int index)
{
    const std::wstring ini = DesktopIniPath(folder);
    std::wstring text = IniText(ReadBytes(ini));
    text = SetIniValue(text, L".ShellClassInfo", L"IconFile", iconFile);
    text = SetIniValue(text, L".ShellClassInfo", L"IconIndex", std::to_wstring(index));
    std::vector<unsigned char> bytes = Utf16FileBytes(text);
    // A hidden, system or read-only file is replaced as a plain one.
    DWORD oldAttributes = GetFileAttributesW(ini.c_str());
    DWORD error = ReplaceFileWhole(ini, bytes.data(), bytes.size(), [&] {
        if (oldAttributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    });
    if (error) {
        if (oldAttributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(ini.c_str(), oldAttributes);
        return error;
    }
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    PathMakeSystemFolderW(folder.c_str());
    SHChangeNotify(SHCNE_UPDATEITEM, SHCNF_PATHW | SHCNF_FLUSH, folder.c_str(), nullptr);
    return 0;
}

void RefreshShellIcons()
{
    HKEY key = nullptr;
    bool opened = RegOpenKeyExW(HKEY_CURRENT_USER, kMetricsKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) ==
                  ERROR_SUCCESS;
    int size = opened ? StoredIconSize(key) : 32;
    for (int value : {size - 1, size}) {
        if (opened) {
            std::wstring text = std::to_wstring(value);
            RegSetValueExW(key, kIconSizeValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           DWORD((text.size() + 1) * sizeof(wchar_t)));
        }
        ICONMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoW(SPI_GETICONMETRICS, sizeof metrics, &metrics, 0))
            SystemParametersInfoW(SPI_SETICONMETRICS, sizeof metrics, &metrics,
                                  SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
    }
    if (opened) RegCloseKey(key);
}

std::wstring DefaultIconLibrary()
{
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    return JoinPath(system, L"shell32.dll");
}
