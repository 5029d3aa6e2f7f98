#pragma once
// Something that commands can be routed to. A command goes to the first of
// view, document, frame and application whose OnCommand takes it.

#include <cstddef>

class CCommandTarget {
public:
    virtual ~CCommandTarget() = default;
    // Runs the handler of `id` and returns true, or returns false when this
    // target has no handler for it.
    virtual bool OnCommand(int id) = 0;
};

// One row of a target's message map: a command and the member that serves it.
template <class Target>
struct CommandMapEntry {
    int id;
    void (Target::*handler)();
};

// Runs the handler that `map` gives for `id` on `target`; false when the map
// has no row for it.
template <class Target, std::size_t N>
bool RouteCommand(Target* target, const CommandMapEntry<Target> (&map)[N], int id) {
    for (const CommandMapEntry<Target>& entry : map) {
        if (entry.id == id) {
            (target->*entry.handler)();
            return true;
        }
    }
    return false;
}
