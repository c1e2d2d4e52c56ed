#pragma once
// How a sorted fresh enumeration is merged into the sorted children a
// control shows already, keeping the children that still exist (with their
// expanded state and caches) and inserting only what is new.
#include <cstddef>
#include <functional>
#include <vector>

// The order of a shown child against a fresh item, as the shell's
// comparison tells it.
enum class TChildOrder { Equal, After, Before, Failed };

struct TMergeStep {
    enum TKind { Keep, InsertBefore, Append, Remove };
    TKind Kind;
    size_t Child;  // the shown child (Keep, InsertBefore, Remove); unused for Append
    size_t Item;   // the fresh item (Keep, InsertBefore, Append); unused for Remove
};

// Children that compare before an item, or that cannot be compared, are
// gone; children left over at the end are gone too.
std::vector<TMergeStep> PlanMerge(size_t children, size_t items,
                                  const std::function<TChildOrder(size_t child, size_t item)>& order);
