#pragma once
// The Susie "00IN" plug-in host: TSusiePlugs is the list of usable plug-ins
// of one folder ("*.spi" in the 32-bit program, "*.sph" in the 64-bit one),
// TSusiePlug loads one plug-in for one question and calls it. Every call
// into a plug-in goes through the fault guard; a plug-in that faults is
// skipped for the rest of the run (keyed by path, size and write time, so a
// replaced file is tried again).
#include "core/viewer/SusieLayout.h"
#include "viewer/PluginGuard.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class TSusiePlugs;

// The host's progress function: (done, total, user value); nonzero aborts.
using TSusieProgressProc = int(WINAPI*)(int, int, LONG_PTR);

// A plug-in file's identity for the caches and the faulted list.
struct TPluginFileKey {
    std::wstring Path;  // full path, upper-cased
    uint64_t Size = 0;
    uint64_t WriteTime = 0;
    friend bool operator<(const TPluginFileKey& a, const TPluginFileKey& b)
    {
        if (a.Path != b.Path) return a.Path < b.Path;
        if (a.Size != b.Size) return a.Size < b.Size;
        return a.WriteTime < b.WriteTime;
    }
};

enum class TPlugCall { Ok, Faulted, Missing };

class TSusiePlug {
public:
    TSusiePlug(TSusiePlugs& owner, std::wstring fileName, TPluginFileKey key);
    ~TSusiePlug();
    TSusiePlug(const TSusiePlug&) = delete;
    TSusiePlug& operator=(const TSusiePlug&) = delete;

    // Loads the library by its full path and accepts it only when its
    // version text is exactly "00IN". False for a file that is no library
    // of this architecture, lacks GetPluginInfo, answers another version,
    // or has faulted before.
    bool Load();
    void Unload();
    bool Loaded() const { return Module != nullptr; }
    bool Faulted() const;

    const std::wstring& FileName() const { return Name; }
    std::wstring Path() const;
    const TPluginFileKey& Key() const { return FileKey; }

    // Information texts 0 to 3, in the ANSI code page ("" when the plug-in
    // has none). They need the plug-in loaded.
    std::string ApiVersion();
    std::string PluginName();
    std::string FileExtension();
    std::string FileTypeName();

    // `head` holds at least kSusieHeadBytes bytes. A fault counts as "no".
    bool IsSupported(const uint8_t* head);
    TPlugCall GetPictureInfo(const uint8_t* data, size_t size, TPictureInfo& info);
    TPlugCall GetPicture(const uint8_t* data, size_t size, HLOCAL& info, HLOCAL& bits, TSusieProgressProc progress,
                         LONG_PTR user, int& result);

private:
    std::string InfoText(int number);
    bool Guard(void (*body)(void*), void* context, const char* entry);

    TSusiePlugs& Owner;
    std::wstring Name;
    TPluginFileKey FileKey;
    HMODULE Module = nullptr;
    FARPROC PluginInfoProc = nullptr, IsSupportedProc = nullptr, PictureInfoProc = nullptr, PictureProc = nullptr;
};

class TSusiePlugs {
public:
    TSusiePlugs() = default;
    TSusiePlugs(const TSusiePlugs&) = delete;
    TSusiePlugs& operator=(const TSusiePlugs&) = delete;

    const std::wstring& Folder() const { return FolderPath; }
    // A different text (case-sensitive) is stored and the folder rescanned.
    void SetFolder(const std::wstring& folder);
    // Rebuilds the list from the folder. Files whose name, size and write
    // time are unchanged keep their earlier verdict without being loaded.
    void Rescan();

    int Count() const { return int(Plugs.size()); }
    TSusiePlug& Items(int index) { return *Plugs[size_t(index)]; }

    // Decodes a file into a bitmap of the screen's format: the first plug-in
    // that takes the file and decodes it wins. False when none does.
    virtual bool LoadBitmap(const std::wstring& fileName, HBITMAP& bitmap);
    virtual ~TSusiePlugs() = default;

    // Told once when a plug-in faults: its file name, the entry point and
    // the exception code. The plug-in is skipped from then on.
    std::function<void(const std::wstring&, const char*, DWORD)> OnFault;

    // The plug-in file pattern of this build.
    static const wchar_t* Pattern();
    // How many plug-in libraries the last Rescan had to load (the rest came
    // from the cache).
    int LastRescanLoads() const { return RescanLoads; }

private:
    friend class TSusiePlug;
    void Faulted(const TSusiePlug& plug, const char* entry, const TPluginFault& fault);

    struct TVerdict {
        bool Usable = false;
    };
    std::wstring FolderPath;
    std::vector<std::unique_ptr<TSusiePlug>> Plugs;
    std::map<TPluginFileKey, TVerdict> Verdicts;
    int RescanLoads = 0;
};

// Whether a plug-in file is on the run's list of faulted plug-ins.
bool IsFaultedPlugin(const TPluginFileKey& key);

// Reads a file whole, with kSusieHeadBytes zero bytes after its end (so a
// plug-in that peeks past a short file reads zeros). False when it cannot.
bool ReadPictureFile(const std::wstring& path, std::vector<uint8_t>& bytes, size_t& size);
