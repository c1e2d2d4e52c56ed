#pragma once
// The system's code pages as the listing writers use them.
#include "core/export/TextEncoding.h"

#include <windows.h>

class TWindowsCodePage : public TCodePage {
public:
    explicit TWindowsCodePage(UINT codePage) : CodePage(codePage) {}
    // No best-fit look-alikes and no default character: a text that needs
    // either is refused.
    bool Append(std::wstring_view text, std::string& out) const override;

private:
    UINT CodePage;
};
