#pragma once
// The command areas. Each binds the handlers of its commands through the
// frame's interface; the main window calls every Bind function once.
#include "gui/Action.h"

#include <functional>

class IMainFrame;

void BindFileCommands(TActionList& actions, IMainFrame& frame);
void BindNavigationCommands(TActionList& actions, IMainFrame& frame);
void BindSelectionCommands(TActionList& actions, IMainFrame& frame);
void BindViewCommands(TActionList& actions, IMainFrame& frame);
void BindViewerCommands(TActionList& actions, IMainFrame& frame);
void BindWindowCommands(TActionList& actions, IMainFrame& frame);
void BindTransferCommands(TActionList& actions, IMainFrame& frame);

// Gives a command its handlers (a command the table does not have is
// ignored).
void BindCommand(TActionList& actions, int id, std::function<void()> execute, std::function<void(TAction&)> update);

// Update handlers shared by the areas.
void AlwaysEnabled(TAction& action);
