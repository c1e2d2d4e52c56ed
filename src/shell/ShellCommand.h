#pragma once
// Finding a shell command in a context menu: by the command's verb, which
// does not depend on the shell's language, and by the caption the program
// knows for shells that name no verbs.
#include "shell/ShIDList.h"

// Command identifiers handed to QueryContextMenu; the shell's command
// offset of an item is its identifier minus kShellMenuFirstCommand.
enum : UINT { kShellMenuFirstCommand = 1, kShellMenuLastCommand = 0x7FFF };

// The identifier of the enabled item of a menu filled by `menu` that runs
// `command` (scDefault: the menu's default item, else "open"); 0 when there
// is none. The clipboard kinds are looked up like the others.
UINT FindShellMenuCommand(IContextMenu* menu, HMENU popup, TShellCommand command);

// The verb of a shell menu entry (its offset from the first command number),
// as the handler spells it; empty when it names none.
std::wstring ShellEntryVerb(IContextMenu* menu, UINT offset);
