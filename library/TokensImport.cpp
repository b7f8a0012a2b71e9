// Palettes from design tokens of any tool (the DTCG format 2025.10 and its older drafts), for the
// files that do not have our export's layout: the whole document is read into a tree first, because
// an alias may name a token anywhere in it, and then walked in document order for its color tokens.
#include "color/TokenColorSpaces.h"
#include "library/JsonReader.h"
#include "library/TokenLayout.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <deque>

namespace exchange {

namespace {

// One JSON value; members and items are chained in document order. Node 0 stands for "none", so that
// a member looked up in a missing object is missing too; the document is node 1.
struct Node {
    std::string_view key;  // the member's name; empty for the top and for items
    std::string_view text; // a string's value, a number's text, or "true", "false" or "null"
    std::uint32_t parent = 0;
    std::uint32_t firstChild = 0;
    std::uint32_t next = 0;
    char kind = 0; // '{', '[', '"', '0' for a number, 'l' for true, false and null
};

class TokenReader {
public:
    TokenReader(std::string_view text, const LogFontImage& defaultFont)
        : source(WithoutBom(text)), reader(source), defaultFont(defaultFont) {}

    ImportResult Read();

private:
    bool Parse(std::uint32_t parent, std::string_view key);
    std::string_view Stable(std::string_view text);

    std::uint32_t Child(std::uint32_t node, std::string_view key) const;
    bool IsToken(std::uint32_t node) const { return nodes[node].kind == '{' && Child(node, "$value") != 0; }
    std::string_view StringOf(std::uint32_t node) const {
        return node != 0 && nodes[node].kind == '"' ? nodes[node].text : std::string_view();
    }
    std::string Path(std::uint32_t node) const;
    bool Fault(std::uint32_t node, std::string_view what);

    static std::string_view AliasIn(std::string_view value);
    bool Resolve(std::uint32_t token, std::uint32_t& resolved);
    std::uint32_t Named(std::string_view path) const;
    bool IsColor(std::uint32_t token, std::string_view inherited);
    bool ColorOf(std::uint32_t token, Color& color);
    bool ReadColorValue(std::uint32_t value, Color& color);
    bool CollectColors(std::uint32_t group, std::string_view inherited, std::vector<Color>& colors);
    bool ReadGroup(std::uint32_t group, std::string_view inherited);
    LogFontImage FontOf(std::uint32_t group);

    static constexpr std::uint32_t kTop = 1;

    std::string_view source;
    JsonReader reader;
    const LogFontImage& defaultFont;
    std::vector<Node> nodes;
    std::deque<std::string> decoded; // strings with escapes, which the text does not hold as they read
    std::vector<PaletteRecord> palettes;
    std::vector<std::uint32_t> chain; // the aliases being followed, to refuse a cycle
    std::wstring problem;
    std::u16string wide;
};

ImportResult TokenReader::Read() {
    nodes.reserve(reader.Size() / 24);
    nodes.resize(2);
    if (!Parse(kTop, {}) || !reader.AtEnd()) {
        return Problem(L"The JSON text is damaged near byte " + std::to_wstring(reader.FaultAt() + 1) + L".");
    }
    if (nodes[kTop].kind != '{') {
        return Problem(L"The file holds no design tokens: it is not a JSON object.");
    }
    const std::string_view rootType = StringOf(Child(kTop, "$type"));
    std::vector<Color> loose;
    for (std::uint32_t child = nodes[kTop].firstChild; child != 0; child = nodes[child].next) {
        if (nodes[child].key.starts_with('$') || nodes[child].kind != '{') {
            continue;
        }
        if (IsToken(child)) {
            Color color = 0;
            if (IsColor(child, rootType)) {
                if (!ColorOf(child, color)) {
                    return Problem(problem);
                }
                loose.push_back(color);
            }
        } else if (!ReadGroup(child, rootType)) {
            return Problem(problem);
        }
    }
    // Tokens outside any group are left for the file to name.
    AppendRuns(palettes, loose, {}, defaultFont);
    if (palettes.empty()) {
        return Problem(L"The file holds no color tokens.");
    }
    return {std::move(palettes), {}};
}

// A string as the text holds it, or else (when it had escapes) a copy kept for the tree's lifetime.
std::string_view TokenReader::Stable(std::string_view text) {
    if (text.data() >= source.data() && text.data() + text.size() <= source.data() + source.size()) {
        return text;
    }
    return decoded.emplace_back(text);
}

bool TokenReader::Parse(std::uint32_t index, std::string_view key) {
    nodes[index].key = key;
    const char lead = reader.Peek();
    std::string_view value;
    switch (lead) {
    case '{':
    case '[': {
        nodes[index].kind = lead;
        if (!reader.Begin(lead)) {
            return false;
        }
        std::uint32_t last = 0;
        for (bool first = true; reader.More(lead == '{' ? '}' : ']', first); first = false) {
            std::string_view name;
            if (lead == '{') {
                if (!reader.Key(name)) {
                    return false;
                }
                name = Stable(name);
            }
            const auto child = static_cast<std::uint32_t>(nodes.size());
            nodes.push_back(Node{});
            nodes[child].parent = index;
            (last == 0 ? nodes[index].firstChild : nodes[last].next) = child;
            last = child;
            if (!Parse(child, name)) {
                return false;
            }
        }
        return !reader.Failed();
    }
    case '"':
        nodes[index].kind = '"';
        if (!reader.String(value)) {
            return false;
        }
        nodes[index].text = Stable(value);
        return true;
    case 't':
    case 'f':
    case 'n':
        nodes[index].kind = 'l';
        nodes[index].text = lead == 't' ? "true" : lead == 'f' ? "false" : "null";
        return reader.Skip();
    default:
        nodes[index].kind = '0';
        if (!reader.Number(value)) {
            return false;
        }
        nodes[index].text = value;
        return true;
    }
}

std::uint32_t TokenReader::Child(std::uint32_t node, std::string_view key) const {
    if (node == 0) {
        return 0;
    }
    for (std::uint32_t child = nodes[node].firstChild; child != 0; child = nodes[child].next) {
        if (nodes[child].key == key) {
            return child;
        }
    }
    return 0;
}

// "$.brand.primary.$value", with a name that is not a plain word in brackets and quotes.
std::string TokenReader::Path(std::uint32_t node) const {
    std::vector<std::uint32_t> steps;
    for (; node > kTop; node = nodes[node].parent) {
        steps.push_back(node);
    }
    std::string path = "$";
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        const Node& at = nodes[*step];
        if (nodes[at.parent].kind == '[') {
            std::uint32_t index = 0;
            for (std::uint32_t sibling = nodes[at.parent].firstChild; sibling != *step;
                 sibling = nodes[sibling].next) {
                ++index;
            }
            path += '[';
            path += std::to_string(index);
            path += ']';
        } else if (!at.key.empty() && std::ranges::all_of(at.key, [](char c) {
                       return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                              c == '-' || c == '_' || c == '$';
                   })) {
            path += '.';
            path += at.key;
        } else {
            path += "['";
            path += at.key;
            path += "']";
        }
    }
    return path;
}

// "The tokens are damaged at $.brand.primary.$value: components must be three numbers."
bool TokenReader::Fault(std::uint32_t node, std::string_view what) {
    std::string sentence = "The tokens are damaged at " + Path(node) + ": " + std::string(what) + ".";
    ToUtf16(sentence, wide);
    problem.assign(wide.begin(), wide.end());
    return false;
}

// The path inside "{group.token}", or nothing when the value is not an alias.
std::string_view TokenReader::AliasIn(std::string_view value) {
    if (value.size() < 3 || value.front() != '{' || value.back() != '}') {
        return {};
    }
    return value.substr(1, value.size() - 2);
}

std::uint32_t TokenReader::Named(std::string_view path) const {
    std::uint32_t node = kTop;
    while (true) {
        const std::size_t dot = path.find('.');
        node = Child(node, path.substr(0, dot));
        if (node == 0 || dot == std::string_view::npos) {
            return node != 0 && IsToken(node) ? node : 0;
        }
        path.remove_prefix(dot + 1);
    }
}

// The token an alias comes to in the end, the token itself when its value is not one.
bool TokenReader::Resolve(std::uint32_t token, std::uint32_t& resolved) {
    chain.clear();
    while (true) {
        const std::uint32_t value = Child(token, "$value");
        const std::string_view alias = AliasIn(StringOf(value));
        if (alias.empty()) {
            resolved = token;
            return true;
        }
        if (std::ranges::find(chain, token) != chain.end()) {
            return Fault(value, "the alias {" + std::string(alias) + "} leads back to itself");
        }
        chain.push_back(token);
        const std::uint32_t target = Named(alias);
        if (target == 0) {
            return Fault(value, "the alias {" + std::string(alias) + "} names no token");
        }
        token = target;
    }
}

// By its own type, its groups' or its alias's; a token without any type is a color when its value
// reads as one.
bool TokenReader::IsColor(std::uint32_t token, std::string_view inherited) {
    const std::string_view own = StringOf(Child(token, "$type"));
    if (!own.empty() || !inherited.empty()) {
        return (own.empty() ? inherited : own) == "color";
    }
    std::uint32_t resolved = 0;
    if (!Resolve(token, resolved)) {
        problem.clear();
        return false;
    }
    if (resolved != token) {
        const std::string_view targetType = StringOf(Child(resolved, "$type"));
        if (!targetType.empty()) {
            return targetType == "color";
        }
    }
    const std::uint32_t value = Child(resolved, "$value");
    return nodes[value].kind == '{' ? Child(value, "colorSpace") != 0 : StringOf(value).starts_with('#');
}

bool TokenReader::ColorOf(std::uint32_t token, Color& color) {
    std::uint32_t resolved = 0;
    return Resolve(token, resolved) && ReadColorValue(Child(resolved, "$value"), color);
}

// The color object of the Color module, whose hex is only a fallback and is not trusted over the
// components; or the older drafts' "#rrggbb" text.
bool TokenReader::ReadColorValue(std::uint32_t value, Color& color) {
    if (nodes[value].kind == '"') {
        const std::string_view text = nodes[value].text;
        int digits[8] = {};
        const bool hex = text.starts_with('#') &&
                         (text.size() == 4 || text.size() == 5 || text.size() == 7 || text.size() == 9) &&
                         std::all_of(text.begin() + 1, text.end(),
                                     [&, i = 0](char c) mutable { return HexDigit(c, digits[i++]); });
        if (!hex) {
            return Fault(value,
                         "a color must be written #rrggbb or as an object of colorSpace and components");
        }
        color = text.size() <= 5 ? MakeColor(digits[0] * 17, digits[1] * 17, digits[2] * 17)
                                 : MakeColor(digits[0] * 16 + digits[1], digits[2] * 16 + digits[3],
                                             digits[4] * 16 + digits[5]);
        return true;
    }
    if (nodes[value].kind != '{') {
        return Fault(value, "a color must be written #rrggbb or as an object of colorSpace and components");
    }
    const std::uint32_t spaceNode = Child(value, "colorSpace");
    if (spaceNode == 0 || nodes[spaceNode].kind != '"') {
        return Fault(value, "colorSpace must be given as text");
    }
    const auto space = TokenColorSpaceNamed(nodes[spaceNode].text);
    if (!space) {
        return Fault(spaceNode, "there is no color space \"" + std::string(nodes[spaceNode].text) + "\"");
    }
    const std::uint32_t list = Child(value, "components");
    TokenComponents components;
    std::size_t count = 0;
    bool numbers = list != 0 && nodes[list].kind == '[';
    for (std::uint32_t item = numbers ? nodes[list].firstChild : 0; item != 0 && numbers;
         item = nodes[item].next, ++count) {
        const Node& component = nodes[item];
        if (count == 3 || (component.kind != '0' && !(component.kind == '"' && component.text == "none"))) {
            numbers = false;
        } else if (component.kind == '0') {
            double number = 0;
            const auto read =
                std::from_chars(component.text.data(), component.text.data() + component.text.size(), number);
            components[count] = read.ec == std::errc::result_out_of_range ? HUGE_VAL : number;
        }
    }
    if (!numbers || count != 3) {
        return Fault(value, "components must be three numbers");
    }
    const auto mapped = TokenColorToColor(*space, components);
    if (!mapped) {
        return Fault(value, "the components are out of any range");
    }
    color = *mapped;
    return true;
}

// The color tokens of a group and its groups, depth first in document order.
bool TokenReader::CollectColors(std::uint32_t group, std::string_view inherited, std::vector<Color>& colors) {
    const std::string_view own = StringOf(Child(group, "$type"));
    const std::string_view type = own.empty() ? inherited : own;
    for (std::uint32_t child = nodes[group].firstChild; child != 0; child = nodes[child].next) {
        if (nodes[child].key.starts_with('$') || nodes[child].kind != '{') {
            continue;
        }
        if (!IsToken(child)) {
            if (!CollectColors(child, type, colors)) {
                return false;
            }
            continue;
        }
        Color color = 0;
        if (IsColor(child, type)) {
            if (!ColorOf(child, color)) {
                return false;
            }
            colors.push_back(color);
        }
    }
    return true;
}

// A group with a palette's eight tokens is that palette, named by its description as the export
// writes it; any other gives palettes of eight of its colors, named by the group.
bool TokenReader::ReadGroup(std::uint32_t group, std::string_view inherited) {
    const std::string_view own = StringOf(Child(group, "$type"));
    const std::string_view type = own.empty() ? inherited : own;
    std::array<Color, 8> eight{};
    bool palette = true;
    for (std::size_t c = 0; c < 8 && palette; ++c) {
        const std::uint32_t token = Child(group, kTokenNames[c]);
        palette = token != 0 && IsToken(token) && IsColor(token, type);
        if (palette && !ColorOf(token, eight[c])) {
            return false;
        }
    }
    std::u16string name;
    if (palette) {
        const std::string_view description = StringOf(Child(group, "$description"));
        ToUtf16(description.empty() ? nodes[group].key : description, name);
        palettes.push_back(RecordFromColors(name, eight, FontOf(group)));
        return true;
    }
    std::vector<Color> colors;
    if (!CollectColors(group, inherited, colors)) {
        return false;
    }
    ToUtf16(nodes[group].key, name);
    AppendRuns(palettes, colors, name, defaultFont);
    return true;
}

// The group's typography token, the first there is, and our extension to it.
LogFontImage TokenReader::FontOf(std::uint32_t group) {
    std::uint32_t token = 0;
    for (std::uint32_t child = nodes[group].firstChild; child != 0 && token == 0; child = nodes[child].next) {
        token = IsToken(child) && StringOf(Child(child, "$type")) == "typography" ? child : 0;
    }
    const std::uint32_t value = token != 0 ? Child(token, "$value") : 0;
    if (value == 0 || nodes[value].kind != '{') {
        return defaultFont;
    }
    auto number = [this](std::uint32_t node) {
        return node != 0 && nodes[node].kind == '0' ? std::optional(nodes[node].text) : std::nullopt;
    };
    TypographyValues values;
    const std::uint32_t extension = Child(Child(token, "$extensions"), kTokensExtension);
    const std::string_view numbers = StringOf(Child(extension, "numbers"));
    values.numbers = ParseFontDesc(std::wstring(numbers.begin(), numbers.end()));
    std::uint32_t family = Child(value, "fontFamily");
    family = nodes[family].kind == '[' ? nodes[family].firstChild : family;
    if (nodes[family].kind == '"') {
        values.family = nodes[family].text;
    }
    const std::uint32_t size = Child(value, "fontSize");
    values.size = number(Child(size, "value"));
    values.sizeUnit = StringOf(Child(size, "unit"));
    values.weight = number(Child(value, "fontWeight"));
    const std::uint32_t italic = Child(extension, "italic");
    if (italic != 0 && nodes[italic].kind == 'l') {
        values.italic = nodes[italic].text == "true";
    }
    return FontFromTypography(values, defaultFont);
}

} // namespace

// Parts that are not there, or not plain values, leave the default's.
LogFontImage FontFromTypography(const TypographyValues& values, const LogFontImage& defaultFont) {
    LogFontImage font = defaultFont;
    auto number = [](std::optional<std::string_view> text, double& out) {
        return text && std::from_chars(text->data(), text->data() + text->size(), out).ec == std::errc();
    };
    if (values.numbers) {
        font.numbers = *values.numbers;
    }
    std::u16string wide;
    if (values.family && ToUtf16(*values.family, wide) && wide.size() <= kMaxFaceLength &&
        std::none_of(wide.begin(), wide.end(), IsControl)) {
        std::fill(std::begin(font.faceName), std::end(font.faceName), u'\0');
        std::copy(wide.begin(), wide.end(), font.faceName);
    }
    double pixels = 0;
    if (number(values.size, pixels) && pixels > 0 && pixels < 1000) {
        const auto height =
            static_cast<std::int32_t>(std::lround(values.sizeUnit == "rem" ? pixels * 16 : pixels));
        if (std::abs(font.numbers.height) != height) {
            font.numbers.height = -height;
        }
    }
    double weight = 0;
    if (number(values.weight, weight) && weight >= 1 && weight <= 1000) {
        // The export writes 400 for "any weight" (0) and keeps to the type's 1..1000.
        const int written = font.numbers.weight == 0 ? 400 : std::clamp<int>(font.numbers.weight, 1, 1000);
        font.numbers.weight = written == std::lround(weight) ? font.numbers.weight : std::lround(weight);
    }
    if (values.italic) {
        const bool wanted = *values.italic;
        font.numbers.italic = (font.numbers.italic != 0) == wanted ? font.numbers.italic : wanted ? 1 : 0;
    }
    return font;
}

ImportResult ImportTokensOfAnyLayout(std::string_view bytes, const LogFontImage& font) {
    return TokenReader(bytes, font).Read();
}

} // namespace exchange
