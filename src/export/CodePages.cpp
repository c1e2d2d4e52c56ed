#include "export/CodePages.h"

bool TWindowsCodePage::Append(std::wstring_view text, std::string& out) const
{
    if (text.empty()) return true;
    // UTF-8 (a system's ANSI page can be it) knows neither best fit nor a
    // default character; it refuses only what is no text (a lone surrogate).
    bool utf = CodePage == CP_UTF8;
    DWORD flags = utf ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    size_t at = out.size();
    // At most three bytes per UTF-16 unit in UTF-8, two in the others.
    out.resize(at + text.size() * 3);
    BOOL defaulted = FALSE;
    int n = WideCharToMultiByte(CodePage, flags, text.data(), int(text.size()), out.data() + at,
                                int(text.size() * 3), nullptr, utf ? nullptr : &defaulted);
    if (n <= 0 || defaulted) {
        out.resize(at);
        return false;
    }
    out.resize(at + size_t(n));
    return true;
}
