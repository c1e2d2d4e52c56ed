#pragma once
// Reordering by drag: the dragged row lands just before the row it was
// dropped on.
#include <cstddef>
#include <utility>
#include <vector>

// Moves rows[from] to just before the row now at `target`; gives its new
// index. A drop on the row directly below changes nothing, a drop on the
// first row moves it to the top.
template <class T>
size_t MoveRowBefore(std::vector<T>& rows, size_t from, size_t target)
{
    if (from >= rows.size() || target >= rows.size() || from == target) return from;
    T moved = std::move(rows[from]);
    rows.erase(rows.begin() + std::ptrdiff_t(from));
    size_t at = target > from ? target - 1 : target;
    rows.insert(rows.begin() + std::ptrdiff_t(at), std::move(moved));
    return at;
}
