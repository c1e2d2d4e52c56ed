#pragma once
// The command areas. Each binds the execute handlers of its commands
// through the frame's interface; the main window calls every Bind function
// once. When a command is enabled or checked is decided apart from them, by
// the rules of core/commands/CommandState over the frame's snapshot.
#include "gui/Action.h"

#include <functional>

class IMainFrame;
class TSHListView;

void BindFileCommands(TActionList& actions, IMainFrame& frame);
void BindEditCommands(TActionList& actions, IMainFrame& frame);
void BindToolsCommands(TActionList& actions, IMainFrame& frame);
void BindNavigationCommands(TActionList& actions, IMainFrame& frame);
void BindSelectionCommands(TActionList& actions, IMainFrame& frame);
void BindViewCommands(TActionList& actions, IMainFrame& frame);
void BindViewerCommands(TActionList& actions, IMainFrame& frame);
void BindWindowCommands(TActionList& actions, IMainFrame& frame);
void BindTransferCommands(TActionList& actions, IMainFrame& frame);
void BindExportCommands(TActionList& actions, IMainFrame& frame);
void BindHelpCommands(TActionList& actions, IMainFrame& frame);
void BindFavoritesCommands(TActionList& actions, IMainFrame& frame);
void BindIconCommands(TActionList& actions, IMainFrame& frame);

// Gives a command its execute handler (a command the table does not have
// is ignored).
void BindCommand(TActionList& actions, int id, std::function<void()> execute);

// What a command that acts on the focused one of tree and list acts on:
// the attached list when it has the focus, else null.
TSHListView* FocusedList(IMainFrame& frame);
bool TreeFocused(IMainFrame& frame);
