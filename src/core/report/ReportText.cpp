#include "core/report/ReportText.h"

#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A mask taken apart.
struct TMaskToken {
    enum Kind { IntDigit, Point, FracDigit, Text } What;
    wchar_t Char;          // '0' or '#' for digits
    std::wstring Literal;  // for text
};

struct TMask {
    std::vector<TMaskToken> Tokens;
    int IntPlaceholders = 0, MinIntDigits = 0;
    int Decimals = 0, MinDecimals = 0;
    bool Grouping = false;
};

TMask ParseMask(std::wstring_view mask)
{
    TMask m;
    bool afterPoint = false;
    int firstZero = -1;
    for (size_t i = 0; i < mask.size(); ++i) {
        const wchar_t c = mask[i];
        if (c == L'"' || c == L'\'') {
            size_t end = mask.find(c, i + 1);
            if (end == std::wstring_view::npos) end = mask.size();
            m.Tokens.push_back({TMaskToken::Text, 0, std::wstring(mask.substr(i + 1, end - i - 1))});
            i = end;
        } else if (c == L'0' || c == L'#') {
            if (afterPoint) {
                ++m.Decimals;
                if (c == L'0') m.MinDecimals = m.Decimals;
                m.Tokens.push_back({TMaskToken::FracDigit, c, {}});
            } else {
                if (c == L'0' && firstZero < 0) firstZero = m.IntPlaceholders;
                ++m.IntPlaceholders;
                m.Tokens.push_back({TMaskToken::IntDigit, c, {}});
            }
        } else if (c == L'.' && !afterPoint) {
            afterPoint = true;
            m.Tokens.push_back({TMaskToken::Point, c, {}});
        } else if (c == L',' && !afterPoint) {
            m.Grouping = true;
        } else if (c != L'.' && c != L',') {
            m.Tokens.push_back({TMaskToken::Text, 0, std::wstring(1, c)});
        }
    }
    if (firstZero >= 0) m.MinIntDigits = m.IntPlaceholders - firstZero;
    return m;
}

// |value| rounded to `decimals` places, half away from zero, on the
// shortest decimal form of the value (what it reads as): the integer digits
// without leading zeros and exactly `decimals` fraction digits.
void RoundedDigits(double value, int decimals, std::string& whole, std::string& fraction)
{
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
    std::string text(buf, end);
    const size_t e = text.find('e');
    std::string digits = text.substr(0, 1) + (e > 1 ? text.substr(2, e - 2) : "");
    const int exponent = std::stoi(text.substr(e + 1));
    // value = d.ddd x 10^exponent: the point sits after exponent + 1 digits.
    const int pointAt = exponent + 1;
    std::string all;  // integer digits, then every fraction digit
    int intCount;
    if (pointAt <= 0) {
        all = std::string(size_t(-pointAt), '0') + digits;
        intCount = 0;
    } else {
        all = digits;
        if (int(all.size()) < pointAt) all.append(size_t(pointAt) - all.size(), '0');
        intCount = pointAt;
    }
    const size_t keep = size_t(intCount + decimals);
    const bool up = all.size() > keep && all[keep] >= '5';
    if (all.size() < keep) all.append(keep - all.size(), '0');
    all.resize(keep);
    if (up) {
        int i = int(keep) - 1;
        for (; i >= 0 && all[size_t(i)] == '9'; --i) all[size_t(i)] = '0';
        if (i >= 0) ++all[size_t(i)];
        else all.insert(all.begin(), '1'), ++intCount;
    }
    whole = all.substr(0, size_t(intCount));
    fraction = all.substr(size_t(intCount));
    whole.erase(0, whole.find_first_not_of('0'));
}

} // namespace

std::wstring FormatNumberMask(double value, std::wstring_view maskText, TNumberSeparators separators)
{
    if (std::isnan(value)) return L"NAN";
    if (std::isinf(value)) return value < 0 ? L"-INF" : L"INF";
    const TMask mask = ParseMask(maskText);
    std::string whole, fraction;
    RoundedDigits(value, mask.Decimals, whole, fraction);
    const bool zero = whole.empty() && fraction.find_first_not_of('0') == std::string::npos;
    while (int(fraction.size()) > mask.MinDecimals && fraction.back() == '0') fraction.pop_back();
    if (int(whole.size()) < mask.MinIntDigits) whole.insert(0, size_t(mask.MinIntDigits) - whole.size(), '0');

    std::wstring out;
    if (value < 0 && !zero) out += L'-';
    // Integer digits by their place from the right; the first placeholder
    // takes every digit beyond the placeholders.
    const int n = int(whole.size()), places = mask.IntPlaceholders;
    auto putDigit = [&](int fromRight) {
        out += wchar_t(whole[size_t(n - 1 - fromRight)]);
        if (mask.Grouping && fromRight > 0 && fromRight % 3 == 0 && separators.Thousands) out += separators.Thousands;
    };
    int intSeen = 0, fracSeen = 0;
    for (const TMaskToken& t : mask.Tokens) {
        switch (t.What) {
        case TMaskToken::IntDigit: {
            const int place = places - 1 - intSeen++;
            if (intSeen == 1)
                for (int r = n - 1; r > place; --r) putDigit(r);
            if (place < n) putDigit(place);
            break;
        }
        case TMaskToken::Point:
            if (places == 0)
                for (int r = n - 1; r >= 0; --r) putDigit(r);
            if (!fraction.empty()) out += separators.Decimal;
            break;
        case TMaskToken::FracDigit:
            if (fracSeen < int(fraction.size())) out += wchar_t(fraction[size_t(fracSeen)]);
            ++fracSeen;
            break;
        case TMaskToken::Text: out += t.Literal; break;
        }
    }
    return out;
}

bool IsNumberText(std::wstring_view text)
{
    if (text.empty()) return false;
    for (wchar_t c : text)
        if (!(c == L'+' || c == L'-' || c == L'.' || (c >= L'0' && c <= L'9'))) return false;
    return true;
}

double ParseNumberText(std::wstring_view text)
{
    std::string narrow;
    bool digit = false, point = false, ok = !text.empty();
    for (size_t i = 0; i < text.size() && ok; ++i) {
        const wchar_t c = text[i];
        if ((c == L'+' || c == L'-') && i == 0) {
            if (c == L'-') narrow += '-';
        } else if (c == L'.' && !point) {
            point = true;
            narrow += '.';
        } else if (c >= L'0' && c <= L'9') {
            digit = true;
            narrow += char(c);
        } else {
            ok = false;
        }
    }
    if (!ok || !digit) throw std::invalid_argument("not a number: the text of a report item");
    // A bare point at either end reads as a zero digit there.
    if (narrow.back() == '.') narrow += '0';
    const size_t first = narrow[0] == '-' ? 1 : 0;
    if (narrow[first] == '.') narrow.insert(first, "0");
    double value = 0;
    auto [end, ec] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
    if (ec != std::errc() || end != narrow.data() + narrow.size())
        throw std::invalid_argument("not a number: the text of a report item");
    return value;
}

std::wstring ItemDisplayText(std::wstring_view text, std::wstring_view mask, TNumberSeparators separators)
{
    if (mask.empty() || text.empty()) return std::wstring(text);
    if (IsNumberText(text)) return FormatNumberMask(ParseNumberText(text), mask, separators);
    return std::wstring(text);
}
