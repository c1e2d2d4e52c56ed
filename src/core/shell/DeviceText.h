#pragma once
// Texts and drive letters of volume broadcasts (a medium inserted or
// removed).
#include <cstdint>
#include <string>

// The drive a volume broadcast names: the lowest set bit of its unit mask,
// bit 0 standing for A. 0 when no bit is set.
wchar_t DriveOfUnitMask(uint32_t unitMask);

// A drive node's text: "Data disk (E:)" with a label, " (E:)" without one
// (as for a drive whose medium was taken out).
std::wstring DriveNodeText(const std::wstring& label, wchar_t drive);
