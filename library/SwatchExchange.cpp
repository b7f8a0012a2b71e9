// Adobe Swatch Exchange, version 1.0, big-endian: one group a palette holding its eight RGB colors,
// read back group by group in runs of eight, from RGB, Gray, CMYK and Lab colors.
#include "library/ExchangeText.h"

#include "color/CssColorSpaces.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <optional>

namespace exchange {

namespace {

// Big-endian numbers into a buffer with room for them; each returns the end of what it wrote.
char* Put16(char* at, std::uint32_t value) {
    at[0] = static_cast<char>(value >> 8 & 0xFF);
    at[1] = static_cast<char>(value & 0xFF);
    return at + 2;
}

char* Put32(char* at, std::uint32_t value) {
    return Put16(Put16(at, value >> 16), value & 0xFFFF);
}

// The length in UTF-16 units with the terminating zero, then the units and the zero.
template <typename Text> char* PutAseName(char* at, Text name) {
    at = Put16(at, static_cast<std::uint32_t>(name.size() + 1));
    for (auto unit : name) {
        at = Put16(at, static_cast<char16_t>(unit));
    }
    return Put16(at, 0);
}

constexpr std::uint16_t kAseGroupStart = 0xC001;
constexpr std::uint16_t kAseGroupEnd = 0xC002;
constexpr std::uint16_t kAseColor = 0x0001;
constexpr std::uint16_t kAseNormalColor = 2;

std::uint32_t Big16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at]) << 8 |
                                      static_cast<unsigned char>(bytes[at + 1]));
}

std::uint32_t Big32(std::string_view bytes, std::size_t at) {
    return Big16(bytes, at) << 16 | Big16(bytes, at + 2);
}

ImportResult DamagedSwatches(std::wstring_view reason) {
    return Problem(L"The swatch file is damaged: " + std::wstring(reason) + L".");
}

// A block's name at `at`, which moves past it; the name ends at its first zero unit.
bool ReadAseName(std::string_view block, std::size_t& at, std::u16string& name) {
    if (block.size() - at < 2) {
        return false;
    }
    const std::size_t units = Big16(block, at);
    at += 2;
    if (units * 2 > block.size() - at) {
        return false;
    }
    name.clear();
    for (std::size_t i = 0; i < units && Big16(block, at + 2 * i) != 0; ++i) {
        name += static_cast<char16_t>(Big16(block, at + 2 * i));
    }
    at += units * 2;
    return true;
}

// A value from 0 to 1 as 0..255, rounded to nearest from the exact value: a float times 255 is exact
// in a double, where in a float 0.89999998 * 255 = 229.49999 would round up to 229.5, then to 230.
int UnitToByte(double value) {
    return static_cast<int>(std::floor(std::clamp(value, 0.0, 1.0) * 255.0 + 0.5));
}

// The naive formula, as a printer's profile is not at hand: each ink takes its share of the white
// the black leaves.
Color CmykToColor(const float (&ink)[4]) {
    const double white = 1.0 - std::clamp<double>(ink[3], 0.0, 1.0);
    auto channel = [white](float value) {
        return UnitToByte((1.0 - std::clamp<double>(value, 0.0, 1.0)) * white);
    };
    return MakeColor(channel(ink[0]), channel(ink[1]), channel(ink[2]));
}

struct AseModel {
    std::string_view name;
    std::size_t values;
};

constexpr AseModel kAseModels[] = {{"RGB ", 3}, {"Gray", 1}, {"CMYK", 4}, {"LAB ", 3}};

} // namespace

std::string ExportAse(std::span<const PaletteRecord> palettes) {
    char header[12] = {'A', 'S', 'E', 'F'};
    Put32(Put16(Put16(header + 4, 1), 0), static_cast<std::uint32_t>(palettes.size() * 10));
    std::string out(header, sizeof(header));
    out.reserve(out.size() + palettes.size() * 460);
    // A palette's ten blocks: a group start of at most 138 bytes, eight colors of 38 or 40, the end.
    char blocks[512];
    std::u16string repaired;
    for (const PaletteRecord& palette : palettes) {
        const std::u16string_view name = ExportName(palette, repaired);
        char* at =
            Put32(Put16(blocks, kAseGroupStart), static_cast<std::uint32_t>(2 + 2 * (name.size() + 1)));
        at = PutAseName(at, name);
        for (std::size_t c = 0; c < 8; ++c) {
            const std::string_view role = kColorRoles[c];
            at = Put32(Put16(at, kAseColor),
                       static_cast<std::uint32_t>(2 + 2 * (role.size() + 1) + 4 + 12 + 2));
            at = PutAseName(at, role);
            at = std::copy_n("RGB ", 4, at);
            const Color color = palette.colors[c];
            for (int component : {RedOf(color), GreenOf(color), BlueOf(color)}) {
                at = Put32(at, std::bit_cast<std::uint32_t>(static_cast<float>(component) / 255.0f));
            }
            at = Put16(at, kAseNormalColor);
        }
        at = Put32(Put16(at, kAseGroupEnd), 0);
        out.append(blocks, static_cast<std::size_t>(at - blocks));
    }
    return out;
}

ImportResult ImportAse(std::string_view bytes, const LogFontImage& font) {
    if (bytes.size() < 12 || !bytes.starts_with("ASEF")) {
        return Problem(L"The file is not an Adobe swatch exchange file.");
    }
    if (Big16(bytes, 4) != 1 || Big16(bytes, 6) != 0) {
        return Problem(L"The swatch file is of a version other than 1.0.");
    }
    const std::uint32_t blocks = Big32(bytes, 8);
    std::vector<PaletteRecord> palettes;
    // Ten blocks a palette in the files we write; at least 18 bytes a palette in any file.
    palettes.reserve(std::min<std::size_t>(blocks / 10, bytes.size() / 18));
    std::optional<std::u16string> group;
    std::vector<Color> colors; // since the last group start or end
    bool anyColor = false;
    std::u16string name;
    // Colors outside a group are left for the file to name.
    auto endRun = [&] {
        AppendRuns(palettes, colors, group ? std::u16string_view(*group) : u"", font);
        colors.clear();
    };
    std::size_t at = 12;
    for (std::uint32_t i = 0; i < blocks; ++i) {
        if (bytes.size() - at < 6 || Big32(bytes, at + 2) > bytes.size() - at - 6) {
            return DamagedSwatches(L"a block runs past the end of the file");
        }
        const std::uint32_t type = Big16(bytes, at);
        const std::string_view block = bytes.substr(at + 6, Big32(bytes, at + 2));
        at += 6 + block.size();
        std::size_t in = 0;
        if (type == kAseGroupStart || type == kAseGroupEnd) {
            endRun();
            group.reset();
        }
        if (type == kAseGroupStart) {
            if (!ReadAseName(block, in, name)) {
                return DamagedSwatches(L"a name runs past the end of its block");
            }
            if (!IsValidUtf16(name)) {
                return DamagedSwatches(L"a group name is not valid text");
            }
            group = name;
        }
        if (type != kAseColor) {
            continue; // group ends and blocks of other types hold nothing to read
        }
        if (!ReadAseName(block, in, name)) {
            return DamagedSwatches(L"a name runs past the end of its block");
        }
        const std::string_view modelName = block.substr(in, 4);
        const auto* model = std::find_if(std::begin(kAseModels), std::end(kAseModels),
                                         [&](const AseModel& known) { return known.name == modelName; });
        if (model == std::end(kAseModels)) {
            return DamagedSwatches(L"a color has an unknown color model");
        }
        in += 4;
        if (block.size() - in < 4 * model->values + 2) {
            return DamagedSwatches(L"a color runs past the end of its block");
        }
        float values[4] = {};
        for (std::size_t v = 0; v < model->values; ++v) {
            values[v] = std::bit_cast<float>(Big32(block, in + 4 * v));
            if (!std::isfinite(values[v])) {
                return DamagedSwatches(L"a color value is not a number");
            }
        }
        if (model->name == "RGB ") {
            colors.push_back(MakeColor(UnitToByte(values[0]), UnitToByte(values[1]), UnitToByte(values[2])));
        } else if (model->name == "Gray") {
            const int gray = UnitToByte(values[0]);
            colors.push_back(MakeColor(gray, gray, gray));
        } else if (model->name == "CMYK") {
            colors.push_back(CmykToColor(values));
        } else {
            // Lightness is kept as a fraction of 100; a and b as they are.
            colors.push_back(
                XyzToClippedColor(XyzD50ToD65(LabToXyzD50({100.0 * values[0], values[1], values[2]}))));
        }
        anyColor = true;
    }
    endRun();
    if (!anyColor) {
        return Problem(L"The file holds no colors.");
    }
    return {std::move(palettes), {}};
}

} // namespace exchange
