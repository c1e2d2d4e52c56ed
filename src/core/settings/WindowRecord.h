#pragma once
// What a folder window's record in the settings file means for the window:
// its columns, sort and filter, read with the care a foreign file needs.
#include "core/settings/InitData.h"

#include <string>

// Column identities: 0 name, 1 size, 2 type, 3 modified, 4 attributes.
inline constexpr int kColumnCount = 5;
inline constexpr int kDefaultColumnWidths[kColumnCount] = {240, 70, 150, 120, 60};

struct TColumnLayout {
    int Order[kColumnCount] = {0, 1, 2, 3, 4};          // identities, left to right
    int Widths[kColumnCount] = {240, 70, 150, 120, 60};  // by identity
    int Directions[kColumnCount] = {1, 1, 1, 1, 1};      // by sort key: 1 or -1
};

// The layout the records describe. Record k moves its column to position k,
// sets its width and the direction of sort key k. An order that is not a
// permutation of the five identities (a damaged or foreign file) is not
// handed on: the default order stays.
TColumnLayout ColumnLayoutFromRecords(const std::vector<TColumnData>& records);

// The records of a layout, one per column in display order.
std::vector<TColumnData> RecordsFromColumnLayout(const TColumnLayout& layout);

// The sort key of a record (0 name ... 4 attributes); unknown values sort by
// name.
int SortKeyOfRecord(const TWindowData& record);

// The filter a record names: the last one of that name (byte for byte), or
// none for an empty name or a name no filter has.
const TSHFileFilter* FilterNamed(const TInitData& settings, const std::string& name);

// The record of a window the user opens on a folder: the settings' style for
// new windows, default columns, no filter, no lock. `idList` holds the
// folder's absolute identifier list with its terminator (empty: none).
TWindowData NewWindowRecord(const TInitData& settings, std::vector<uint8_t> idList);
