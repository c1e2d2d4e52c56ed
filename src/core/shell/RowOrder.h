#pragma once
// The order of the rows of a file-system folder, decided from the data the
// rows already hold, so that sorting asks the shell nothing.
#include <cstdint>
#include <string>
#include <string_view>

// Column numbers, as the list's sort column.
constexpr int rcName = 0;
constexpr int rcSize = 1;
constexpr int rcType = 2;
constexpr int rcLastWrite = 3;
constexpr int rcAttributes = 4;

// One row's sort data. The strings are the row's own; null reads as empty.
struct TRowKey {
    bool IsFolder = false;
    uint64_t Size = 0;
    uint64_t LastWrite = 0; // file time (100 ns since 1601) as one number
    uint32_t Attributes = 0;
    const std::wstring* TypeText = nullptr;
    const std::wstring* Name = nullptr;
};

// Name order: letters without regard to case, runs of ASCII digits by their
// value ("file2" before "file10"); names that still tie are ordered by their
// plain characters, so that only equal names compare equal.
int CompareNames(std::wstring_view a, std::wstring_view b);

// <0, 0 or >0. Folders come before files whatever the column; then the
// column's key (size, type text without regard to case, last write time or
// attributes); ties, the name column and unknown columns by CompareNames.
int CompareRows(const TRowKey& a, const TRowKey& b, int column);
