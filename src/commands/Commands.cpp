#include "commands/Commands.h"

#include "commands/Frame.h"
#include "core/commands/CommandState.h"

void BindCommand(TActionList& actions, int id, std::function<void()> execute)
{
    if (TAction* a = actions.Find(id)) a->OnExecute = std::move(execute);
}

bool TreeFocused(IMainFrame& frame) { return frame.FocusedPane() == TFocusPane::Tree; }

TSHListView* FocusedList(IMainFrame& frame)
{
    return frame.FocusedPane() == TFocusPane::List ? frame.ActiveList() : nullptr;
}
