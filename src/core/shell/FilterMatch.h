#pragma once
// Whether one object passes a display filter, decided over plain data so
// that the rule is the same for every kind of row.
#include <cstdint>
#include <string>
#include <vector>

#include "core/shell/FileFilter.h"

// What a filter looks at in one object.
struct TFilterSubject {
    std::wstring Name;       // last part of the object's path; unused without a path
    bool HasPath = false;    // the object has a file-system path
    uint32_t Attributes = 0; // file attributes of its find data (0 without)
    uint64_t Size = 0;       // bytes
    double LastWrite = 0;    // local time, days since 1899-12-30; 0 without find data
};

// `masks` are the filter's Masks, already converted to UTF-16 by the caller.
// Without FilterMode 1 the object passes when it meets every enabled
// condition; with FilterMode 1 when it meets none of them.
bool FilterMatches(const TSHFileFilter& filter, const std::vector<std::wstring>& masks,
                   const TFilterSubject& item);
