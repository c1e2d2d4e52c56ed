#include "core/shell/AttributeLetters.h"

namespace {

struct TAttributeLetter {
    uint32_t Attribute;  // the FILE_ATTRIBUTE_ bit
    wchar_t Letter;
};
constexpr TAttributeLetter kLetters[] = {
    {0x1, L'R'}, {0x2, L'H'}, {0x4, L'S'}, {0x20, L'A'}, {0x10, L'D'}, {0x100, L'T'}, {0x800, L'C'}, {0x1000, L'O'},
};

} // namespace

std::wstring AttributeLetters(uint32_t attributes)
{
    std::wstring text;
    for (const TAttributeLetter& l : kLetters)
        if (attributes & l.Attribute) text += l.Letter;
    return text;
}
