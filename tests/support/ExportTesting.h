#pragma once
// What the export tests share, in-process and from outside the program:
// answering the save dialog, the folder of hostile names, and reading the
// listings back (CSV strictly).
#include "TempFolder.h"

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <atomic>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

// What the user does in the save dialog.
struct TSaveAnswer {
    int FileType = 1;     // 1 text, 2 CSV, 3 HTML
    std::wstring Folder;  // typed first to go there (empty: stay)
    std::wstring Name;    // typed then
    bool Cancel = false;
};

// Answers the save dialog a window owns, and what follows it, from a
// thread of its own while the command runs: the overwrite question with
// Yes, a message box of the owner with OK (its text is kept). The owner
// may belong to another process.
class TSaveDialogDriver {
public:
    TSaveDialogDriver(HWND owner, TSaveAnswer answer) : Owner(owner), Answer(std::move(answer))
    {
        GetWindowThreadProcessId(owner, &Process);
        Thread = std::thread([this] { Run(); });
    }
    ~TSaveDialogDriver() { Finish(); }
    TSaveDialogDriver(const TSaveDialogDriver&) = delete;
    TSaveDialogDriver& operator=(const TSaveDialogDriver&) = delete;

    void Finish()
    {
        Stop = true;
        if (Thread.joinable()) Thread.join();
    }

    std::atomic<bool> Answered{false};
    std::wstring FirstFolder;  // the folder the dialog opened in (in this process only)
    std::wstring ErrorText;    // of a message box the owner owns
    bool OverwriteAsked = false;

private:
    void Run()
    {
        for (int i = 0; i < 1000 && !Stop; ++i) {
            EnumWindows(&TSaveDialogDriver::Visit, reinterpret_cast<LPARAM>(this));
            Sleep(30);
        }
    }
    static BOOL CALLBACK Visit(HWND window, LPARAM self)
    {
        reinterpret_cast<TSaveDialogDriver*>(self)->Look(window);
        return TRUE;
    }
    void Look(HWND window)
    {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        wchar_t className[64] = {}, title[256] = {};
        GetClassNameW(window, className, 64);
        if (process != Process || !IsWindowVisible(window) || wcscmp(className, L"#32770") != 0) return;
        if (!Seen.insert(window).second) return;
        GetWindowTextW(window, title, 256);
        HWND owner = GetWindow(window, GW_OWNER);
        if (wcscmp(title, L"ファイルを保存") == 0 && owner == Owner) {
            AnswerSaveDialog(window);
        } else if (SaveDialog && owner == SaveDialog) {
            OverwriteAsked = true;
            PostMessageW(window, WM_COMMAND, IDYES, 0);
        } else if (owner == Owner) {
            wchar_t text[1024] = {};
            GetDlgItemTextW(window, 0xFFFF, text, 1024);
            ErrorText = text;
            PostMessageW(window, WM_COMMAND, IDOK, 0);
        }
    }
    void AnswerSaveDialog(HWND dialog)
    {
        SaveDialog = dialog;
        Sleep(100);  // the dialog fills its controls after it shows
        if (Process == GetCurrentProcessId()) {
            wchar_t folder[MAX_PATH] = {};
            SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
            FirstFolder = folder;
        }
        if (Answer.Cancel) {
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            Answered = true;
            return;
        }
        HWND types = GetDlgItem(dialog, cmb1);
        SendMessageW(types, CB_SETCURSEL, WPARAM(Answer.FileType - 1), 0);
        // What a choice with the mouse sends (dialogs follow one or the other).
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
        if (!Answer.Folder.empty()) {
            SetDlgItemTextW(dialog, cmb13, Answer.Folder.c_str());
            SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        }
        SetDlgItemTextW(dialog, cmb13, Answer.Name.c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        Answered = true;
    }

    HWND Owner;
    DWORD Process = 0;
    HWND SaveDialog = nullptr;
    TSaveAnswer Answer;
    std::set<HWND> Seen;
    std::atomic<bool> Stop{false};
    std::thread Thread;
};

inline HKEY CreateRegistryKey(HKEY root, const std::wstring& path)
{
    HKEY key = nullptr;
    RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return key;
}

// A number in the registry for the life of the object.
class TRegistryNumber {
public:
    TRegistryNumber(HKEY root, const std::wstring& path, const wchar_t* name, DWORD value)
        : Key(CreateRegistryKey(root, path)), Name(name)
    {
        RegSetValueExW(Key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }
    ~TRegistryNumber()
    {
        RegDeleteValueW(Key, Name.c_str());
        RegCloseKey(Key);
    }
    TRegistryNumber(const TRegistryNumber&) = delete;
    TRegistryNumber& operator=(const TRegistryNumber&) = delete;

private:
    HKEY Key;
    std::wstring Name;
};

// A new registry key with its default text, for the life of the object.
class TRegistryKey {
public:
    TRegistryKey(HKEY root, const std::wstring& path, const std::wstring& text) : Root(root), Path(path)
    {
        HKEY key = CreateRegistryKey(root, path);
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       DWORD((text.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    ~TRegistryKey() { RegDeleteKeyW(Root, Path.c_str()); }
    TRegistryKey(const TRegistryKey&) = delete;
    TRegistryKey& operator=(const TRegistryKey&) = delete;

private:
    HKEY Root;
    std::wstring Path;
};

// Ten objects with hostile names: "&", "#", "%", a comma, a Hangul name,
// a type whose name holds quotes and a comma (registered while the object
// lives, since a file name cannot hold a quote), and a folder and a file
// that show the same name "same" while extensions are hidden (as they are
// while the object lives). Files of 2,000 to 10,000 bytes.
class THostileFolder {
public:
    explicit THostileFolder(const std::wstring& folder) : Path(folder)
    {
        CreateDirectoryW(folder.c_str(), nullptr);
        CreateDirectoryW((folder + L"\\same").c_str(), nullptr);
        DWORD size = 1000;
        for (const wchar_t* name : {L"R&D.txt", L"#1.txt", L"100%.txt", L"a,b.txt", L"한글.txt", L"q.qvquote",
                                    L"same.txt", L"日本 語.txt", L"x'y ~.txt"}) {
            HANDLE file = CreateFileW((folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
            std::vector<char> bytes(size += 1000, 'x');
            DWORD written = 0;
            WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
            CloseHandle(file);
        }
    }
    static constexpr wchar_t kQuotedType[] = L"引用 \"型\", ファイル";
    static constexpr const wchar_t* kSizeTotal = L"52.7KB";  // 54,000 bytes
    const std::wstring Path;

private:
    TRegistryNumber HideExtensions{HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced",
                                   L"HideFileExt", 1};
    TRegistryKey QuoteType{HKEY_CLASSES_ROOT, L".qvquote", L"Quirevue.QuoteTest"};
    TRegistryKey QuoteName{HKEY_CLASSES_ROOT, L"Quirevue.QuoteTest", kQuotedType};
};

inline std::wstring DecodeBytes(UINT codePage, const std::vector<uint8_t>& bytes, size_t from = 0)
{
    if (bytes.size() <= from) return {};
    const char* text = reinterpret_cast<const char*>(bytes.data()) + from;
    int size = int(bytes.size() - from);
    int n = MultiByteToWideChar(codePage, 0, text, size, nullptr, 0);
    std::wstring out(size_t(n), L'\0');
    MultiByteToWideChar(codePage, 0, text, size, out.data(), n);
    return out;
}

// A listing's text: UTF-8 behind its byte-order mark, else the ANSI page.
inline std::wstring ListingText(const std::vector<uint8_t>& bytes, bool* unicode = nullptr)
{
    bool utf8 = bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF;
    if (unicode) *unicode = utf8;
    return utf8 ? DecodeBytes(CP_UTF8, bytes, 3) : DecodeBytes(CP_ACP, bytes);
}

using TCsvRecords = std::vector<std::vector<std::wstring>>;

// CSV read strictly: every record ends with CR LF; a field is plain (no
// quote, comma or line break) or quoted with its quotes doubled; anything
// else is refused.
inline std::optional<TCsvRecords> ReadCsvStrictly(const std::wstring& text)
{
    TCsvRecords records;
    std::vector<std::wstring> record;
    size_t i = 0;
    while (i < text.size()) {
        std::wstring field;
        if (text[i] == L'"') {
            for (++i;; ++i) {
                if (i >= text.size()) return std::nullopt;
                if (text[i] != L'"') field += text[i];
                else if (i + 1 < text.size() && text[i + 1] == L'"') field += text[i++];
                else break;
            }
            ++i;
        } else {
            while (i < text.size() && text[i] != L',' && text[i] != L'\r') {
                if (text[i] == L'"' || text[i] == L'\n') return std::nullopt;
                field += text[i++];
            }
        }
        record.push_back(field);
        if (i < text.size() && text[i] == L',') {
            ++i;
        } else if (text.compare(i, 2, L"\r\n") == 0) {
            i += 2;
            records.push_back(std::move(record));
            record.clear();
        } else {
            return std::nullopt;
        }
    }
    if (!record.empty()) return std::nullopt;
    return records;
}

inline std::vector<std::wstring> SplitText(const std::wstring& text, const std::wstring& separator)
{
    std::vector<std::wstring> parts;
    size_t from = 0;
    for (size_t at; (at = text.find(separator, from)) != std::wstring::npos; from = at + separator.size())
        parts.push_back(text.substr(from, at - from));
    parts.push_back(text.substr(from));
    return parts;
}

// Each value of an attribute in a page, in order (src="...").
inline std::vector<std::wstring> AttributeValues(const std::wstring& page, const std::wstring& attribute)
{
    std::vector<std::wstring> values;
    std::wstring key = attribute + L"=\"";
    for (size_t at = page.find(key); at != std::wstring::npos; at = page.find(key, at + 1)) {
        size_t from = at + key.size();
        values.push_back(page.substr(from, page.find(L'"', from) - from));
    }
    return values;
}
