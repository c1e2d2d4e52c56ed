#include "core/shell/MergePlan.h"

std::vector<TMergeStep> PlanMerge(size_t children, size_t items,
                                  const std::function<TChildOrder(size_t child, size_t item)>& order)
{
    std::vector<TMergeStep> steps;
    size_t child = 0, item = 0;
    while (item < items) {
        if (child >= children) {
            steps.push_back({TMergeStep::Append, 0, item++});
            continue;
        }
        switch (order(child, item)) {
        case TChildOrder::Equal:
            steps.push_back({TMergeStep::Keep, child++, item++});
            break;
        case TChildOrder::After:
            steps.push_back({TMergeStep::InsertBefore, child, item++});
            break;
        default:
            steps.push_back({TMergeStep::Remove, child++, 0});
            break;
        }
    }
    while (child < children) steps.push_back({TMergeStep::Remove, child++, 0});
    return steps;
}
