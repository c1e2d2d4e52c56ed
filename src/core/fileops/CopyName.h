#pragma once
// The name of a copy made in the folder of its original, as the platform's
// explorer names it: "report - コピー.txt", then "report - コピー (2).txt", ...
// while the name is taken. A folder, or a name whose only dot leads it,
// keeps no extension apart.
#include <functional>
#include <string>

std::wstring FreeCopyName(const std::wstring& name, bool folder, const std::function<bool(const std::wstring&)>& taken);
