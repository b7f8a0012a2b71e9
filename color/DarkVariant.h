// The dark variant of a palette: backgrounds mirrored by contrast, so a background with contrast c
// against black gets about c against white, and each text color made to pass on its new background.
#pragma once

#include "color/ContrastFixes.h"
#include "library/PaletteColors.h"

#include <array>

// The color of the same OKLCH hue and chroma (less where sRGB has no room for it) whose contrast
// against white is the original's against black. Doing it twice comes back to the original.
Color MirrorByContrast(Color background);

// Box 4 sits inside box 3: in the variant the two stay at least as far apart (CIEDE2000) as in the
// original, and when the variant is dark the inner surface is the lighter one. Every box's text
// passes the target for its size; a background on which no text of any color could pass moves to
// the nearest lightness where one does.
PaletteColors MakeDarkVariant(const PaletteColors& original, const std::array<TextSize, 4>& sizes,
                              ContrastTarget target);
