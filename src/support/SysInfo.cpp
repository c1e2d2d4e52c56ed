#include "support/SysInfo.h"

#include "gui/Handles.h"

namespace {

inline void CloseRegistryKey(HKEY key) { RegCloseKey(key); }
using TRegistryKey = TUniqueHandle<HKEY, CloseRegistryKey>;

// A key of HKEY_LOCAL_MACHINE, read in the system's own (64-bit) view, so
// that a 32-bit program reads what the system holds rather than its WOW64
// copy.
TRegistryKey OpenMachineKey(const wchar_t* path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS) return {};
    return TRegistryKey(key);
}

// A string value, or `fallBack` when it is missing or not a string.
std::wstring ReadString(HKEY key, const wchar_t* name, const std::wstring& fallBack)
{
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return fallBack;
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    DWORD bytes = DWORD(text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes) != ERROR_SUCCESS) return fallBack;
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

std::wstring FolderOf(UINT (WINAPI* get)(LPWSTR, UINT))
{
    wchar_t path[MAX_PATH + 1] = {};
    UINT length = get(path, MAX_PATH + 1);
    return length > 0 && length <= MAX_PATH ? std::wstring(path, length) : std::wstring();
}

// The key of the installed system's registration.
const wchar_t* CurrentVersionKey(TOsKind kind)
{
    return IsNtFamily(kind) ? L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"
                            : L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
}

// The version as the manifest lets the system tell it: 10.0 on Windows 10
// and 11. False when the system does not say.
bool SystemVersion(OSVERSIONINFOW& info)
{
    info = OSVERSIONINFOW{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return GetVersionExW(&info) != FALSE;
#pragma GCC diagnostic pop
}

MEMORYSTATUSEX MemoryStatus()
{
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) status = MEMORYSTATUSEX{};
    return status;
}

} // namespace

TSysInfo::TSysInfo()
{
    ReadVersion();

    wchar_t user[257] = {};  // UNLEN + 1
    DWORD userLength = DWORD(std::size(user));
    FLogOnUserName = GetUserNameW(user, &userLength) ? user : kUnknownLogOnUserName;
    ReadRegistry();

    wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD computerLength = DWORD(std::size(computer));
    if (GetComputerNameW(computer, &computerLength)) FComputerName = computer;

    FWindowsDir = FolderOf(GetWindowsDirectoryW);
    FWindowsSystemDir = FolderOf(GetSystemDirectoryW);

    wchar_t drives[256] = {};
    DWORD length = GetLogicalDriveStringsW(DWORD(std::size(drives)), drives);
    if (length > 0 && length < std::size(drives))
        for (const wchar_t* d = drives; *d; d += wcslen(d) + 1) FDrives.emplace_back(d);
}

std::wstring RegisteredOwner()
{
    OSVERSIONINFOW info;
    if (!SystemVersion(info)) return {};
    TOsKind kind = OsKindOf(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
    if (kind == TOsKind::Unknown) return {};
    TRegistryKey key = OpenMachineKey(CurrentVersionKey(kind));
    return key ? ReadString(key.Get(), L"RegisteredOwner", L"") : std::wstring();
}

void TSysInfo::ReadVersion()
{
    OSVERSIONINFOW info;
    if (!SystemVersion(info)) {
        FPlatForm = PlatformText(TOsKind::Unknown);
        return;
    }
    OsKind = OsKindOf(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
    FPlatForm = PlatformText(OsKind);
    FVersion = VersionText(info.dwMajorVersion, info.dwMinorVersion, info.szCSDVersion);
    FBuildNo = BuildNumberOf(OsKind, info.dwBuildNumber);
}

void TSysInfo::ReadRegistry()
{
    bool nt = IsNtFamily(OsKind);
    TRegistryKey key = OpenMachineKey(CurrentVersionKey(OsKind));
    if (key) {
        FOwner = ReadString(key.Get(), L"RegisteredOwner", kUnknownUserName);
        FOrganization = ReadString(key.Get(), L"RegisteredOrganization", kUnknownCompany);
        FProductID = ReadString(key.Get(), L"ProductId", kUnknownProductID);
        FPlusVersion = ReadString(key.Get(), L"Plus! VersionNumber", L"");
    } else {
        FOwner = kRegistryUnsuccessful;
        FOrganization = kRegistryUnsuccessful;
        FProductID = kUnknownProductID;
    }
    if (nt) {
        TRegistryKey options = OpenMachineKey(L"SYSTEM\\CurrentControlSet\\Control\\ProductOptions");
        FNtProductType = NtProductTypeOf(OsKind, options ? ReadString(options.Get(), L"ProductType", L"") : L"");
    }
}

std::wstring TSysInfo::ProcessorType() const
{
    SYSTEM_INFO info{};
    GetNativeSystemInfo(&info);
    TNativeMachine machine = NativeMachineOfArchitecture(info.wProcessorArchitecture);
    // Where the system has it, IsWow64Process2 names the machine even for a
    // program emulated on another processor (an x86 program on ARM64).
    using TIsWow64Process2 = BOOL(WINAPI*)(HANDLE, USHORT*, USHORT*);
    auto isWow64Process2 = reinterpret_cast<TIsWow64Process2>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process2")));
    USHORT process = 0, native = 0;
    if (isWow64Process2 && isWow64Process2(GetCurrentProcess(), &process, &native)) {
        TNativeMachine named = NativeMachineOfImageMachine(native);
        if (named != TNativeMachine::Unknown) machine = named;
    }
    return ProcessorTypeText(machine, info.dwProcessorType);
}

uint32_t TSysInfo::MemoryLoad() const
{
    MEMORYSTATUSEX status = MemoryStatus();
    return IsNtFamily(OsKind) ? MemoryLoadPercent(status.ullTotalPhys, status.ullAvailPhys) : status.dwMemoryLoad;
}

uint64_t TSysInfo::MemoryTotal() const { return MemoryFigure(MemoryStatus().ullTotalPhys, MemoryStatusKind); }
uint64_t TSysInfo::MemoryFree() const { return MemoryFigure(MemoryStatus().ullAvailPhys, MemoryStatusKind); }
uint64_t TSysInfo::PageTotal() const { return MemoryFigure(MemoryStatus().ullTotalPageFile, MemoryStatusKind); }
uint64_t TSysInfo::PageFree() const { return MemoryFigure(MemoryStatus().ullAvailPageFile, MemoryStatusKind); }
