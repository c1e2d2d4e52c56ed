#pragma once
// Reads what the host needs from a PE file's headers without loading it:
// the machine it is built for (so a plug-in of the other architecture is
// skipped quietly) and the DLLs it imports at load time.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

inline constexpr uint16_t kMachineI386 = 0x014C, kMachineAmd64 = 0x8664;

// The machine field of the file header, or 0 when the bytes are no PE image.
uint16_t PeMachine(std::span<const uint8_t> file);

// The names of the DLLs in the import directory (not the delay-load one),
// in file order. Empty when the image has none or is malformed.
std::vector<std::string> PeImportedDlls(std::span<const uint8_t> file);
