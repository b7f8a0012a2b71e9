// Writes huewright.html for the default palette in the built-in box font (Georgia, height -48 at
// 96 dpi = 36 points, bold and italic) into the working directory, for rendering outside Wine. With
// --dark the page also holds the palette's dark variant under AA, as when the library keeps it
// right after the palette.
#include "color/DarkVariant.h"
#include "library/TestPage.h"
#include "widgets/FontDescription.h"

#include <cwchar>
#include <fstream>
#include <string_view>

int main(int argc, char** argv) {
    const std::u16string face(kDefaultFontFace, kDefaultFontFace + std::wcslen(kDefaultFontFace));
    TestPageInputs inputs{kDefaultPalette, 36, face, true, true, {}};
    if (argc > 1 && std::string_view(argv[1]) == "--dark") {
        // Box 1 at 36 points bold, boxes 2 and 3 at 28, box 4 at 24: large text all.
        inputs.dark = MakeDarkVariant(
            kDefaultPalette, {TextSize::Heading, TextSize::Heading, TextSize::Heading, TextSize::Heading},
            ContrastTarget::AA);
    }
    std::ofstream file("huewright.html", std::ios::binary);
    file << TestPageDocument(inputs);
    return file.flush() ? 0 : 1;
}
