#pragma once
// Rules of the system information collector that need no system: how the
// version, platform, processor, memory and version-resource values are named
// and what stands in for a value that cannot be read.
#include <cstdint>
#include <string>

// Fall-back texts, spelled as the report has always shown them.
inline constexpr wchar_t kUnknownLogOnUserName[] = L"UnKnownLogOnUserName";
inline constexpr wchar_t kUnknownUserName[] = L"UnKnownUserName";
inline constexpr wchar_t kUnknownCompany[] = L"UnKnownCompany";
inline constexpr wchar_t kUnknownProductID[] = L"UnKnownProductID";
// Owner and organization when the registry key cannot be opened.
inline constexpr wchar_t kRegistryUnsuccessful[] = L"UnSuccesuful";
// The platform of a system that is neither the 95 nor the NT family.
inline constexpr wchar_t kPlatformUnsuccessful[] = L"UnSuccessful";
// A processor the table does not name, and a version string a file lacks.
inline constexpr wchar_t kUnknown[] = L"UnKnown";

enum class TOsKind { Unknown, Win95, Win98, WinNT4, WinNT5Up };

// From OSVERSIONINFO: platform 1 is the 95 family (minor 0: 95, else 98),
// platform 2 the NT family (major 4: NT 4, else NT 5 and later).
TOsKind OsKindOf(uint32_t platformId, uint32_t major, uint32_t minor);
bool IsNtFamily(TOsKind kind);

// "Windows95", "Windows98", "WindowsNT", or "UnSuccessful".
std::wstring PlatformText(TOsKind kind);

// "%d.%d%s": "5.1Service Pack 2", "10.0".
std::wstring VersionText(uint32_t major, uint32_t minor, const std::wstring& servicePack);

// The build number as reported: its low 16 bits on the 95 family, where
// the high word repeats the version.
uint32_t BuildNumberOf(TOsKind kind, uint32_t buildNumber);

enum class TNtProductType { ntNone, ntWorkStation, ntServer };
// From the value "ProductType": exactly "WinNT" is a workstation.
TNtProductType NtProductTypeOf(TOsKind kind, const std::wstring& productType);

// The machine the system runs on natively, whatever this process is built for.
enum class TNativeMachine { Unknown, X86, Amd64, Arm64 };
// From IsWow64Process2's native machine (an IMAGE_FILE_MACHINE_* value).
TNativeMachine NativeMachineOfImageMachine(uint16_t imageMachine);
// From GetNativeSystemInfo's wProcessorArchitecture.
TNativeMachine NativeMachineOfArchitecture(uint16_t processorArchitecture);

// "AMD64" and "ARM64" by machine; otherwise by SYSTEM_INFO.dwProcessorType:
// "INTEL_386", "INTEL_486", "INTEL_PENTIUM", "INTEL_860", "MIPS_R2000",
// "MIPS_R3000", "MIPS_R4000", "ALPHA_21064", anything else "UnKnown".
std::wstring ProcessorTypeText(TNativeMachine machine, uint32_t processorType);

// Unit of the memory figures.
enum class TMemoryStatusKind { mkB, mkKB, mkMB };
// A byte count in the unit, whole units (sizes past 4 GiB stay exact).
uint64_t MemoryFigure(uint64_t bytes, TMemoryStatusKind kind);
// Percentage of physical memory in use, truncated; 0 for a total of 0.
uint32_t MemoryLoadPercent(uint64_t total, uint64_t available);

// The query path of one version string: "\StringFileInfo\041104B0\FileVersion".
std::wstring VersionStringQuery(uint16_t language, uint16_t codePage, const std::wstring& name);
