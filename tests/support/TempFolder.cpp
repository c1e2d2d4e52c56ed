#include "TempFolder.h"

static void RemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path);
            else DeleteFileW(path.c_str());
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(folder.c_str());
}

TTempFolder::TTempFolder()
{
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
        Folder = std::wstring(base) + L"qvtest-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(++counter);
        if (CreateDirectoryW(Folder.c_str(), nullptr)) break;
    }
}

TTempFolder::~TTempFolder() { RemoveTree(Folder); }

std::vector<uint8_t> ReadWholeFile(const std::wstring& path)
{
    std::vector<uint8_t> bytes;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return bytes;
    DWORD size = GetFileSize(h, nullptr);
    bytes.resize(size);
    DWORD got = 0;
    if (size && !ReadFile(h, bytes.data(), size, &got, nullptr)) got = 0;
    bytes.resize(got);
    CloseHandle(h);
    return bytes;
}

bool WriteWholeFile(const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    bool ok = bytes.empty() || (WriteFile(h, bytes.data(), DWORD(bytes.size()), &put, nullptr) && put == bytes.size());
    CloseHandle(h);
    return ok;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring Utf8Path(const char* utf8)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring out(size_t(n ? n - 1 : 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, out.data(), n);
    return out;
}

std::set<std::wstring> FolderContents(const std::wstring& folder)
{
    std::set<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") names.insert(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}
