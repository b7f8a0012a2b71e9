#include "widgets/ShadeRandom.h"

// n steps of x -> a x + c form one affine map; squaring the step map (a^2, (a + 1) c) and composing
// the powers picked by the bits of n builds it without walking the sequence.
void ShadeRandom::Discard(std::uint64_t count) {
    std::uint32_t multiplier = 214013u, increment = 2531011u;
    std::uint32_t jumpMultiplier = 1u, jumpIncrement = 0u;
    for (; count != 0; count >>= 1) {
        if (count & 1) {
            jumpMultiplier *= multiplier;
            jumpIncrement = jumpIncrement * multiplier + increment;
        }
        increment *= multiplier + 1u;
        multiplier *= multiplier;
    }
    state = state * jumpMultiplier + jumpIncrement;
}

ShadeRandom& ProcessShadeRandom() {
    static ShadeRandom generator;
    return generator;
}
