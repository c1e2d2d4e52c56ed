#pragma once
// Folders and files the Windows tests make for themselves.
#include <windows.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::wstring& Path() const { return Folder; }
    std::wstring operator/(const std::wstring& name) const { return Folder + L"\\" + name; }

private:
    std::wstring Folder;
};

std::vector<uint8_t> ReadWholeFile(const std::wstring& path);
bool WriteWholeFile(const std::wstring& path, const std::vector<uint8_t>& bytes);
bool FileExists(const std::wstring& path);
std::wstring Utf8Path(const char* utf8);
// Names of the files and folders directly in a folder.
std::set<std::wstring> FolderContents(const std::wstring& folder);
