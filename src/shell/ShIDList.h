#pragma once
// A set of relative item identifier lists that share one parent folder: the
// selection a shell command works on. TSHIDList borrows its items and its
// parent; TSHIDList2 owns them.
#include "shell/IDList.h"

#include <string>
#include <vector>

enum class TShellCommand { scDefault, scCut, scCopy, scPaste, scCreateShortcut, scDelete, scProperties };

class TSHIDList {
public:
    TSHIDList() = default;
    TSHIDList(const TSHIDList&) = delete;
    TSHIDList& operator=(const TSHIDList&) = delete;
    virtual ~TSHIDList() = default;

    PCIDList ParentIDList = nullptr;

    int Count() const { return int(ItemLists.size()); }
    PCIDList Items(int index) const;
    // The array for shell calls that take relative lists; null when empty.
    PCIDList* GetItemList() const;
    void Add(PCIDList item) { ItemLists.push_back(item); }
    virtual void Clear();

    int GetParentLevel() const;
    // AddRef'ed; null when it cannot be bound.
    IShellFolder* GetParentFolder() const;
    // SFGAO bits of 0x177 that every item has; 0 when empty or on failure.
    ULONG GetCommonAttributes() const { return CommonAttributes(0x177); }
    // The bits of `mask` that every item has, from one query of the parent
    // folder; 0 when empty or on failure.
    ULONG CommonAttributes(ULONG mask) const;
    bool AllHave(ULONG sfgao) const;
    bool ItemHas(int index, ULONG sfgao) const;
    std::wstring GetItemPath(int index) const;

    // Runs a shell command on every item through the shell's own menu (the
    // default command by opening each item); see ShellCommand.cpp. The
    // program's callers go through RunShellCommand (fileops/OwnVerbs),
    // which does cut, copy and paste itself.
    bool ExecuteCommand(HWND window, TShellCommand command) const;

protected:
    std::vector<PCIDList> ItemLists;
};

class TSHIDList2 : public TSHIDList {
public:
    ~TSHIDList2() override;
    // Takes ownership of the list.
    void AddOwned(PIDList item) { Add(item); }
    void SetParent(PIDList parent);
    void Clear() override;
};
