#include "commands/Commands.h"

void BindCommand(TActionList& actions, int id, std::function<void()> execute, std::function<void(TAction&)> update)
{
    if (TAction* a = actions.Find(id)) {
        a->OnExecute = std::move(execute);
        a->OnUpdate = std::move(update);
    }
}

void AlwaysEnabled(TAction& action) { action.Enabled = true; }
