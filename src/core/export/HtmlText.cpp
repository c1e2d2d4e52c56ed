#include "core/export/HtmlText.h"

#include "core/export/TextEncoding.h"

void AppendHtmlEscaped(std::wstring& out, std::wstring_view text)
{
    size_t from = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t* reference = nullptr;
        switch (text[i]) {
        case L'&': reference = L"&amp;"; break;
        case L'<': reference = L"&lt;"; break;
        case L'>': reference = L"&gt;"; break;
        case L'"': reference = L"&quot;"; break;
        default: continue;
        }
        out.append(text.substr(from, i - from));
        out += reference;
        from = i + 1;
    }
    out.append(text.substr(from));
}

std::wstring PercentEncodedPath(std::wstring_view path)
{
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring out;
    for (size_t i = 0; i < path.size();) {
        wchar_t c = path[i];
        if (c < 0x80 && c != L'#' && c != L'%' && c != L'?' && c != L' ') {
            out += c;
            ++i;
            continue;
        }
        // One whole character (a surrogate pair is one) as its UTF-8 bytes.
        size_t length = (c >= 0xD800 && c <= 0xDBFF && i + 1 < path.size() && path[i + 1] >= 0xDC00 &&
                         path[i + 1] <= 0xDFFF) ? 2 : 1;
        std::string bytes;
        AppendUtf8(path.substr(i, length), bytes);
        for (unsigned char b : bytes) {
            out += L'%';
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
        }
        i += length;
    }
    return out;
}

std::wstring UrlAttribute(std::wstring_view path)
{
    std::wstring encoded = PercentEncodedPath(path), out;
    for (wchar_t c : encoded) {
        if (c == L'&') out += L"&amp;";
        else if (c == L'"') out += L"&quot;";
        else out += c;
    }
    return out;
}
