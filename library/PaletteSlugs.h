// The names of palettes in the formats whose names are identifiers (CSS properties, token groups,
// Tailwind theme variables): each palette's name as a slug, repeats numbered.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace exchange {

// The name lower-cased, each run of other characters than ASCII letters and digits one "-";
// "palette" when nothing is left.
std::string Slug(std::u16string_view name);

// Gives each slug once: a repeat takes the first free "-2", "-3", ...
class SlugSet {
public:
    // Room for `count` slugs, so that a large library is not rehashed as it goes.
    explicit SlugSet(std::size_t count);
    std::string Unique(std::string base);

private:
    // False when the slug is taken already.
    bool Take(const std::string& slug);
    void Grow();

    // An open-addressed table, at most half full, over the slugs in the order they were taken: a
    // large library's slugs are looked up in one array rather than in a node each. A slot holds the
    // upper half of the slug's hash and its place in `slugs` plus one, so that most slots that hold
    // another slug are passed over without reading it; 0 is a free slot.
    std::vector<std::string> slugs;
    std::vector<std::uint64_t> slots;
    std::unordered_map<std::string, int> lastNumbers;
};

} // namespace exchange
