#pragma once
// The address bar's history: the file-system paths of the folders visited,
// oldest first, at most 30, each once (paths compare without regard to the
// case of ASCII letters, as the file system and the combo box do).
#include <cstddef>
#include <string>
#include <vector>

constexpr std::size_t kMaxAddressHistory = 30;

// A folder was visited: its path joins the end unless it is there already;
// the oldest entry goes when there are too many. An empty path is ignored.
void RememberAddress(std::vector<std::wstring>& history, const std::wstring& path);

// A typed address was refused: its entry, if any, leaves the history.
void ForgetAddress(std::vector<std::wstring>& history, const std::wstring& text);
