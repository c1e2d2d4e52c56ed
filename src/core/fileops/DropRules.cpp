#include "core/fileops/DropRules.h"

#include <cwctype>

uint32_t ChooseDropEffect(DropKeys keys, bool sameVolume, uint32_t allowed)
{
    uint32_t wanted;
    bool keyed = true;
    if (keys.alt || (keys.control && keys.shift))
        wanted = DropLink;
    else if (keys.control)
        wanted = DropCopy;
    else if (keys.shift)
        wanted = DropMove;
    else {
        wanted = sameVolume ? DropMove : DropCopy;
        keyed = false;
    }
    if (allowed & wanted) return wanted;
    if (keyed) return DropNone;
    for (uint32_t next : {DropCopy, DropMove, DropLink})
        if (allowed & next) return next;
    return DropNone;
}

namespace {

std::wstring_view Trimmed(std::wstring_view path)
{
    // "C:\" keeps its backslash; a longer path loses its trailing ones.
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.remove_suffix(1);
    return path;
}

bool SameChar(wchar_t a, wchar_t b)
{
    if (a == L'/') a = L'\\';
    if (b == L'/') b = L'\\';
    return std::towupper(a) == std::towupper(b);
}

bool SameText(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!SameChar(a[i], b[i])) return false;
    return true;
}

}  // namespace

bool SameFolderPath(std::wstring_view a, std::wstring_view b)
{
    return SameText(Trimmed(a), Trimmed(b));
}

bool IsSelfOrBelow(std::wstring_view source, std::wstring_view target)
{
    source = Trimmed(source);
    target = Trimmed(target);
    if (source.empty() || target.size() < source.size()) return false;
    if (!SameText(source, target.substr(0, source.size()))) return false;
    if (target.size() == source.size()) return true;
    // "C:\" ends in its separator; "C:\a" must be followed by one.
    return source.back() == L'\\' || target[source.size()] == L'\\' || target[source.size()] == L'/';
}
