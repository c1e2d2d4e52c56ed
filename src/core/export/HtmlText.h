#pragma once
// Names set into an HTML page: as text, and as a part of an image's URL.
#include <string>
#include <string_view>

// Appends `text` with '&', '<', '>' and '"' as references.
void AppendHtmlEscaped(std::wstring& out, std::wstring_view text);

// A relative URL's path from file names: '#', '%', '?', the space and
// every character outside ASCII (as the bytes of its UTF-8 form, which is
// how browsers resolve paths whatever the page's charset) are
// percent-encoded. The other characters stay as they are.
std::wstring PercentEncodedPath(std::wstring_view path);

// The value of an src attribute: the percent-encoded path with '&' and '"'
// as references.
std::wstring UrlAttribute(std::wstring_view path);
