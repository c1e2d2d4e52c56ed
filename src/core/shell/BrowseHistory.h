#pragma once
// The folder tree's back and forward lists: the nodes selected before (at
// most nine, the newest last) and those stepped back from. A template over
// the node handle, so the rules are tested without a tree.
#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

template <class Node>
class TBrowseHistory {
public:
    static constexpr std::size_t kMaxBackEntries = 9;

    const std::vector<Node>& BackList() const { return Back; }
    const std::vector<Node>& ForwardList() const { return Forward; }

    // The user went somewhere new from `left`: it becomes the newest back
    // entry (unless it already is), and the forward list is dropped.
    void Visit(Node left)
    {
        if (Back.empty() || Back.back() != left) {
            Back.push_back(left);
            if (Back.size() > kMaxBackEntries) Back.erase(Back.begin(), Back.end() - kMaxBackEntries);
        }
        Forward.clear();
    }

    // A step back from `current` (absent: nothing is selected) to the back
    // entry `index` (-1: the newest). The entries newer than the chosen one
    // move to the forward list, newest first, after `current`. Returns the
    // node to select, or nothing when there is no such entry.
    std::optional<Node> StepBack(std::optional<Node> current, int index) { return Step(Back, Forward, current, index); }
    // The mirror image of StepBack.
    std::optional<Node> StepForward(std::optional<Node> current, int index)
    {
        return Step(Forward, Back, current, index);
    }

    // A node that no longer exists leaves both lists.
    void Forget(Node node)
    {
        std::erase(Back, node);
        std::erase(Forward, node);
    }

    void Clear()
    {
        Back.clear();
        Forward.clear();
    }

private:
    static std::optional<Node> Step(std::vector<Node>& from, std::vector<Node>& to, std::optional<Node> current,
                                    int index)
    {
        if (from.empty() || (index >= 0 && std::size_t(index) >= from.size())) return std::nullopt;
        if (current && (to.empty() || to.back() != *current)) to.push_back(*current);
        if (index >= 0)
            while (from.size() > std::size_t(index) + 1) {
                to.push_back(from.back());
                from.pop_back();
            }
        Node target = from.back();
        from.pop_back();
        return target;
    }

    std::vector<Node> Back, Forward;
};
