// The selection commands of the edit menu: by file type, folders, files,
// all, and inverted.
#include "browser/ShellListView.h"
#include "commands/Commands.h"
#include "commands/Frame.h"
#include "core/commands/CommandIds.h"
#include "core/settings/InitData.h"
#include "gui/Strings.h"

#include <functional>

namespace {

bool IsFolderRow(TSHFileItem& row) { return row.GetFileAttributes() & FILE_ATTRIBUTE_DIRECTORY; }

// A file the user can handle as one: deletable, not a container of file
// system objects, not a directory.
bool IsPlainFile(TSHFileItem& row)
{
    return !IsFolderRow(row) && row.HasAttributes(SFGAO_CANDELETE) && !row.HasAttributes(SFGAO_FILESYSANCESTOR);
}

// The extension of a name from its last dot on, dot included, with ASCII
// letters upper-cased.
std::wstring UpperExtension(const std::wstring& name)
{
    size_t dot = name.find_last_of(L'.');
    std::wstring ext = dot == std::wstring::npos ? std::wstring() : name.substr(dot);
    for (wchar_t& c : ext)
        if (c >= L'a' && c <= L'z') c = wchar_t(c - L'a' + L'A');
    return ext;
}

TSHListView* ListWithItems(IMainFrame& frame)
{
    TSHListView* list = frame.ActiveList();
    return list && list->FileList().Count() > 0 ? list : nullptr;
}

// Sets each row's selection by `decide` (which returns false to leave a row
// as it is), reporting one selection change at the end.
void SelectRows(TSHListView& list, const std::function<bool(TSHFileItem&, bool& selected)>& decide)
{
    TSHFileList& files = list.FileList();
    list.BeginSelUpdate();
    for (int i = 0; i < files.Count(); ++i) {
        bool selected = list.IsSelected(i);
        if (decide(*files.Rows(i), selected)) list.SetSelected(i, selected);
    }
    list.EndSelUpdate();
    list.TakeFocus();
}

void SelectByType(IMainFrame& frame, int index)
{
    TSHListView* list = ListWithItems(frame);
    const auto& types = frame.Settings().FileTypes;
    if (!list || index < 0 || size_t(index) >= types.size()) return;
    std::wstring wanted = UpperExtension(L"." + AnsiToWide(types[size_t(index)]));
    // By the file name: a display name may hide the extension.
    SelectRows(*list, [&wanted](TSHFileItem& row, bool& selected) {
        if (UpperExtension(row.GetFileName()) != wanted) return false;
        selected = IsPlainFile(row);
        return true;
    });
}

}  // namespace

void BindSelectionCommands(TActionList& actions, IMainFrame& frame)
{
    // The menu's items run the handler below; the command itself only
    // stands for their sub-menu.
    BindCommand(actions, Cmd::SelectByType, [] {});
    frame.SetFileTypeHandler([&frame](int index) { SelectByType(frame, index); });
    BindCommand(actions, Cmd::SelectFolders, [&frame] {
        if (TSHListView* list = ListWithItems(frame))
            SelectRows(*list, [](TSHFileItem& row, bool& selected) { return selected = IsFolderRow(row), true; });
    });
    BindCommand(actions, Cmd::SelectFiles, [&frame] {
        if (TSHListView* list = ListWithItems(frame))
            SelectRows(*list, [](TSHFileItem& row, bool& selected) { return selected = IsPlainFile(row), true; });
    });
    BindCommand(actions, Cmd::SelectAll, [&frame] {
        if (TSHListView* list = ListWithItems(frame)) {
            list->SelectAll(true);
            list->TakeFocus();
        }
    });
    BindCommand(actions, Cmd::InvertSelection, [&frame] {
        if (TSHListView* list = ListWithItems(frame))
            SelectRows(*list, [](TSHFileItem&, bool& selected) { return selected = !selected, true; });
    });
}
