// The random numbers of the shaded button textures: one generator for the whole program, so the same
// sequence of shadings draws the same textures in every run.
#pragma once

#include <cstdint>

// The generator of the face textures: state = state * 214013 + 2531011 (mod 2^32), returns
// (state >> 16) & 0x7FFF.
class ShadeRandom {
public:
    int Next() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
    std::uint32_t State() const { return state; }
    // Leaves the state where `count` calls of Next would, in about log2(count) steps.
    void Discard(std::uint64_t count);

private:
    std::uint32_t state = 1;
};

// The program's one generator: state 1 at start, never reseeded, used by nothing else.
ShadeRandom& ProcessShadeRandom();
