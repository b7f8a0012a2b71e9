// A fuzz target's invariant: a violation stops the run as a crash, with the input kept.
#pragma once

inline void Require(bool holds) {
    if (!holds) {
        __builtin_trap();
    }
}
