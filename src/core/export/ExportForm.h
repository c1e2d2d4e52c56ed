#pragma once
// The three forms of an exported listing and the names that go with them.
#include <string>
#include <string_view>

enum class TExportForm { Text = 1, Csv = 2, Html = 3 };

// The form of the save dialog's file type, by its 1-based index; an index
// the dialog does not have means text.
TExportForm ExportFormOfFilter(int filterIndex);
// The extension the dialog appends for the form: "txt", "csv", "htm".
const wchar_t* ExportExtension(TExportForm form);

// The folder of a page's icons: the page's path with its extension
// replaced by ".file" (C:\Docs\list.htm -> C:\Docs\list.file).
std::wstring IconFolderPath(std::wstring_view pagePath);
// The last component of a path (list.file of C:\Docs\list.file).
std::wstring LastPathComponent(std::wstring_view path);
// The bitmap of one icon of the system image list in the icon folder,
// named after its index: every row with that icon points at it, so that
// rows of the same display name keep their own icons and names that are
// no file names (" (C:)", "/") need no file of their own.
std::wstring IconFileName(int iconIndex);
