#include "core/shell/SizeText.h"

namespace {

constexpr int64_t KiB = 1024;
constexpr int64_t MiB = 1024 * KiB;
constexpr int64_t GiB = 1024 * MiB;

// 10^decimals for 0, 1 or 2 decimals.
uint64_t DecimalScale(int decimals) { return decimals == 0 ? 1 : decimals == 1 ? 10 : 100; }

// bytes / 2^shift in units of 10^-decimals, rounded half away from zero.
// The quotient of a power of two is exact in binary and in decimal, so
// integer arithmetic gives the very digits a float formatter would, with no
// overflow: only the remainder (below 2^30) is scaled.
uint64_t ScaledRounded(uint64_t bytes, int shift, int decimals)
{
    uint64_t scale = DecimalScale(decimals);
    uint64_t whole = bytes >> shift;
    uint64_t rest = (bytes & ((uint64_t(1) << shift) - 1)) * scale;
    uint64_t fraction = rest >> shift;
    uint64_t remainder = rest & ((uint64_t(1) << shift) - 1);
    if (shift > 0 && remainder >= (uint64_t(1) << (shift - 1))) ++fraction;
    return whole * scale + fraction;
}

// `units` in 10^-decimals; "#,##0.00"-like patterns. Without `leadingZero`
// (the "#,###.00" pattern) a zero integer part writes no digit at all.
std::wstring FormatFixed(uint64_t units, int decimals, bool leadingZero, wchar_t thousands, wchar_t decimal)
{
    uint64_t scale = DecimalScale(decimals);
    uint64_t whole = units / scale;
    std::wstring digits = std::to_wstring(whole);
    std::wstring text;
    if (whole != 0 || leadingZero) {
        for (size_t i = 0; i < digits.size(); ++i) {
            if (i != 0 && thousands != 0 && (digits.size() - i) % 3 == 0) text += thousands;
            text += digits[i];
        }
    }
    if (decimals != 0) {
        uint64_t fraction = units % scale;
        text += decimal;
        for (uint64_t digit = scale / 10; digit != 0; digit /= 10) text += wchar_t(L'0' + fraction / digit % 10);
    }
    return text;
}

std::wstring BytesText(int64_t bytes) { return std::to_wstring(bytes) + L"バイト"; }

} // namespace

std::wstring FormatKilobytesText(uint64_t bytes, wchar_t thousands)
{
    uint64_t kilobytes = bytes / 1024 + (bytes % 1024 != 0 ? 1 : 0);
    return FormatFixed(kilobytes, 0, true, thousands, 0) + L"KB";
}

std::wstring FormatKilobytesTenths(uint64_t bytes, wchar_t thousands, wchar_t decimal)
{
    return FormatFixed(ScaledRounded(bytes, 10, 1), 1, true, thousands, decimal) + L"KB";
}

std::wstring FormatObjectCount(int count)
{
    return std::to_wstring(count) + L" 個のオブジェクト";
}

std::wstring FormatObjectTotal(uint64_t count, wchar_t thousands)
{
    return FormatFixed(count, 0, true, thousands, 0) + L"個のオブジェクト";
}

std::wstring FormatListingTotal(uint64_t bytes, wchar_t thousands, wchar_t decimal)
{
    if (bytes < uint64_t(MiB)) return FormatKilobytesTenths(bytes, thousands, decimal);
    return FormatFixed(ScaledRounded(bytes, 20, 2), 2, true, thousands, decimal) + L"MB";
}

std::wstring FormatSelectedCount(int count)
{
    return std::to_wstring(count) + L" 個のオブジェクトを選択";
}

std::wstring FormatSelectionSize(int64_t bytes, wchar_t thousands, wchar_t decimal)
{
    if (bytes < KiB) return BytesText(bytes);
    int shift = bytes < MiB ? 10 : bytes < GiB ? 20 : 30;
    const wchar_t* unit = bytes < MiB ? L"KB" : bytes < GiB ? L"MB" : L"GB";
    return FormatFixed(ScaledRounded(uint64_t(bytes), shift, 2), 2, false, thousands, decimal) + unit;
}

std::wstring FormatFolderSummary(int64_t total, int64_t freeBytes, wchar_t thousands, wchar_t decimal)
{
    std::wstring text;
    if (total < KiB)
        text = BytesText(total);
    else if (total < MiB)
        text = FormatFixed(ScaledRounded(uint64_t(total), 10, 0), 0, true, thousands, decimal) + L"KB";
    else if (total < GiB)
        text = FormatFixed(ScaledRounded(uint64_t(total), 20, 2), 2, true, thousands, decimal) + L"MB";
    else
        text = FormatFixed(ScaledRounded(uint64_t(total), 30, 2), 2, true, thousands, decimal) + L"GB";

    // The free space is written as a plain fixed-point number: two
    // decimals, no grouping.
    text += L" (空きディスク領域 : ";
    if (freeBytes < 0) {
        // Not reported by any drive; written as the negative kilobytes.
        uint64_t units = ScaledRounded(uint64_t(0) - uint64_t(freeBytes), 10, 2);
        if (units != 0) text += L'-';
        text += FormatFixed(units, 2, true, 0, decimal) + L"KB";
    } else {
        int shift = freeBytes < MiB ? 10 : freeBytes < GiB ? 20 : 30;
        const wchar_t* unit = freeBytes < MiB ? L"KB" : freeBytes < GiB ? L"MB" : L"GB";
        text += FormatFixed(ScaledRounded(uint64_t(freeBytes), shift, 2), 2, true, 0, decimal) + unit;
    }
    text += L')';
    return text;
}
