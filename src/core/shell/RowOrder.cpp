#include "core/shell/RowOrder.h"

#include "core/shell/WildcardMatch.h"

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

int Sign(unsigned a, unsigned b) { return a < b ? -1 : a > b ? 1 : 0; }

template <class T>
int CompareNumbers(T a, T b) { return a < b ? -1 : a > b ? 1 : 0; }

// Case-insensitive comparison of whole texts, character by character.
int CompareFolded(std::wstring_view a, std::wstring_view b)
{
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        unsigned ca = static_cast<unsigned>(FoldCase(a[i]));
        unsigned cb = static_cast<unsigned>(FoldCase(b[i]));
        if (ca != cb) return Sign(ca, cb);
    }
    return CompareNumbers(a.size(), b.size());
}

int CompareOrdinal(std::wstring_view a, std::wstring_view b)
{
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        if (a[i] != b[i]) return Sign(static_cast<unsigned>(a[i]), static_cast<unsigned>(b[i]));
    }
    return CompareNumbers(a.size(), b.size());
}

std::wstring_view View(const std::wstring* text) { return text ? std::wstring_view(*text) : std::wstring_view(); }

} // namespace

int CompareNames(std::wstring_view a, std::wstring_view b)
{
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            // Compare the runs by value: skip leading zeros, then the longer
            // run is the larger number, else the first differing digit.
            size_t ai = i, bj = j;
            while (ai < a.size() && a[ai] == L'0') ++ai;
            while (bj < b.size() && b[bj] == L'0') ++bj;
            size_t ae = ai, be = bj;
            while (ae < a.size() && IsDigit(a[ae])) ++ae;
            while (be < b.size() && IsDigit(b[be])) ++be;
            if (ae - ai != be - bj) return ae - ai < be - bj ? -1 : 1;
            for (; ai < ae; ++ai, ++bj) {
                if (a[ai] != b[bj]) return a[ai] < b[bj] ? -1 : 1;
            }
            i = ae;
            j = be;
            continue;
        }
        // A digit against anything else compares as its character: digits
        // never fold, so the result does not depend on which digit it is.
        unsigned ca = static_cast<unsigned>(FoldCase(a[i]));
        unsigned cb = static_cast<unsigned>(FoldCase(b[j]));
        if (ca != cb) return Sign(ca, cb);
        ++i;
        ++j;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return CompareOrdinal(a, b);
}

int CompareRows(const TRowKey& a, const TRowKey& b, int column)
{
    if (a.IsFolder != b.IsFolder) return a.IsFolder ? -1 : 1;
    int result = 0;
    switch (column) {
    case rcSize: result = CompareNumbers(a.Size, b.Size); break;
    case rcType: result = CompareFolded(View(a.TypeText), View(b.TypeText)); break;
    case rcLastWrite: result = CompareNumbers(a.LastWrite, b.LastWrite); break;
    case rcAttributes: result = CompareNumbers(a.Attributes, b.Attributes); break;
    default: break;
    }
    return result != 0 ? result : CompareNames(View(a.Name), View(b.Name));
}
