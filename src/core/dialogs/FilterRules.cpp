#include "core/dialogs/FilterRules.h"

#include "core/dialogs/NameText.h"

#include <algorithm>

std::wstring FreeFilterName(const std::vector<std::wstring>& names)
{
    const std::wstring base = L"新しいフィルタ";
    std::wstring candidate = base;
    for (int n = 1; std::find(names.begin(), names.end(), candidate) != names.end(); ++n)
        candidate = base + L"(" + std::to_wstring(n) + L")";
    return candidate;
}

int32_t SizeBoxValue(int32_t bytes, int32_t boxMax)
{
    int64_t kilobytes = (int64_t(bytes) + 1023) / 1024;
    return int32_t(std::clamp<int64_t>(kilobytes, kSizeBoxMin, boxMax));
}

int32_t SecondSizeAfterChange(int32_t first, int32_t second)
{
    return first >= second ? first + 1 : second;
}

TDaySecond SecondDateAfterDateChange(TDaySecond first, TDaySecond second)
{
    if (second.Day <= first.Day) second.Day = first.Day;
    return second;
}

TDaySecond SecondDateAfterTimeChange(TDaySecond first, TDaySecond second)
{
    if (first.Day != second.Day || second.Second > first.Second) return second;
    if (first.Second < 86399) return {first.Day, first.Second + 1};
    return {first.Day + 1, 0};
}

TMaskTextCheck CheckMaskText(std::wstring_view text)
{
    TMaskTextCheck check;
    size_t at = FindForbiddenChar(text, kMaskForbiddenChars);
    if (at == std::wstring_view::npos) {
        check.Cleaned = text;
        check.Caret = text.size();
        return check;
    }
    check.Refused = true;
    check.Char = text[at];
    check.Cleaned = RemoveChar(text, check.Char);
    check.Caret = at;
    return check;
}

TFilterFormEnabling FilterFormEnabling(const TFilterFormState& s)
{
    TFilterFormEnabling e;
    e.GroupBoxes = s.ItemSelected;
    auto on = [&s](int group) { return s.ItemSelected && s.Groups[group]; };
    // Comparisons 3 and 4 ("以上", "超える") open a range with a second bound.
    auto opensRange = [](int compare) { return compare == 3 || compare == 4; };
    e.Masks = on(0);
    e.Size1 = on(1);
    e.SizeCompare2 = e.Size1 && opensRange(s.SizeCompare1);
    e.Size2 = e.SizeCompare2 && s.SizeCompare2 != 0;
    e.Date1 = on(2);
    e.DateCompare2 = e.Date1 && opensRange(s.DateCompare1);
    e.Date2 = e.DateCompare2 && s.DateCompare2 != 0;
    e.Attributes = on(3);
    e.Kinds = on(4);
    e.Mode = s.ItemSelected && std::any_of(std::begin(s.Groups), std::end(s.Groups), [](bool b) { return b; });
    return e;
}
