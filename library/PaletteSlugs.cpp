#include "library/PaletteSlugs.h"

#include <algorithm>

namespace exchange {

// The name lower-cased, each run of other characters than ASCII letters and digits one "-".
std::string Slug(std::u16string_view name) {
    std::string slug;
    bool gap = false;
    for (char16_t unit : name) {
        if (unit >= u'A' && unit <= u'Z') {
            unit = static_cast<char16_t>(unit - u'A' + u'a');
        }
        if ((unit >= u'a' && unit <= u'z') || (unit >= u'0' && unit <= u'9')) {
            if (gap && !slug.empty()) {
                slug += '-';
            }
            slug += static_cast<char>(unit);
            gap = false;
        } else {
            gap = true;
        }
    }
    return slug.empty() ? "palette" : slug;
}

SlugSet::SlugSet(std::size_t count) {
    slugs.reserve(count);
    std::size_t size = 16;
    while (size < 2 * count) {
        size *= 2;
    }
    slots.assign(size, 0);
}

bool SlugSet::Take(const std::string& slug) {
    if (2 * (slugs.size() + 1) > slots.size()) {
        Grow();
    }
    const std::uint64_t hash = std::hash<std::string_view>()(slug);
    const std::uint64_t upper = hash & 0xFFFFFFFF00000000u;
    const std::size_t mask = slots.size() - 1;
    std::size_t at = hash & mask;
    for (; slots[at] != 0; at = (at + 1) & mask) {
        if ((slots[at] & 0xFFFFFFFF00000000u) == upper && slugs[(slots[at] & 0xFFFFFFFFu) - 1] == slug) {
            return false;
        }
    }
    slugs.push_back(slug);
    slots[at] = upper | slugs.size();
    return true;
}

void SlugSet::Grow() {
    std::vector<std::uint64_t> grown(slots.size() * 2, 0);
    const std::size_t mask = grown.size() - 1;
    for (std::size_t i = 0; i < slugs.size(); ++i) {
        const std::uint64_t hash = std::hash<std::string_view>()(slugs[i]);
        std::size_t at = hash & mask;
        while (grown[at] != 0) {
            at = (at + 1) & mask;
        }
        grown[at] = (hash & 0xFFFFFFFF00000000u) | (i + 1);
    }
    slots = std::move(grown);
}

// `lastNumbers` keeps each base's last suffix so that many palettes of one name do not search from
// 2 every time.
std::string SlugSet::Unique(std::string base) {
    if (Take(base)) {
        return base;
    }
    int& number = lastNumbers[base];
    number = std::max(number, 1);
    std::string slug;
    do {
        slug = base + '-' + std::to_string(++number);
    } while (!Take(slug));
    return slug;
}

} // namespace exchange
