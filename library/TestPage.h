// The HTML test page of a palette: the document's exact bytes, ready to be written to huewright.html
// (ISO-8859-1, CR LF line ends, no final line break).
#pragma once

#include "library/PaletteColors.h"

#include <optional>
#include <string>
#include <string_view>

struct TestPageInputs {
    PaletteColors colors;
    int pointSize = 0;
    std::u16string faceName;
    bool bold = false;
    bool italic = false;
    // The palette's dark variant: the page then shows it where the browser prefers a dark scheme.
    std::optional<PaletteColors> dark;
};

// The face name as an unquoted CSS family name in ISO-8859-1 bytes.
std::string CssFaceName(std::u16string_view faceName);

std::string TestPageDocument(const TestPageInputs& inputs);
