#pragma once
// The save dialog of the list export: where the listing goes and in which
// of the three forms.
#include "core/export/ExportForm.h"

#include <windows.h>

#include <optional>
#include <string>

struct TExportTarget {
    std::wstring Path;
    TExportForm Form = TExportForm::Text;  // the chosen file type, whatever the typed extension
};

// Starts in the user's documents folder with the text form chosen; nothing
// when the user cancels.
std::optional<TExportTarget> AskExportTarget(HWND owner);
