#include "core/support/SystemFacts.h"

#include <cstdio>

TOsKind OsKindOf(uint32_t platformId, uint32_t major, uint32_t minor)
{
    if (platformId == 1) return minor == 0 ? TOsKind::Win95 : TOsKind::Win98;
    if (platformId == 2) return major == 4 ? TOsKind::WinNT4 : TOsKind::WinNT5Up;
    return TOsKind::Unknown;
}

bool IsNtFamily(TOsKind kind) { return kind == TOsKind::WinNT4 || kind == TOsKind::WinNT5Up; }

std::wstring PlatformText(TOsKind kind)
{
    switch (kind) {
    case TOsKind::Win95: return L"Windows95";
    case TOsKind::Win98: return L"Windows98";
    case TOsKind::WinNT4:
    case TOsKind::WinNT5Up: return L"WindowsNT";
    default: return kPlatformUnsuccessful;
    }
}

std::wstring VersionText(uint32_t major, uint32_t minor, const std::wstring& servicePack)
{
    return std::to_wstring(major) + L"." + std::to_wstring(minor) + servicePack;
}

uint32_t BuildNumberOf(TOsKind kind, uint32_t buildNumber)
{
    bool family95 = kind == TOsKind::Win95 || kind == TOsKind::Win98;
    return family95 ? (buildNumber & 0xFFFF) : buildNumber;
}

TNtProductType NtProductTypeOf(TOsKind kind, const std::wstring& productType)
{
    if (!IsNtFamily(kind)) return TNtProductType::ntNone;
    return productType == L"WinNT" ? TNtProductType::ntWorkStation : TNtProductType::ntServer;
}

TNativeMachine NativeMachineOfImageMachine(uint16_t imageMachine)
{
    switch (imageMachine) {
    case 0x014C: return TNativeMachine::X86;    // IMAGE_FILE_MACHINE_I386
    case 0x8664: return TNativeMachine::Amd64;  // IMAGE_FILE_MACHINE_AMD64
    case 0xAA64: return TNativeMachine::Arm64;  // IMAGE_FILE_MACHINE_ARM64
    default: return TNativeMachine::Unknown;
    }
}

TNativeMachine NativeMachineOfArchitecture(uint16_t processorArchitecture)
{
    switch (processorArchitecture) {
    case 0: return TNativeMachine::X86;    // PROCESSOR_ARCHITECTURE_INTEL
    case 9: return TNativeMachine::Amd64;  // PROCESSOR_ARCHITECTURE_AMD64
    case 12: return TNativeMachine::Arm64; // PROCESSOR_ARCHITECTURE_ARM64
    default: return TNativeMachine::Unknown;
    }
}

std::wstring ProcessorTypeText(TNativeMachine machine, uint32_t processorType)
{
    if (machine == TNativeMachine::Amd64) return L"AMD64";
    if (machine == TNativeMachine::Arm64) return L"ARM64";
    switch (processorType) {
    case 386: return L"INTEL_386";
    case 486: return L"INTEL_486";
    case 586: return L"INTEL_PENTIUM";
    case 860: return L"INTEL_860";
    case 2000: return L"MIPS_R2000";
    case 3000: return L"MIPS_R3000";
    case 4000: return L"MIPS_R4000";
    case 21064: return L"ALPHA_21064";
    default: return kUnknown;
    }
}

uint64_t MemoryFigure(uint64_t bytes, TMemoryStatusKind kind)
{
    switch (kind) {
    case TMemoryStatusKind::mkKB: return bytes / 1024;
    case TMemoryStatusKind::mkMB: return bytes / (1024 * 1024);
    default: return bytes;
    }
}

uint32_t MemoryLoadPercent(uint64_t total, uint64_t available)
{
    if (total == 0 || available >= total) return 0;
    // (total - available) * 100 stays inside 64 bits up to 160 EiB.
    return uint32_t((total - available) * 100 / total);
}

std::wstring VersionStringQuery(uint16_t language, uint16_t codePage, const std::wstring& name)
{
    wchar_t block[9];
    std::swprintf(block, 9, L"%04X%04X", unsigned(language), unsigned(codePage));
    return L"\\StringFileInfo\\" + std::wstring(block) + L"\\" + name;
}
