// Tests of the face synthesis: the generator, the palette, exact pixels of the styles, and the faces
// a button builds, down to degenerate sizes.
//
// Generator values from state 1: 41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, ... (none of the
// first 2000 is 32767). With k = 8, L = 32767 / 16 = 2047 and N = rand() / 2047 - 8 runs -8, 1, -5, 4,
// 1, -1, -3, 6 (26500 / 2047 = 12, 12 - 8 = 4). With k = 0, N = rand() / 32767 is 0 throughout.
#include "widgets/ShadeFaces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {

constexpr SystemColors kSystem{MakeColor(128, 128, 128), MakeColor(212, 208, 200), MakeColor(255, 255, 255)};

// Pixel indices in stored order: bottom row first, each row left to right.
std::vector<int> Pixels(const ShadeBitmap& face) {
    std::vector<int> pixels;
    for (int y = 0; y < face.Height(); ++y)
        pixels.insert(pixels.end(), face.Row(y), face.Row(y) + face.Width());
    return pixels;
}

// The whole block: header, palette and rows.
std::vector<std::uint8_t> Bytes(const ShadeBitmap& face) {
    const auto* block = static_cast<const std::uint8_t*>(face.Info());
    if (!block)
        return {};
    return {block,
            block + 40 + 4 * face.PaletteSize() + static_cast<std::size_t>(face.Stride()) * face.Height()};
}

// Over stale indices, so a pixel that a style leaves alone shows, and one written outside the pixels
// (palette, row padding) too.
std::vector<int> Fill(unsigned style, int k, int width, int height, ShadeRandom random = {}) {
    ShadeBitmap face;
    EXPECT_TRUE(face.Create(width, height, 8));
    std::memset(face.Bits(), 0xA5, static_cast<std::size_t>(face.Stride()) * height);
    EXPECT_TRUE(FillShadePixels(face, style, static_cast<std::uint8_t>(k), random));
    const auto* block = static_cast<const std::uint8_t*>(face.Info());
    EXPECT_TRUE(std::all_of(block + 40, block + 40 + 1024, [](std::uint8_t byte) { return byte == 0; }));
    for (int y = 0; y < height; ++y)
        EXPECT_TRUE(std::all_of(face.Row(y) + width, face.Row(y) + face.Stride(),
                                [](std::uint8_t byte) { return byte == 0xA5; }));
    return Pixels(face);
}

// The first `count` noise terms from state 1, by plain division.
std::vector<int> NoiseTerms(int k, int count) {
    ShadeRandom random;
    std::vector<int> terms;
    for (int i = 0; i < count; ++i)
        terms.push_back(random.Next() / (32767 / (k > 0 ? 2 * k : 1)) - k);
    return terms;
}

TEST(ShadeRandomTest, SequenceFromStateOneAndDiscard) {
    ShadeRandom random;
    for (int expected : {41, 18467, 6334, 26500, 19169})
        EXPECT_EQ(random.Next(), expected);
    for (std::uint64_t count : {0ull, 1ull, 7ull, 41800ull}) {
        ShadeRandom walked = random, jumped = random;
        for (std::uint64_t i = 0; i < count; ++i)
            walked.Next();
        jumped.Discard(count);
        EXPECT_EQ(jumped.State(), walked.State()) << count;
    }
}

TEST(ShadePaletteTest, RunsFromShadowThroughFaceToHighlight) {
    const SystemColors system{MakeColor(0, 100, 255), MakeColor(128, 200, 0), MakeColor(255, 0, 129)};
    const auto palette = ShadePalette(system);
    EXPECT_EQ(palette[0], system.shadow);
    EXPECT_EQ(palette[64], MakeColor(64, 150, 127)); // (s * 64 + f * 64) / 128
    EXPECT_EQ(palette[128], MakeColor(128, 198, 1)); // rewritten as (f * 127 + h) / 128
    EXPECT_EQ(palette[255], system.highlight);
}

TEST(ShadeStyleTest, NoiseIsRandDividedByLMinusKForEveryK) {
    // The noise divides by a multiply and a shift; plain division must agree for every k's L.
    for (int k : {0, 1, 2, 3, 7, 64, 127, 128, 254, 255}) {
        const std::vector<int> pixels = Fill(ShadeNoise, k, 64, 64), terms = NoiseTerms(k, 64 * 64);
        for (std::size_t i = 0; i < pixels.size(); ++i)
            ASSERT_EQ(pixels[i], (128 + terms[i]) & 0xFF) << "k " << k << ", pixel " << i;
    }
}

TEST(ShadeStyleTest, ExactPixelsAtFourByTwo) {
    // w = 4, h = 2, k = 8, one N per pixel in stored order (styles 3 and 5 column by column, so (x, y)
    // takes N number 2x + y); the values before the noise:
    // 1: a = 239 / 2 = 119; k + 119 (4 - x) / 4 = 127, 97, 67, 37, plus 119 y / 2 = 0, 59.
    // 2: 239 y / 2 + 8 = 8, 127.  3: 239 (4 - x) / 4 + 8 = 247, 187, 127, 67.
    // 4: t = 255 y / 2 - 127 = -127, 0; Cube(-127) = -2048383 / 16384 = -125; 128 - 125 * 120 / 128 = 11.
    // 5: t = 255 (4 - x) / 4 - 127 = 128, 64, 0, -64, Cube 128, 16, 0, -16: 248, 143, 128, 113.
    // 6: (Cube(tx) + Cube(ty)) * 120 / 128 + 128 in 8..247: bottom 130, 26, 11, 8 (-4 raised), top 247.
    // 7: d = 4 / 6 = 0, no ends; 128 + (-125 * 56 * 2) / 128 = 19, then 128; a second N per pixel.
    const std::pair<unsigned, std::vector<int>> cases[] = {
        {ShadeNoise, {120, 129, 123, 132, 129, 127, 125, 134}},
        {ShadeDiagonal, {119, 98, 62, 41, 187, 155, 123, 102}},
        {ShadeRows, {0, 9, 3, 12, 128, 126, 124, 133}},
        {ShadeColumns, {239, 182, 128, 64, 248, 191, 126, 73}},
        {ShadeRowBump, {3, 12, 6, 15, 129, 127, 125, 134}},
        {ShadeColumnBump, {240, 138, 129, 110, 249, 147, 127, 119}},
        {ShadeSoftBump, {122, 27, 6, 12, 248, 142, 125, 119}},
        {ShadeRoundedBump, {16, 23, 8, 28, 132, 127, 121, 126}},
    };
    for (const auto& [style, pixels] : cases)
        EXPECT_EQ(Fill(style, 8, 4, 2), pixels) << style;
    // Styles past ShadeBrushed draw noise.
    for (unsigned style : {9u, 1000u, 0xFFFFFFFFu})
        EXPECT_EQ(Fill(style, 8, 4, 2), cases[0].second) << style;
}

TEST(ShadeStyleTest, RoundedBumpEnds) {
    // w = 18, h = 5, k = 8: d = 3, h * h / 4 = 6, q = x - 9. Pass 1: t = 255 y / 5 - 127 = -127, -76,
    // -25, 26, 77, Cube = -125, -26, 0, 1, 27; 128 + Cube * 56 * 2 / 128 = 19, 106, 128, 128, 151.
    // r = y - 2, e = 3 r r / 6 = 2, 0, 0, 0, 2, P = e + 6 = 8, 6, 6, 6, 8. Dark end where x > P + 9:
    // x = 16, 17 in the middle rows, 128 (18 - x) / 3 + 8 = 93, 50. Light end where x < 9 - P: x = 0,
    // and x = 1, 2 in the middle rows, 247 - 128 x / 3 = 247, 205, 162. Pass 2 adds N number 90 + i.
    // An end pixel drops its pass 1 value together with its noise.
    const int bump[5] = {19, 106, 128, 128, 151}, light[3] = {247, 205, 162};
    const std::vector<int> terms = NoiseTerms(8, 180), pixels = Fill(ShadeRoundedBump, 8, 18, 5);
    for (int y = 0; y < 5; ++y) {
        const bool middle = y >= 1 && y <= 3;
        for (int x = 0; x < 18; ++x) {
            const int i = 18 * y + x;
            int value = bump[y] + terms[i];
            if (x < (middle ? 3 : 1))
                value = light[x];
            if (middle && x >= 16)
                value = x == 16 ? 93 : 50;
            ASSERT_EQ(pixels[i], (value + terms[90 + i]) & 0xFF) << x << ", " << y;
        }
    }
}

// ShadeBrushed as it reads: every stroke pixel tested on its own, every division written out.
std::vector<int> LiteralBrushed(int k, int w, int h) {
    ShadeRandom random;
    std::vector<int> top(static_cast<std::size_t>(w) * h, 0); // rows from the top
    for (int stroke = 0; stroke < 200; ++stroke) {
        const int x0 = random.Next() / std::max(1, 32767 / w), y0 = random.Next() / std::max(1, 32767 / h);
        const int n = (random.Next() / std::max(1, 32767 / std::min(w, h))) / 2, v = random.Next() / 819;
        for (int i = 0; i < n; ++i) {
            if (x0 - i > 0 && x0 - i < w && y0 + i >= 0 && y0 + i < h)
                top[(y0 + i) * w + x0 - i] = v;
            if (x0 + i < w && y0 - i > 0 && w - x0 + i >= 0 && w - x0 + i < w && y0 - i < h)
                top[(y0 - i) * w + w - x0 + i] = v;
        }
    }
    const int a = (255 - 2 * k - 40) / 2, divisor = 32767 / (k > 0 ? 2 * k : 1);
    std::vector<int> pixels;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pixels.push_back(
                (top[(h - 1 - y) * w + x] + a * (w - x) / w + a * y / h + random.Next() / divisor) & 0xFF);
    return pixels;
}

TEST(ShadeStyleTest, BrushedMatchesItsLiteralForm) {
    // x0 can reach past the right edge (32767 / (32767 / 113) = 113), and y0 past the bottom
    // (32767 / (32767 / 23) = 23); from state 1 a long stroke does so at 113 x 20 and at 20 x 23.
    const int cases[][3] = {{0, 40, 17}, {8, 104, 24}, {200, 7, 5}, {8, 3, 1}, {20, 113, 20}, {8, 20, 23}};
    for (const auto& [k, w, h] : cases)
        EXPECT_EQ(Fill(ShadeBrushed, k, w, h), LiteralBrushed(k, w, h))
            << "k " << k << ", " << w << " x " << h;
}

TEST(ShadeStyleTest, GeneratorMovesOnAsShadeDrawsCounts) {
    // Once per pixel, twice for ShadeRoundedBump (a value per pass), and four times per stroke besides
    // for ShadeBrushed.
    EXPECT_EQ(ShadeDraws(ShadeNoise, 13, 7), 91u);
    EXPECT_EQ(ShadeDraws(ShadeRoundedBump, 13, 7), 2 * 91u);
    EXPECT_EQ(ShadeDraws(ShadeBrushed, 13, 7), 91u + 800);
    EXPECT_EQ(ShadeDraws(ShadeBrushed, 0, 7), 0u);
    for (unsigned style = 0; style <= 9; ++style) {
        for (const auto& [w, h] : {std::pair{13, 7}, std::pair{1, 1}, std::pair{6, 1}}) {
            ShadeRandom random, expected;
            ShadeBitmap face;
            ASSERT_TRUE(face.Create(w, h, 8));
            ASSERT_TRUE(FillShadePixels(face, style, 8, random));
            expected.Discard(ShadeDraws(style, w, h));
            EXPECT_EQ(random.State(), expected.State()) << style << ", " << w << " x " << h;
        }
    }
}

// The faces a button builds, at once.
struct BuiltFaces {
    ShadeFaces plain;
    ShadeBitmap hover;
};

BuiltFaces Build(const ShadeParams& params, int width, int height, int focusMargin, ShadeRandom& random) {
    DeferredShadeFaces faces;
    faces.Describe(params, width, height, focusMargin, kSystem, random);
    BuiltFaces built;
    built.hover = faces.Hover();
    built.plain = faces.Plain();
    return built;
}

TEST(ShadeFacesTest, FullColoringGivesAFlatFaceInEveryStyle) {
    const Color color = MakeColor(12, 200, 99);
    for (unsigned style : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 77u}) {
        for (std::uint8_t coloring : {100, 255}) {
            ShadeRandom random;
            const ShadeBitmap normal =
                Build({style, 200, 0, coloring, color}, 30, 12, 2, random).plain.normal;
            for (int pixel : Pixels(normal))
                ASSERT_EQ(normal.PaletteEntry(pixel), color) << style << ", " << int(coloring);
        }
    }
}

TEST(ShadeFacesTest, HoverTint) {
    for (std::uint8_t highlight : {0, 100, 180}) {
        ShadeRandom random;
        const BuiltFaces faces =
            Build({ShadeDiagonal, 8, highlight, 10, MakeColor(223, 226, 255)}, 20, 10, 2, random);
        EXPECT_EQ(Pixels(faces.hover), Pixels(faces.plain.normal));
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(faces.hover.PaletteEntry(i),
                      highlight == 0 ? faces.plain.normal.PaletteEntry(i) : kSystem.highlight);
    }
}

TEST(ShadeFacesTest, NoiseWithoutGranularityIsAlmostUniformFace) {
    ShadeRandom random;
    const ShadeBitmap normal = Build({ShadeNoise, 0, 0, 0, 0}, 50, 20, 2, random).plain.normal;
    EXPECT_EQ(Pixels(normal), std::vector<int>(50 * 20, 128)); // rand() never 32767 here
    EXPECT_EQ(normal.PaletteEntry(128), MakeColor(212, 208, 200));
}

TEST(ShadeFacesTest, SizesFocusLinesAndDegenerateFaces) {
    // Focus lines max(1, w - 2m - 1) x 1 and 1 x max(1, h - 2m), dots from shadow, never tinted. Below
    // 6 columns ShadeRoundedBump has no ends, below 2 rows a flat parabola; ShadeBrushed divides by
    // 32767 / w, 0 past 32767 pixels. A width or height of 0 or less empties every face. Run under the
    // sanitizers.
    const int cases[][5] = {{20, 10, 2, 15, 6}, {20, 10, 0, 19, 10},     {4, 4, -1, 5, 6},
                            {1, 1, 2, 1, 1},    {2, 1, 2, 1, 1},         {5, 3, 2, 1, 1},
                            {6, 1, 0, 5, 1},    {40000, 1, 2, 39995, 1}, {1, 40000, 2, 1, 39996},
                            {0, 10, 2, 0, 0},   {10, -5, 2, 0, 0}};
    for (const auto& [w, h, m, lineWidth, lineHeight] : cases) {
        for (unsigned style = 0; style <= 9; ++style) {
            SCOPED_TRACE(testing::Message() << w << " x " << h << ", m " << m << ", style " << style);
            ShadeRandom random;
            DeferredShadeFaces deferred;
            deferred.Describe({style, 8, 30, 100, 0}, 7, 7, 2, kSystem, random); // stale faces
            deferred.Hover();
            deferred.Describe({style, 255, 30, 100, 0}, w, h, m, kSystem, random);
            const ShadeBitmap& hover = deferred.Hover();
            const ShadeFaces& faces = deferred.Plain();
            for (const ShadeBitmap* face : {&faces.normal, &hover}) {
                ASSERT_EQ(face->Width(), lineWidth == 0 ? 0 : w);
                ASSERT_EQ(face->Height(), lineWidth == 0 ? 0 : h);
            }
            ASSERT_EQ(faces.focusHorizontal.Width() * faces.focusHorizontal.Height(), lineWidth);
            ASSERT_EQ(faces.focusVertical.Width() * faces.focusVertical.Height(), lineHeight);
            for (int n = 0; n < std::min(lineWidth, 4); ++n)
                EXPECT_EQ(faces.focusHorizontal.Row(0)[n], n % 2 == 0 ? 0 : 255);
            for (int n = 0; n < std::min(lineHeight, 4); ++n)
                EXPECT_EQ(faces.focusVertical.Row(n)[0], n % 2 == 0 ? 0 : 255);
            if (lineWidth > 0) {
                EXPECT_EQ(faces.focusVertical.PaletteEntry(255), kSystem.highlight);
            }
        }
    }
}

TEST(ShadeFacesTest, DeferredFacesAreTheFacesBuiltInOrder) {
    // Three buttons shaded in turn (one of no width), then the first again, all before any is drawn;
    // drawn last to first, the middle one hovered before its first plain paint.
    struct Shading {
        int button;
        ShadeParams params;
        int width, height;
    };
    for (unsigned style = 0; style <= 9; ++style) {
        SCOPED_TRACE(style);
        const Shading shadings[] = {{0, {style, 8, 70, 10, MakeColor(223, 226, 255)}, 31, 12},
                                    {1, {style, 0, 0, 100, MakeColor(9, 80, 200)}, 0, 12},
                                    {2, {style, 3, 30, 40, 0}, 17, 9},
                                    {0, {style, 8, 0, 100, MakeColor(1, 2, 3)}, 31, 12}};
        ShadeRandom eager, deferred;
        BuiltFaces built[3];
        DeferredShadeFaces buttons[3];
        for (const auto& [button, params, width, height] : shadings) {
            built[button] = Build(params, width, height, 2, eager);
            buttons[button].Describe(params, width, height, 2, kSystem, deferred);
        }
        EXPECT_EQ(deferred.State(), eager.State());
        for (int button = 2; button >= 0; --button) {
            const std::vector<std::uint8_t> hover = Bytes(buttons[button].Hover());
            const ShadeFaces& plain = buttons[button].Plain();
            EXPECT_EQ(Bytes(plain.normal), Bytes(built[button].plain.normal)) << button;
            EXPECT_EQ(hover, Bytes(built[button].hover)) << button;
            EXPECT_EQ(Bytes(plain.focusHorizontal), Bytes(built[button].plain.focusHorizontal)) << button;
            EXPECT_EQ(Bytes(plain.focusVertical), Bytes(built[button].plain.focusVertical)) << button;
        }
    }
}

} // namespace
