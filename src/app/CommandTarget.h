#pragma once
// Something that commands can be routed to. A command goes to the first of
// view, document, frame and application whose OnCommand takes it.

class CCommandTarget {
public:
    virtual ~CCommandTarget() = default;
    // Runs the handler of `id` and returns true, or returns false when this
    // target has no handler for it.
    virtual bool OnCommand(int id) = 0;
};
