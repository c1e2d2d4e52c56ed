#pragma once
// The command areas. Each binds the handlers of its commands through the
// frame's interface; the main window calls every Bind function once.
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

// Gives a command its handlers (a command the table does not have is
// ignored).
void BindCommand(TActionList& actions, int id, std::function<void()> execute, std::function<void(TAction&)> update);

// Update handlers shared by the areas.
void AlwaysEnabled(TAction& action);

// Which of the folder tree and the attached list has the keyboard focus.
bool TreeFocused(IMainFrame& frame);
bool ListFocused(TSHListView* list);
// Rule F: the tree's rule while the tree has the focus, the list's while
// the attached list has it; with a list attached and neither focused the
// state stays; with no list attached it is disabled.
void FocusRule(IMainFrame& frame, TAction& action, const std::function<bool()>& treeRule,
               const std::function<bool(TSHListView&)>& listRule);
// Whether the tree's selected node has the SFGAO bits; whether the list
// has a selection that all has them.
bool TreeNodeHas(IMainFrame& frame, ULONG sfgao);
bool SelectionHas(TSHListView& list, ULONG sfgao);
