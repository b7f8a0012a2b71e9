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

// `lastNumbers` keeps each base's last suffix so that many palettes of one name do not search from
// 2 every time.
std::string SlugSet::Unique(std::string base) {
    if (taken.insert(base).second) {
        return base;
    }
    int& number = lastNumbers[base];
    number = std::max(number, 1);
    std::string slug;
    do {
        slug = base + '-' + std::to_string(++number);
    } while (!taken.insert(slug).second);
    return slug;
}

} // namespace exchange
