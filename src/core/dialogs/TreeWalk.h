#pragma once
// The walk of the date and attribute dialogs through everything below a
// folder. It never enters a reparse point (a junction or a symbolic link):
// what lies behind one is outside the selection, and may lead back into it.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TWalkEntry {
    std::wstring Name;
    uint32_t Attributes = 0;  // as the file system reports them
    bool IsFolder = false;
    bool IsReparsePoint = false;
};

// The entries of one folder ("." and ".." left out).
using TListFolder = std::function<std::vector<TWalkEntry>(const std::wstring& folder)>;
using TVisitEntry = std::function<void(const std::wstring& path, const TWalkEntry& entry)>;

// Calls `visit` for every object below `folder`, depth first: the contents
// of a subfolder before the subfolder itself. A reparse point is visited as
// an object of its own; its contents are not.
void WalkTree(const std::wstring& folder, const TListFolder& list, const TVisitEntry& visit);

// `folder` and `name` joined by one backslash.
std::wstring JoinWalkPath(const std::wstring& folder, const std::wstring& name);
