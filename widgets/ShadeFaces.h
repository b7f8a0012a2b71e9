// The faces of the shaded button, computed without a window: a palettized texture or gradient in one
// of nine styles tinted toward a color, its hover copy and the focus dot lines.
#pragma once

#include "color/ColorMath.h"
#include "widgets/ShadeBitmap.h"
#include "widgets/ShadeRandom.h"

#include <array>
#include <cstdint>

struct SystemColors {
    Color shadow;    // COLOR_BTNSHADOW
    Color face;      // COLOR_BTNFACE
    Color highlight; // COLOR_BTNHIGHLIGHT
};

struct ShadeParams {
    unsigned style;
    std::uint8_t granularity;
    std::uint8_t highlight; // percent
    std::uint8_t coloring;  // percent
    Color color;
};

// Any style above ShadeBrushed draws as ShadeNoise.
enum ShadeStyle : unsigned {
    ShadeNoise = 0,
    ShadeDiagonal,
    ShadeRows,
    ShadeColumns,
    ShadeRowBump,
    ShadeColumnBump,
    ShadeSoftBump,
    ShadeRoundedBump,
    ShadeBrushed
};

// The disabled face is the normal one and the pressed face the hover one, so neither is kept.
struct ShadeFaces {
    ShadeBitmap normal, hover, focusHorizontal, focusVertical;
};

// How many random numbers the faces of a width x height button in the style draw.
std::uint64_t ShadeDraws(unsigned style, int width, int height);

// A button's faces, described when its shading is set and built when first drawn. Describing takes
// the generator's position for these faces and moves it past every number they draw, so building
// them later, or never, leaves every other face as it would have been.
//
// For a button of width x height (its outer size) and focus margin m: focus lines of
// max(1, w - 2m - 1) x 1 and 1 x max(1, h - 2m), the normal 8-bit face of w x h with the 256-entry
// palette from the system colors tinted toward the color by coloring percent and the pixels of the
// style, and the hover copy tinted toward the highlight color by highlight percent. A face that cannot
// be allocated stays empty and no pixels are written; a width or height of 0 or less leaves every
// face empty.
class DeferredShadeFaces {
public:
    void Describe(const ShadeParams& params, int width, int height, int focusMargin,
                  const SystemColors& system, ShadeRandom& random);
    // The normal face and the focus lines.
    const ShadeFaces& Plain();
    const ShadeBitmap& Hover();

private:
    struct Recipe {
        ShadeParams params;
        int width;
        int height;
        int focusMargin;
        SystemColors system;
        ShadeRandom random;
    };

    ShadeFaces faces;
    Recipe recipe{};
    bool plainBuilt = true;
    bool hoverBuilt = true;
};

// The palette of every face before its tint: entries 0..128 run from the shadow to the face color,
// 128..255 from the face to the highlight color.
std::array<Color, 256> ShadePalette(const SystemColors& system);

// Writes every pixel index of an 8-bit bitmap in the style with granularity k. False, writing nothing
// and drawing no random numbers, when the bitmap is not 8-bit or scratch memory cannot be allocated.
bool FillShadePixels(ShadeBitmap& face, unsigned style, std::uint8_t granularity, ShadeRandom& random);
