#pragma once

// What the program asks of the runtime that runs its window.
class Runtime {
public:
    virtual ~Runtime() = default;

    // Ends the program at once: no further handler runs.
    virtual void End() = 0;
};
