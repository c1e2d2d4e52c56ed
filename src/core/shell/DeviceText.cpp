#include "core/shell/DeviceText.h"

wchar_t DriveOfUnitMask(uint32_t unitMask)
{
    for (unsigned bit = 0; bit < 26; ++bit)
        if (unitMask & (1u << bit)) return wchar_t(L'A' + bit);
    return 0;
}

std::wstring DriveNodeText(const std::wstring& label, wchar_t drive)
{
    std::wstring text = label;
    text += L" (";
    text += drive;
    text += L":)";
    return text;
}
