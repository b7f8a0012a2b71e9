// Writes huewright.html for the default palette in the built-in box font (Georgia, height -48 at
// 96 dpi = 36 points, bold and italic) into the working directory, for rendering outside Wine.
#include "library/TestPage.h"
#include "widgets/FontDescription.h"

#include <cwchar>
#include <fstream>

int main() {
    const std::u16string face(kDefaultFontFace, kDefaultFontFace + std::wcslen(kDefaultFontFace));
    std::ofstream file("huewright.html", std::ios::binary);
    file << TestPageDocument({kDefaultPalette, 36, face, true, true});
    return file.flush() ? 0 : 1;
}
