#include "widgets/ShadeFaces.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr int kRandMax = 32767;

// The random numbers each style draws: one for each pixel in each of its passes, after four for each
// of its strokes. FillShadePixels draws by this table and ShadeDraws counts by it.
struct StyleDraws {
    int passes;
    int strokes;
};
constexpr int kStrokeDraws = 4;

constexpr StyleDraws DrawsOf(unsigned style) {
    constexpr StyleDraws kDraws[] = {
        {1, 0},   // ShadeNoise
        {1, 0},   // ShadeDiagonal
        {1, 0},   // ShadeRows
        {1, 0},   // ShadeColumns
        {1, 0},   // ShadeRowBump
        {1, 0},   // ShadeColumnBump
        {1, 0},   // ShadeSoftBump
        {2, 0},   // ShadeRoundedBump: a value and an end
        {1, 200}, // ShadeBrushed
    };
    return kDraws[style <= ShadeBrushed ? style : ShadeNoise];
}

// A pixel keeps the low 8 bits of its value; the conversion to an unsigned type is modular.
std::uint8_t LowByte(int value) {
    return static_cast<std::uint8_t>(value);
}

int Cube(int t) {
    return t * t * t / 16384;
}

// Row and column terms multiply in 64 bits so that very tall or wide faces cannot overflow; the
// quotients themselves are small.
int Ratio(long long numerator, long long denominator) {
    return static_cast<int>(numerator / denominator);
}

// Division of a generator value (0..32767) by a divisor in 1..32767 as a multiply and a shift, since a
// division in every pixel would cost more than the generator itself. With M = ceil(2^32 / L) =
// (2^32 + e) / L, 0 <= e < L, and r = qL + s, 0 <= s < L: r M / 2^32 = q + s / L + r e / (L 2^32). As
// r e < 2^15 x 2^15 = 2^30, the last term is below 1 / L, the fractional part stays below
// (L - 1) / L + 1 / L = 1, and (r M) >> 32 is exactly q.
class RandomDivider {
public:
    explicit RandomDivider(int divisor)
        : multiplier(((std::uint64_t{1} << 32) + static_cast<std::uint64_t>(divisor) - 1) /
                     static_cast<std::uint64_t>(divisor)) {}
    int operator()(int r) const {
        return static_cast<int>((static_cast<std::uint64_t>(r) * multiplier) >> 32);
    }

private:
    std::uint64_t multiplier;
};

// The random terms of the pixels, on a copy of the generator that the caller takes back with
// Generator(). Pixel stores through byte pointers may alias anything, so a generator reached through a
// reference would go through memory between calls and lengthen the serial chain of states.
class NoiseSource {
public:
    NoiseSource(const ShadeRandom& generator, int granularity)
        : generator(generator), granularity(granularity),
          divider(kRandMax / (granularity > 0 ? 2 * granularity : 1)) {}

    int Raw() { return generator.Next(); }
    // rand() / L with L = 32767 / (k > 0 ? 2k : 1).
    int Scaled() { return divider(generator.Next()); }
    // The noise term N = rand() / L - k.
    int Term() { return Scaled() - granularity; }
    void Discard(std::uint64_t count) { generator.Discard(count); }
    const ShadeRandom& Generator() const { return generator; }

private:
    ShadeRandom generator;
    int granularity;
    RandomDivider divider;
};

// Styles whose value before the noise depends on the row only.
template <typename RowValue> void FillByRows(ShadeBitmap& face, NoiseSource& noise, RowValue rowValue) {
    const int w = face.Width(), h = face.Height();
    for (int y = 0; y < h; ++y) {
        const int value = rowValue(y);
        std::uint8_t* row = face.Row(y);
        for (int x = 0; x < w; ++x)
            row[x] = LowByte(value + noise.Term());
    }
}

// Styles whose value depends on the column only; they draw their random numbers column by column,
// x = 0 first, each column bottom to top.
template <typename ColumnValue>
void FillByColumns(ShadeBitmap& face, NoiseSource& noise, ColumnValue columnValue) {
    const int w = face.Width(), h = face.Height();
    const std::ptrdiff_t stride = face.Stride();
    std::uint8_t* bits = face.Bits();
    for (int x = 0; x < w; ++x) {
        const int value = columnValue(x);
        std::uint8_t* pixel = bits + x;
        for (int y = 0; y < h; ++y, pixel += stride)
            *pixel = LowByte(value + noise.Term());
    }
}

// ShadeDiagonal: a row term plus a column term, the column terms worked out once so that no pixel pays
// for a division.
void FillDiagonal(ShadeBitmap& face, int k, NoiseSource& noise, int* columns) {
    const int w = face.Width(), h = face.Height();
    const int a = (255 - 2 * k) / 2;
    for (int x = 0; x < w; ++x)
        columns[x] = Ratio(static_cast<long long>(a) * (w - x), w);
    for (int y = 0; y < h; ++y) {
        const int value = k + Ratio(static_cast<long long>(a) * y, h);
        std::uint8_t* row = face.Row(y);
        for (int x = 0; x < w; ++x)
            row[x] = LowByte(value + columns[x] + noise.Term());
    }
}

// ShadeSoftBump: a row bump and a column bump added, then clamped.
void FillSoftBump(ShadeBitmap& face, int k, NoiseSource& noise, int* cubeOfColumn) {
    const int w = face.Width(), h = face.Height();
    for (int x = 0; x < w; ++x)
        cubeOfColumn[x] = Cube(Ratio(255LL * (w - x), w) - 127);
    for (int y = 0; y < h; ++y) {
        const int cubeOfRow = Cube(Ratio(255LL * y, h) - 127);
        std::uint8_t* row = face.Row(y);
        for (int x = 0; x < w; ++x) {
            int value = ((cubeOfColumn[x] + cubeOfRow) * (128 - k)) / 128 + 128;
            // Above k = 127 the range k..255 - k is empty; the upper bound is applied last and wins.
            if (value < k)
                value = k;
            if (value > 255 - k)
                value = 255 - k;
            row[x] = LowByte(value + noise.Term());
        }
    }
}

// ShadeRoundedBump: a vertical bump, then ends rounded along a parabola, each pass with its own noise.
void FillRoundedBump(ShadeBitmap& face, int k, NoiseSource& noise, int* endOfColumn) {
    const int w = face.Width(), h = face.Height();
    // Each pass draws its random numbers after the earlier passes' w * h. A second source started
    // there lets one sweep do both passes, and the two serial chains of generator states overlap.
    static_assert(DrawsOf(ShadeRoundedBump).passes == 2);
    NoiseSource second = noise;
    second.Discard(static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(h));
    const int d = std::min(16, w / 6);
    // P >= w / 2 - d, so the dark end lies in the last d columns and the light end in the first d; the
    // end value depends on the column only. Narrower than 6 pixels d is 0, e is 0 and P = w / 2, so
    // neither end test can hold and no end value is needed.
    for (int x = 0; x < w && d > 0; ++x)
        endOfColumn[x] = x < w / 2 ? (255 - k) - (128 * x) / d : (128 * (w - x)) / d + k;
    // A single row makes h * h / 4 zero; r is 0 there as well, and e is taken as 0, the middle row's.
    const long long quarterSquare = static_cast<long long>(h) * h / 4;
    for (int y = 0; y < h; ++y) {
        const int bump = 128 + (Cube(Ratio(255LL * y, h) - 127) * (64 - k) * 2) / 128;
        const long long r = y - h / 2;
        const int e = quarterSquare > 0 ? Ratio(r * d * r, quarterSquare) : 0;
        const int p = e + w / 2 - d;
        std::uint8_t* row = face.Row(y);
        for (int x = 0; x < w; ++x) {
            int value = bump + noise.Term();
            const int q = x - w / 2;
            if (p < q || q + p < 0)
                value = endOfColumn[x];
            row[x] = LowByte(value + second.Term());
        }
    }
    noise = second;
}

// ShadeBrushed: diagonal strokes of dark values 0..40, then a diagonal gradient with noise 0..2k
// added on top.
void FillBrushed(ShadeBitmap& face, int k, NoiseSource& noise, int* columns) {
    const int w = face.Width(), h = face.Height();
    std::uint8_t* const bits = face.Bits();
    const std::ptrdiff_t stride = face.Stride();
    for (int y = 0; y < h; ++y)
        std::memset(face.Row(y), 0, static_cast<std::size_t>(w));
    // Strokes are placed in rows counted from the top.
    const auto put = [&](int x, int rowFromTop, int value) {
        bits[(h - 1 - rowFromTop) * stride + x] = LowByte(value);
    };
    // Past 32767 pixels 32767 / w would be 0; a divisor of at least 1 keeps every stroke in range.
    const RandomDivider toColumn(std::max(1, kRandMax / w));
    const RandomDivider toRow(std::max(1, kRandMax / h));
    const RandomDivider toLength(std::max(1, kRandMax / std::min(w, h)));
    for (int stroke = 0; stroke < DrawsOf(ShadeBrushed).strokes; ++stroke) {
        int draws[kStrokeDraws];
        for (int& draw : draws)
            draw = noise.Raw();
        const int x0 = toColumn(draws[0]);
        const int y0 = toRow(draws[1]);
        const int n = toLength(draws[2]) / 2;
        const int v = draws[3] / 819;
        // Each stroke's pixel conditions are solved for i (x0 and y0 are never negative), so the loops
        // carry no per-pixel tests, which mispredict often.
        // The two lines of a stroke can only meet at i = 0, with the same value, so their order is free.
        // Down-left from (x0, y0): 0 < x0 - i < w and y0 + i < h.
        const int firstEnd = std::min({n, x0, h - y0});
        for (int i = std::max(0, x0 - w + 1); i < firstEnd; ++i)
            put(x0 - i, y0 + i, v);
        // Up-right from (w - x0, y0): x0 + i < w (which keeps w - x0 + i >= 0), w - x0 + i < w and
        // 0 < y0 - i < h.
        const int secondEnd = std::min({n, w - x0, x0, y0});
        for (int i = std::max(0, y0 - h + 1); i < secondEnd; ++i)
            put(w - x0 + i, y0 - i, v);
    }
    const int a = (255 - 2 * k - 40) / 2;
    for (int x = 0; x < w; ++x)
        columns[x] = Ratio(static_cast<long long>(a) * (w - x), w);
    for (int y = 0; y < h; ++y) {
        const int rowTerm = Ratio(static_cast<long long>(a) * y, h);
        std::uint8_t* row = face.Row(y);
        for (int x = 0; x < w; ++x)
            row[x] = LowByte(row[x] + columns[x] + rowTerm + noise.Scaled());
    }
}

// A dot line alternates shadow (index 0) and highlight (index 255), starting with shadow.
std::uint8_t DotIndex(int n) {
    return n % 2 == 0 ? 0 : 255;
}

Color Blend128(Color from, Color to, int i) {
    const auto channel = [i](int f, int t) { return (f * (128 - i) + t * i) / 128; };
    return MakeColor(channel(RedOf(from), RedOf(to)), channel(GreenOf(from), GreenOf(to)),
                     channel(BlueOf(from), BlueOf(to)));
}

int FocusLength(long long length) {
    return static_cast<int>(std::clamp<long long>(length, 1, INT_MAX));
}

} // namespace

std::array<Color, 256> ShadePalette(const SystemColors& system) {
    std::array<Color, 256> palette{};
    for (int i = 0; i < 128; ++i)
        palette[i] = Blend128(system.shadow, system.face, i);
    // Entry 128 is one step past the face toward the highlight, not the face itself.
    for (int j = 1; j <= 128; ++j)
        palette[127 + j] = Blend128(system.face, system.highlight, j);
    return palette;
}

bool FillShadePixels(ShadeBitmap& face, unsigned style, std::uint8_t granularity, ShadeRandom& random) {
    if (face.BitCount() != 8)
        return false;
    std::unique_ptr<int[]> columns(new (std::nothrow) int[face.Width()]);
    if (!columns)
        return false;
    const int k = granularity;
    const int w = face.Width(), h = face.Height();
    NoiseSource noise(random, k);
    switch (style) {
    case ShadeDiagonal:
        FillDiagonal(face, k, noise, columns.get());
        break;
    case ShadeRows:
        FillByRows(face, noise,
                   [&](int y) { return Ratio(static_cast<long long>(y) * (255 - 2 * k), h) + k; });
        break;
    case ShadeColumns:
        FillByColumns(face, noise,
                      [&](int x) { return Ratio(static_cast<long long>(255 - 2 * k) * (w - x), w) + k; });
        break;
    case ShadeRowBump:
        FillByRows(face, noise,
                   [&](int y) { return 128 + (Cube(Ratio(255LL * y, h) - 127) * (128 - k)) / 128; });
        break;
    case ShadeColumnBump:
        FillByColumns(face, noise,
                      [&](int x) { return 128 + (Cube(Ratio(255LL * (w - x), w) - 127) * (128 - k)) / 128; });
        break;
    case ShadeSoftBump:
        FillSoftBump(face, k, noise, columns.get());
        break;
    case ShadeRoundedBump:
        FillRoundedBump(face, k, noise, columns.get());
        break;
    case ShadeBrushed:
        FillBrushed(face, k, noise, columns.get());
        break;
    default:
        FillByRows(face, noise, [](int) { return 128; });
        break;
    }
    random = noise.Generator();
    return true;
}

namespace {

// The focus lines and the normal face; the hover face is cleared.
void BuildPlainFaces(ShadeFaces& faces, const ShadeParams& params, int width, int height, int focusMargin,
                     const SystemColors& system, ShadeRandom& random) {
    for (ShadeBitmap* face : {&faces.normal, &faces.hover, &faces.focusHorizontal, &faces.focusVertical})
        face->Clear();
    if (width <= 0 || height <= 0)
        return;
    faces.focusHorizontal.Create(FocusLength(width - 2LL * focusMargin - 1), 1, 8);
    faces.focusVertical.Create(1, FocusLength(height - 2LL * focusMargin), 8);
    faces.normal.Create(width, height, 8);
    const std::array<Color, 256> palette = ShadePalette(system);
    for (ShadeBitmap* bitmap : {&faces.focusHorizontal, &faces.focusVertical, &faces.normal}) {
        // An empty bitmap has no entries.
        for (int i = 0; i < bitmap->PaletteSize(); ++i)
            bitmap->SetPaletteEntry(i, palette[i]);
    }
    faces.normal.Tint(params.color, params.coloring);

    std::uint8_t* dots = faces.focusHorizontal.Bits();
    for (int n = 0; n < faces.focusHorizontal.Width(); ++n)
        dots[n] = DotIndex(n);
    for (int n = 0; n < faces.focusVertical.Height(); ++n)
        faces.focusVertical.Row(n)[0] = DotIndex(n);

    if (!faces.normal.IsEmpty() && !FillShadePixels(faces.normal, params.style, params.granularity, random))
        faces.normal.Clear();
}

// The hover face from the normal one.
void BuildHoverFace(ShadeFaces& faces, const ShadeParams& params, const SystemColors& system) {
    faces.hover = faces.normal;
    faces.hover.Tint(system.highlight, params.highlight);
}

} // namespace

std::uint64_t ShadeDraws(unsigned style, int width, int height) {
    if (width <= 0 || height <= 0)
        return 0;
    const std::uint64_t pixels = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    const StyleDraws draws = DrawsOf(style);
    return static_cast<std::uint64_t>(draws.strokes * kStrokeDraws) +
           static_cast<std::uint64_t>(draws.passes) * pixels;
}

void DeferredShadeFaces::Describe(const ShadeParams& params, int width, int height, int focusMargin,
                                  const SystemColors& system, ShadeRandom& random) {
    recipe = Recipe{params, width, height, focusMargin, system, random};
    random.Discard(ShadeDraws(params.style, width, height));
    plainBuilt = hoverBuilt = false;
}

const ShadeFaces& DeferredShadeFaces::Plain() {
    if (!plainBuilt) {
        ShadeRandom random = recipe.random;
        BuildPlainFaces(faces, recipe.params, recipe.width, recipe.height, recipe.focusMargin, recipe.system,
                        random);
        plainBuilt = true;
    }
    return faces;
}

const ShadeBitmap& DeferredShadeFaces::Hover() {
    if (!hoverBuilt) {
        Plain();
        BuildHoverFace(faces, recipe.params, recipe.system);
        hoverBuilt = true;
    }
    return faces.hover;
}
