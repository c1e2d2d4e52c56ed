#pragma once
// The system information collector: facts about the machine and the system
// for the support report. Almost everything is read once, when the object is
// made; the processor is named and the memory figures are read afresh on
// every call.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/support/SystemFacts.h"

// The owner the installed system is registered to; empty when the registry
// names none (or an empty one), or the system is of no known family.
std::wstring RegisteredOwner();

class TSysInfo {
public:
    TSysInfo();

    const std::wstring& ComputerName() const { return FComputerName; }
    const std::wstring& LogOnUserName() const { return FLogOnUserName; }
    const std::wstring& Owner() const { return FOwner; }
    const std::wstring& Organization() const { return FOrganization; }
    const std::wstring& ProductID() const { return FProductID; }
    const std::wstring& PlusVersion() const { return FPlusVersion; }
    const std::wstring& PlatForm() const { return FPlatForm; }
    const std::wstring& Version() const { return FVersion; }
    uint32_t BuildNo() const { return FBuildNo; }
    TNtProductType NtProductType() const { return FNtProductType; }
    const std::wstring& WindowsDir() const { return FWindowsDir; }
    const std::wstring& WindowsSystemDir() const { return FWindowsSystemDir; }
    // Root strings of the logical drives: "C:\", "D:\", ...
    const std::vector<std::wstring>& Drives() const { return FDrives; }

    // The processor of the machine, not of this process: a 32-bit program on
    // a 64-bit system names the 64-bit processor.
    std::wstring ProcessorType() const;

    TMemoryStatusKind MemoryStatusKind = TMemoryStatusKind::mkB;
    uint32_t MemoryLoad() const;
    uint64_t MemoryTotal() const;
    uint64_t MemoryFree() const;
    uint64_t PageTotal() const;
    uint64_t PageFree() const;

private:
    void ReadVersion();
    void ReadRegistry();

    TOsKind OsKind = TOsKind::Unknown;
    std::wstring FComputerName, FLogOnUserName, FOwner, FOrganization, FProductID, FPlusVersion;
    std::wstring FPlatForm, FVersion, FWindowsDir, FWindowsSystemDir;
    uint32_t FBuildNo = 0;
    TNtProductType FNtProductType = TNtProductType::ntNone;
    std::vector<std::wstring> FDrives;
};
