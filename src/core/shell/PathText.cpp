#include "core/shell/PathText.h"

std::wstring ParentFolderPath(const std::wstring& path)
{
    std::wstring folder = path;
    while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
    size_t slash = folder.find_last_of(L'\\');
    if (slash == std::wstring::npos || slash + 1 >= folder.size()) return {};
    if (slash == 2 && folder[1] == L':') return folder.substr(0, 3);
    return folder.substr(0, slash);
}
