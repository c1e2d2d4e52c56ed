#pragma once
// The address bar's history: the file-system paths of the folders visited,
// oldest first, at most 30, each once. A folder renamed in case alone is
// a new entry; a refused text finds its entry whatever the case of its
// ASCII letters, as the combo box's own search does.
#include <cstddef>
#include <string>
#include <vector>

constexpr std::size_t kMaxAddressHistory = 30;

// A folder was visited: its path joins the end unless it is there already;
// the oldest entry goes when there are too many. An empty path is ignored.
void RememberAddress(std::vector<std::wstring>& history, const std::wstring& path);

// A typed address was refused: its entry, if any, leaves the history.
void ForgetAddress(std::vector<std::wstring>& history, const std::wstring& text);
