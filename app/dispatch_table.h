// Element ranges and what they do: the dispatch tables are written as data and looked up.
#pragma once

namespace zrv {

template <class Action>
struct RangeAction {
    int first;  // inclusive
    int last;   // inclusive
    Action action;
};

// The action of the first range holding entry; null when none does.
template <class Action, size_t N>
const Action* Lookup(const RangeAction<Action> (&table)[N], int entry) {
    for (const RangeAction<Action>& rule : table)
        if (entry >= rule.first && entry <= rule.last) return &rule.action;
    return nullptr;
}

}  // namespace zrv
