#include "gui/Strings.h"

#include <windows.h>

static std::wstring MultiToWide(UINT codePage, std::string_view text)
{
    if (text.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring out(size_t(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), out.data(), n);
    return out;
}

std::wstring AnsiToWide(std::string_view text) { return MultiToWide(CP_ACP, text); }

std::string WideToAnsi(std::wstring_view text)
{
    if (text.empty()) return {};
    int n = WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::string WideToAnsiDroppingUnmapped(std::wstring_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size();) {
        // A surrogate pair is one character.
        size_t length = (IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1])) ? 2 : 1;
        char bytes[8];
        BOOL unmapped = FALSE;
        int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data() + i, int(length), bytes, sizeof bytes,
                                    nullptr, &unmapped);
        if (n > 0 && !unmapped) out.append(bytes, size_t(n));
        i += length;
    }
    return out;
}
