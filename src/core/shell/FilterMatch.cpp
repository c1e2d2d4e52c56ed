#include "core/shell/FilterMatch.h"

#include "core/shell/WildcardMatch.h"

namespace {

constexpr uint32_t kDirectory = 0x10;

// The five comparisons shared by size and date: 0 =, 1 <=, 2 <, and 3 >= or
// 4 > with an optional upper bound (second 1 <=, 2 <). Unknown codes impose
// nothing.
template <class T>
bool MeetsBounds(T value, T bound1, T bound2, int32_t compare1, int32_t compare2)
{
    switch (compare1) {
    case 0: return value == bound1;
    case 1: return value <= bound1;
    case 2: return value < bound1;
    case 3: if (!(value >= bound1)) return false; break;
    case 4: if (!(value > bound1)) return false; break;
    default: return true;
    }
    switch (compare2) {
    case 1: return value <= bound2;
    case 2: return value < bound2;
    default: return true;
    }
}

bool MeetsAttributes(uint32_t attributes, uint32_t flags)
{
    // read-only, hidden, system, archive, temporary, compressed, offline
    static constexpr uint32_t kBits[] = {0x1, 0x2, 0x4, 0x20, 0x100, 0x800, 0x1000};
    for (int i = 0; i < 7; ++i) {
        bool has = (attributes & kBits[i]) != 0;
        bool wanted = (flags >> i & 1) != 0;
        if (has != wanted) return false;
    }
    return true;
}

} // namespace

bool FilterMatches(const TSHFileFilter& filter, const std::vector<std::wstring>& masks,
                   const TFilterSubject& item)
{
    const bool exclude = filter.FilterMode == 1;
    const uint32_t conditions = filter.Conditions;
    // Each condition ends the check when it decides: met under exclusion,
    // or not met otherwise.
    auto decides = [exclude](bool met) { return exclude ? met : !met; };

    if (conditions & fcName) {
        std::wstring_view name = item.HasPath ? std::wstring_view(item.Name) : std::wstring_view();
        bool met = false;
        for (const std::wstring& mask : masks) {
            if (MatchesWildcards(name, mask)) {
                met = true;
                break;
            }
        }
        if (decides(met)) return false;
    }
    if (conditions & fcSize) {
        // Sizes are 64-bit; the stored bounds are 32-bit and signed.
        int64_t size = static_cast<int64_t>(item.Size);
        bool met = MeetsBounds<int64_t>(size, filter.Size1, filter.Size2,
                                        filter.SizeCompare1, filter.SizeCompare2);
        if (decides(met)) return false;
    }
    if (conditions & fcDate) {
        bool met = MeetsBounds<double>(item.LastWrite, filter.Date1, filter.Date2,
                                       filter.DateCompare1, filter.DateCompare2);
        if (decides(met)) return false;
    }
    if (conditions & fcAttributes) {
        if (decides(MeetsAttributes(item.Attributes, filter.AttrFlags))) return false;
    }
    if (conditions & fcKind) {
        const uint32_t kinds = filter.KindFlags;
        const bool isDirectory = (item.Attributes & kDirectory) != 0;
        bool met = ((kinds & 1) && item.HasPath && isDirectory)
                || ((kinds & 2) && item.HasPath && !isDirectory)
                || ((kinds & 4) && !item.HasPath);
        return exclude ? !met : met;
    }
    return true;
}
