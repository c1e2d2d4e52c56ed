#pragma once
// The selected objects of one folder as the date and attribute dialogs
// receive them, and their one report at the end.
#include <windows.h>

#include <string>
#include <vector>

std::vector<std::wstring> SelectedPaths(const std::wstring& folder, const std::vector<std::wstring>& names);
// Whether any of the paths is a folder.
bool AnyFolder(const std::vector<std::wstring>& paths);
// One message, only when some objects could not be changed: "n 個のオブジェ
// クトの<what>を変更できませんでした。"
void ReportUnchangedObjects(HWND owner, size_t count, const std::wstring& what);
