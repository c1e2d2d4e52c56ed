#pragma once
// The rules of the filter conditions dialog that do not need a window:
// names of new filters, the size boxes, the date bounds, the mask text and
// which controls are enabled.
#include "core/dialogs/DateParts.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// "新しいフィルタ", then with (1), (2) ... appended: the first name no item
// has (exact comparison).
std::wstring FreeFilterName(const std::vector<std::wstring>& names);

// The size boxes count kilobytes, the filter holds bytes in 32 bits: the
// bounds keep value × 1024 inside the field, the first one lower so that the
// second box can always hold the first value + 1.
constexpr int32_t kSizeBoxMin = 1;
constexpr int32_t kSizeBox1Max = 2097150;
constexpr int32_t kSizeBox2Max = 2097151;

// What a size box shows for a bound in bytes: whole kilobytes rounded up,
// inside the box's range.
int32_t SizeBoxValue(int32_t bytes, int32_t boxMax);
// After either box changed: the second value when the first is not below
// it, the first + 1.
int32_t SecondSizeAfterChange(int32_t first, int32_t second);
inline int32_t SizeBoxBytes(int32_t value) { return value * 1024; }

// The second bound of the date condition is kept later than the first one.
// After a date changed: a second date not later than the first becomes the
// first date (keeping its time).
TDaySecond SecondDateAfterDateChange(TDaySecond first, TDaySecond second);
// After a time changed: with equal dates, a second time not later than the
// first becomes the first time + 1 second (after 23:59:59, 00:00:00 of
// the next day).
TDaySecond SecondDateAfterTimeChange(TDaySecond first, TDaySecond second);

// The mask box: the first forbidden character, if any, is taken out of the
// text everywhere it occurs and the caret goes where it stood.
struct TMaskTextCheck {
    bool Refused = false;
    wchar_t Char = 0;
    std::wstring Cleaned;
    size_t Caret = 0;
};
TMaskTextCheck CheckMaskText(std::wstring_view text);

// What the enabling depends on.
struct TFilterFormState {
    bool ItemSelected = false;
    bool Groups[5] = {};        // CheckBoxA to CheckBoxE checked: name, size, date, attributes, kind
    int SizeCompare1 = 0, SizeCompare2 = 0;
    int DateCompare1 = 0, DateCompare2 = 0;
};

struct TFilterFormEnabling {
    bool GroupBoxes = false;    // CheckBoxA to CheckBoxE
    bool Masks = false;
    bool Size1 = false;         // first size box, its comparison and the two labels
    bool SizeCompare2 = false;
    bool Size2 = false;
    bool Date1 = false;         // first date and time pickers, their comparison
    bool DateCompare2 = false;
    bool Date2 = false;
    bool Attributes = false;
    bool Kinds = false;
    bool Mode = false;          // the two mode buttons
};

TFilterFormEnabling FilterFormEnabling(const TFilterFormState& state);
