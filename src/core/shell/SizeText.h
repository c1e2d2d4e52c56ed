#pragma once
// Size and count texts of the file list and the status bar. The separators
// are the caller's (the locale's); 0 as the thousands separator groups
// nothing. Fractions are rounded half away from zero.
#include <cstdint>
#include <string>

// A file's size column: whole kilobytes, a started kilobyte counted in full,
// with thousands separators: 0 -> "0KB", 1 -> "1KB", 1025 -> "2KB".
std::wstring FormatKilobytesText(uint64_t bytes, wchar_t thousands);

// A size in the printed listing: kilobytes with one decimal, rounded, with
// thousands separators: 1536 -> "1.5KB", 0 -> "0.0KB".
std::wstring FormatKilobytesTenths(uint64_t bytes, wchar_t thousands, wchar_t decimal);

// "12 個のオブジェクト"
std::wstring FormatObjectCount(int count);
// The count under an exported listing, grouped and without a space:
// "1,234個のオブジェクト".
std::wstring FormatObjectTotal(uint64_t count, wchar_t thousands);
// "3 個のオブジェクトを選択"
std::wstring FormatSelectedCount(int count);

// The size total under an exported listing: kilobytes with one decimal
// below 1 MiB ("2.0KB"), else megabytes with two ("1.00MB", "5,120.00MB").
std::wstring FormatListingTotal(uint64_t bytes, wchar_t thousands, wchar_t decimal);

// The size of a selection: "1023バイト", "1.50KB", "1,023.99MB", "2.00GB".
std::wstring FormatSelectionSize(int64_t bytes, wchar_t thousands, wchar_t decimal);

// A folder's total size and its drive's free space:
// "2KB (空きディスク領域 : 5.00GB)".
std::wstring FormatFolderSummary(int64_t total, int64_t freeBytes, wchar_t thousands, wchar_t decimal);
