// The names of palettes in the formats whose names are identifiers (CSS properties, token groups,
// Tailwind theme variables): each palette's name as a slug, repeats numbered.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace exchange {

// The name lower-cased, each run of other characters than ASCII letters and digits one "-";
// "palette" when nothing is left.
std::string Slug(std::u16string_view name);

// Gives each slug once: a repeat takes the first free "-2", "-3", ...
class SlugSet {
public:
    // Room for `count` slugs, so that a large library is not rehashed as it goes.
    explicit SlugSet(std::size_t count) { taken.reserve(count); }
    std::string Unique(std::string base);

private:
    std::unordered_set<std::string> taken;
    std::unordered_map<std::string, int> lastNumbers;
};

} // namespace exchange
