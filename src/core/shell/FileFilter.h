#pragma once
// One named display filter. The settings object owns the filters; folder
// lists only point at them.
#include <cstdint>
#include <string>
#include <vector>

// Condition bits of Conditions.
constexpr uint32_t fcName = 0x01;
constexpr uint32_t fcSize = 0x02;
constexpr uint32_t fcDate = 0x04;
constexpr uint32_t fcAttributes = 0x08;
constexpr uint32_t fcKind = 0x10;

// Days since 1899-12-30 of a calendar date (proleptic Gregorian).
double EncodeDate(int year, int month, int day);

// Today at 00:00, local time.
double LocalToday();

class TSHFileFilter {
public:
    // A new filter: named "新しいフィルタ", no condition, both size bounds
    // 1 byte, both dates today at 00:00.
    TSHFileFilter();

    void Assign(const TSHFileFilter& source);
    bool operator==(const TSHFileFilter&) const = default;

    std::string Name;                 // ANSI (code page 932)
    uint32_t Conditions = 0;          // fcName ... fcKind
    std::vector<std::string> Masks;   // ANSI wildcard masks for the name
    int32_t Size1 = 1;                // bytes
    int32_t Size2 = 1;
    int32_t SizeCompare1 = 0;         // 0 =, 1 <=, 2 <, 3 >=, 4 >
    int32_t SizeCompare2 = 0;         // with 3 and 4: 0 no upper bound, 1 <=, 2 <
    double Date1 = 0;                 // days since 1899-12-30, local time
    double Date2 = 0;
    int32_t DateCompare1 = 0;
    int32_t DateCompare2 = 0;
    uint32_t AttrFlags = 0;           // read-only, hidden, system, archive, temporary, compressed, offline
    uint32_t KindFlags = 0;           // folder, file, virtual folder
    int32_t FilterMode = 0;           // 0 show the matching objects, 1 exclude them
};
