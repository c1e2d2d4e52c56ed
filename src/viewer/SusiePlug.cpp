#include "viewer/SusiePlug.h"

#include "core/viewer/DibLayout.h"
#include "core/viewer/PeImage.h"
#include "gui/Handles.h"
#include "gui/Strings.h"
#include "viewer/DllSearch.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace {

using TGetPluginInfo = int(WINAPI*)(int, LPSTR, int);
using TIsSupported = int(WINAPI*)(LPCSTR, ULONG_PTR);
using TGetPictureInfo = int(WINAPI*)(LPCSTR, LONG_PTR, unsigned, void*);
using TGetPicture = int(WINAPI*)(LPCSTR, LONG_PTR, unsigned, HLOCAL*, HLOCAL*, TSusieProgressProc, LONG_PTR);

#if defined(__i386__)
constexpr uint16_t kOwnMachine = kMachineI386;
#else
constexpr uint16_t kOwnMachine = kMachineAmd64;
#endif

std::set<TPluginFileKey>& FaultedPlugins()
{
    static std::set<TPluginFileKey> faulted;
    return faulted;
}

// The plain name, then the stdcall-decorated one some 32-bit plug-ins
// export instead (64-bit code has no decoration).
FARPROC Entry(HMODULE module, const char* name, [[maybe_unused]] int argBytes)
{
    if (FARPROC p = GetProcAddress(module, name)) return p;
#if defined(__i386__)
    std::string decorated = std::string(name) + "@" + std::to_string(argBytes);
    if (FARPROC p = GetProcAddress(module, decorated.c_str())) return p;
    return GetProcAddress(module, ("_" + decorated).c_str());
#else
    return nullptr;
#endif
}

// Some plug-ins crash on a null progress function: hand them this one.
int WINAPI NoProgress(int, int, LONG_PTR) { return 0; }

uint64_t FileTimeValue(const FILETIME& t) { return uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime; }

std::wstring UpperPath(std::wstring path)
{
    CharUpperBuffW(path.data(), DWORD(path.size()));
    return path;
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name)
{
    if (folder.empty() || folder.back() == L'\\' || folder.back() == L'/') return folder + name;
    return folder + L"\\" + name;
}

bool BuiltForThisMachine(const std::wstring& path)
{
    TFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
    if (!file) return false;
    uint8_t head[4096] = {};
    DWORD got = 0;
    ReadFile(file.Get(), head, sizeof head, &got, nullptr);
    return PeMachine({head, got}) == kOwnMachine;
}

}  // namespace

bool IsFaultedPlugin(const TPluginFileKey& key) { return FaultedPlugins().count(key) > 0; }

// ---- TSusiePlug ----

TSusiePlug::TSusiePlug(TSusiePlugs& owner, std::wstring fileName, TPluginFileKey key)
    : Owner(owner), Name(std::move(fileName)), FileKey(std::move(key))
{
}

TSusiePlug::~TSusiePlug() { Unload(); }

std::wstring TSusiePlug::Path() const { return JoinPath(Owner.Folder(), Name); }

bool TSusiePlug::Faulted() const { return IsFaultedPlugin(FileKey); }

bool TSusiePlug::Load()
{
    if (Module) return true;
    if (Faulted()) return false;
    std::wstring path = Path();
    if (!BuiltForThisMachine(path)) return false;  // the other architecture: skipped quietly
    Module = LoadLibraryBesideItself(path);
    if (!Module) return false;
    PluginInfoProc = Entry(Module, "GetPluginInfo", 12);
    if (!PluginInfoProc || ApiVersion() != kSusieApiVersion) {
        Unload();
        return false;
    }
    IsSupportedProc = Entry(Module, "IsSupported", 8);
    PictureInfoProc = Entry(Module, "GetPictureInfo", 16);
    PictureProc = Entry(Module, "GetPicture", 28);
    return true;
}

void TSusiePlug::Unload()
{
    if (!Module) return;
    PluginInfoProc = IsSupportedProc = PictureInfoProc = PictureProc = nullptr;
    // A faulted plug-in stays mapped: see PluginGuard.h.
    if (!Faulted()) FreeLibrary(Module);
    Module = nullptr;
}

bool TSusiePlug::Guard(void (*body)(void*), void* context, const char* entry)
{
    TPluginFault fault;
    if (CallGuarded(body, context, fault)) return true;
    if (fault.Code == EXCEPTION_STACK_OVERFLOW) RearmStackGuard();
    Owner.Faulted(*this, entry, fault);
    return false;
}

std::string TSusiePlug::InfoText(int number)
{
    if (!PluginInfoProc) return {};
    struct TArgs { FARPROC proc; int number; char buf[256]; int result; } a{PluginInfoProc, number, {}, 0};
    bool ok = Guard([](void* p) {
        auto& a = *static_cast<TArgs*>(p);
        a.result = reinterpret_cast<TGetPluginInfo>(a.proc)(a.number, a.buf, 255);
    }, &a, "GetPluginInfo");
    if (!ok || a.result == 0) return {};
    a.buf[255] = '\0';
    return std::string(a.buf, strnlen(a.buf, 255));
}

std::string TSusiePlug::ApiVersion() { return InfoText(0); }
std::string TSusiePlug::PluginName() { return InfoText(1); }
std::string TSusiePlug::FileExtension() { return InfoText(2); }
std::string TSusiePlug::FileTypeName() { return InfoText(3); }

bool TSusiePlug::IsSupported(const uint8_t* head)
{
    if (!IsSupportedProc || Faulted()) return false;
    struct TArgs { FARPROC proc; const uint8_t* head; int result; } a{IsSupportedProc, head, 0};
    bool ok = Guard([](void* p) {
        auto& a = *static_cast<TArgs*>(p);
        a.result = reinterpret_cast<TIsSupported>(a.proc)(nullptr, reinterpret_cast<ULONG_PTR>(a.head));
    }, &a, "IsSupported");
    return ok && a.result != 0;
}

TPlugCall TSusiePlug::GetPictureInfo(const uint8_t* data, size_t size, TPictureInfo& info)
{
    if (!PictureInfoProc) return TPlugCall::Missing;
    if (Faulted()) return TPlugCall::Faulted;
    // Zeroed room for both 64-bit layouts of the record; only the fields
    // before hInfo are read, and hInfo is never freed.
    struct TArgs { FARPROC proc; const uint8_t* data; size_t size; alignas(8) uint8_t record[kPictureInfoBuffer]; }
        a{PictureInfoProc, data, size, {}};
    bool ok = Guard([](void* p) {
        auto& a = *static_cast<TArgs*>(p);
        reinterpret_cast<TGetPictureInfo>(a.proc)(reinterpret_cast<LPCSTR>(a.data), LONG_PTR(a.size),
                                                  kSusieInputMemory, a.record);
    }, &a, "GetPictureInfo");
    if (!ok) return TPlugCall::Faulted;
    info = ReadPictureInfo(a.record);
    return TPlugCall::Ok;
}

TPlugCall TSusiePlug::GetPicture(const uint8_t* data, size_t size, HLOCAL& info, HLOCAL& bits,
                                 TSusieProgressProc progress, LONG_PTR user, int& result)
{
    info = bits = nullptr;
    if (!PictureProc) return TPlugCall::Missing;
    if (Faulted()) return TPlugCall::Faulted;
    struct TArgs {
        FARPROC proc; const uint8_t* data; size_t size; HLOCAL info, bits; TSusieProgressProc progress; LONG_PTR user;
        int result;
    } a{PictureProc, data, size, nullptr, nullptr, progress, user, kSusieInternalError};
    bool ok = Guard([](void* p) {
        auto& a = *static_cast<TArgs*>(p);
        a.result = reinterpret_cast<TGetPicture>(a.proc)(reinterpret_cast<LPCSTR>(a.data), LONG_PTR(a.size),
                                                         kSusieInputMemory, &a.info, &a.bits, a.progress, a.user);
    }, &a, "GetPicture");
    if (!ok) return TPlugCall::Faulted;  // whatever it allocated is lost with it
    result = a.result;
    info = a.info;
    bits = a.bits;
    return TPlugCall::Ok;
}

// ---- TSusiePlugs ----

const wchar_t* TSusiePlugs::Pattern()
{
#if defined(__i386__)
    return L"*.spi";
#else
    return L"*.sph";
#endif
}

void TSusiePlugs::SetFolder(const std::wstring& folder)
{
    if (folder == FolderPath) return;
    FolderPath = folder;
    Rescan();
}

void TSusiePlugs::Rescan()
{
    Plugs.clear();
    RescanLoads = 0;
    if (FolderPath.empty()) return;
    WIN32_FIND_DATAW fd;
    TFindHandle find(FindFirstFileExW(JoinPath(FolderPath, Pattern()).c_str(), FindExInfoBasic, &fd,
                                      FindExSearchNameMatch, nullptr, 0));
    if (!find) return;
    std::map<TPluginFileKey, TVerdict> seen;
    do {
        // Normal, read-only, archive and system files; no hidden files and
        // no folders.
        if (fd.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN)) continue;
        TPluginFileKey key{UpperPath(JoinPath(FolderPath, fd.cFileName)),
                           uint64_t(fd.nFileSizeHigh) << 32 | fd.nFileSizeLow, FileTimeValue(fd.ftLastWriteTime)};
        auto plug = std::make_unique<TSusiePlug>(*this, fd.cFileName, key);
        auto cached = Verdicts.find(key);
        TVerdict verdict;
        if (cached != Verdicts.end()) {
            verdict = cached->second;
        } else {
            ++RescanLoads;
            verdict.Usable = plug->Load();
            plug->Unload();
        }
        seen[key] = verdict;
        if (verdict.Usable && !plug->Faulted()) Plugs.push_back(std::move(plug));
    } while (FindNextFileW(find.Get(), &fd));
    Verdicts = std::move(seen);
}

void TSusiePlugs::Faulted(const TSusiePlug& plug, const char* entry, const TPluginFault& fault)
{
    if (!FaultedPlugins().insert(plug.Key()).second) return;
    if (OnFault) OnFault(plug.FileName(), entry, fault.Code);
}

bool ReadPictureFile(const std::wstring& path, std::vector<uint8_t>& bytes, size_t& size)
{
    TFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return false;
    LARGE_INTEGER length{};
    bool ok = GetFileSizeEx(file.Get(), &length) && length.QuadPart < (int64_t(1) << 31);
    if (ok) {
        size = size_t(length.QuadPart);
        bytes.assign(size + kSusieHeadBytes, 0);
        size_t done = 0;
        while (ok && done < size) {
            DWORD got = 0;
            DWORD want = DWORD(std::min<size_t>(size - done, 1 << 24));
            ok = ReadFile(file.Get(), bytes.data() + done, want, &got, nullptr) && got > 0;
            done += got;
        }
    }
    return ok;
}

bool TSusiePlugs::LoadBitmap(const std::wstring& fileName, HBITMAP& bitmap)
{
    bitmap = nullptr;
    std::vector<uint8_t> data;
    size_t size = 0;
    if (!ReadPictureFile(fileName, data, size)) return false;
    for (auto& plug : Plugs) {
        if (!plug->Load()) continue;
        HLOCAL info = nullptr, bits = nullptr;
        int result = kSusieInternalError;
        if (plug->IsSupported(data.data()) &&
            plug->GetPicture(data.data(), size, info, bits, NoProgress, 0, result) == TPlugCall::Ok && result == 0) {
            auto* bi = static_cast<BITMAPINFO*>(LocalLock(info));
            void* pixels = LocalLock(bits);
            TDibFacts facts;
            std::string why;
            if (bi && pixels &&
                CheckDib(reinterpret_cast<uint8_t*>(bi), LocalSize(info), LocalSize(bits), facts, why)) {
                HDC screen = GetDC(nullptr);
                bitmap = CreateCompatibleBitmap(screen, facts.Width, facts.Height);
                if (bitmap) SetDIBits(screen, bitmap, 0, UINT(facts.Height), pixels, bi, DIB_RGB_COLORS);
                ReleaseDC(nullptr, screen);
            }
            if (bi) LocalUnlock(info);
            if (pixels) LocalUnlock(bits);
            LocalFree(info);
            LocalFree(bits);
            plug->Unload();
            if (bitmap) return true;
            continue;
        }
        if (info) LocalFree(info);
        if (bits) LocalFree(bits);
        plug->Unload();
    }
    return false;
}
