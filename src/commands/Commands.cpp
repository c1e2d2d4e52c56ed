#include "commands/Commands.h"

#include "app/MainFrame.h"
#include "browser/ShellListView.h"
#include "browser/ShellTreeView.h"

void BindCommand(TActionList& actions, int id, std::function<void()> execute, std::function<void(TAction&)> update)
{
    if (TAction* a = actions.Find(id)) {
        a->OnExecute = std::move(execute);
        a->OnUpdate = std::move(update);
    }
}

void AlwaysEnabled(TAction& action) { action.Enabled = true; }

bool TreeFocused(IMainFrame& frame) { return GetFocus() == frame.ShellTree().TreeHandle(); }
bool ListFocused(TSHListView* list) { return list && GetFocus() == list->ListHandle(); }

void FocusRule(IMainFrame& frame, TAction& action, const std::function<bool()>& treeRule,
               const std::function<bool(TSHListView&)>& listRule)
{
    TSHListView* list = frame.ActiveList();
    if (TreeFocused(frame)) action.Enabled = treeRule();
    else if (ListFocused(list)) action.Enabled = listRule(*list);
    else if (!list) action.Enabled = false;
}

bool TreeNodeHas(IMainFrame& frame, ULONG sfgao)
{
    TSHFolderItem* item = frame.ShellTree().SelectedItem();
    return item && item->HasAttributes(sfgao);
}

bool SelectionHas(TSHListView& list, ULONG sfgao)
{
    return list.SelectedCount() > 0 && list.FileList().GetSelectedIDList().AllHave(sfgao);
}
