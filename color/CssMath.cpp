#include "color/CssMath.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

namespace css {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Deeper nesting than any hand-written calculation; it keeps a hostile text from exhausting the stack.
constexpr int kMaxDepth = 32;
// More arguments to min() or max() than any color needs.
constexpr int kMaxArguments = 8;

struct UnitScale {
    std::wstring_view name;
    QuantityType type;
    double scale;
};

constexpr UnitScale kUnits[] = {
    {L"deg", QuantityType::Angle, 1},
    {L"grad", QuantityType::Angle, 0.9},
    {L"rad", QuantityType::Angle, 180 / std::numbers::pi},
    {L"turn", QuantityType::Angle, 360},
    {L"px", QuantityType::Length, 1},
    {L"cm", QuantityType::Length, 96 / 2.54},
    {L"mm", QuantityType::Length, 96 / 25.4},
    {L"q", QuantityType::Length, 96 / 101.6},
    {L"in", QuantityType::Length, 96},
    {L"pt", QuantityType::Length, 96.0 / 72},
    {L"pc", QuantityType::Length, 16},
};

// Font-relative, viewport and container units: their pixels depend on the element the color is on.
constexpr std::wstring_view kElementUnits[] = {
    L"em",    L"rem",   L"ex",    L"rex", L"cap", L"rcap", L"ch",    L"rch",   L"ic",    L"ric", L"lh",
    L"rlh",   L"vw",    L"vh",    L"vi",  L"vb",  L"vmin", L"vmax",  L"svw",   L"svh",   L"svi", L"svb",
    L"svmin", L"svmax", L"lvw",   L"lvh", L"lvi", L"lvb",  L"lvmin", L"lvmax", L"dvw",   L"dvh", L"dvi",
    L"dvb",   L"dvmin", L"dvmax", L"cqw", L"cqh", L"cqi",  L"cqb",   L"cqmin", L"cqmax",
};

enum class Rounding { Nearest, Up, Down, ToZero };

double Round(Rounding rounding, double a, double b) {
    if (b == 0 || (std::isinf(a) && std::isinf(b))) {
        return kNaN;
    }
    if (std::isinf(a)) {
        return a;
    }
    if (std::isinf(b)) {
        switch (rounding) {
        case Rounding::Up:
            return a > 0 ? kInfinity : std::copysign(0.0, a);
        case Rounding::Down:
            return a < 0 ? -kInfinity : std::copysign(0.0, a);
        default:
            return std::copysign(0.0, a);
        }
    }
    b = std::abs(b);
    const double steps = a / b;
    switch (rounding) {
    case Rounding::Up:
        return std::ceil(steps) * b;
    case Rounding::Down:
        return std::floor(steps) * b;
    case Rounding::ToZero:
        return std::trunc(steps) * b;
    case Rounding::Nearest:
        break;
    }
    return std::floor(steps + 0.5) * b; // a half rounds up
}

// A recursive descent over the tokens. A sum needs white space around its "+" and "-", as CSS
// requires, so that "1 -2" is not read as a subtraction.
class MathReader {
public:
    MathReader(Tokenizer& tokens, std::wstring_view& elementUnit)
        : tokens(tokens), elementUnit(elementUnit) {}

    std::optional<Quantity> Function(const Name& name);

private:
    std::optional<Quantity> Sum();
    std::optional<Quantity> Product();
    std::optional<Quantity> Leaf();
    std::optional<Quantity> Dimension(const Token& token);
    // After an argument: true at a ",", false at the ")" or the end, nothing at anything else.
    std::optional<bool> MoreArguments();

    Tokenizer& tokens;
    std::wstring_view& elementUnit;
    int depth = 0;
};

std::optional<Quantity> MathReader::Dimension(const Token& token) {
    for (const UnitScale& unit : kUnits) {
        if (token.name.Is(unit.name)) {
            return Quantity{token.number * unit.scale, unit.type};
        }
    }
    for (std::wstring_view unit : kElementUnits) {
        if (token.name.Is(unit)) {
            elementUnit = unit;
        }
    }
    return std::nullopt;
}

std::optional<Quantity> MathReader::Leaf() {
    const Token token = tokens.NextNonSpace();
    switch (token.kind) {
    case TokenKind::Number:
        return Quantity{token.number, QuantityType::Number};
    case TokenKind::Percentage:
        return Quantity{token.number, QuantityType::Percent};
    case TokenKind::Dimension:
        return Dimension(token);
    case TokenKind::Function:
        return Function(token.name);
    case TokenKind::OpenParen: {
        if (++depth > kMaxDepth) {
            return std::nullopt;
        }
        const auto inner = Sum();
        --depth;
        const TokenKind close = tokens.NextNonSpace().kind;
        return close == TokenKind::CloseParen || close == TokenKind::End ? inner : std::nullopt;
    }
    case TokenKind::Ident: {
        constexpr std::pair<std::wstring_view, double> kConstants[] = {
            {L"e", std::numbers::e},  {L"pi", std::numbers::pi},
            {L"infinity", kInfinity}, {L"-infinity", -kInfinity},
            {L"nan", kNaN},
        };
        for (const auto& [constant, value] : kConstants) {
            if (token.name.Is(constant)) {
                return Quantity{value, QuantityType::Number};
            }
        }
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

// At most one factor of a product has a unit; a divisor has none.
std::optional<Quantity> MathReader::Product() {
    auto product = Leaf();
    while (product) {
        Tokenizer before = tokens;
        const Token next = tokens.NextNonSpace();
        if (next.kind != TokenKind::Delim || (next.delim != L'*' && next.delim != L'/')) {
            tokens = before;
            return product;
        }
        const auto factor = Leaf();
        if (!factor) {
            return std::nullopt;
        }
        if (next.delim == L'/') {
            if (factor->type != QuantityType::Number) {
                return std::nullopt;
            }
            product->value /= factor->value;
        } else if (product->type != QuantityType::Number && factor->type != QuantityType::Number) {
            return std::nullopt;
        } else {
            product = Quantity{product->value * factor->value,
                               product->type == QuantityType::Number ? factor->type : product->type};
        }
    }
    return product;
}

std::optional<Quantity> MathReader::Sum() {
    auto sum = Product();
    while (sum) {
        Tokenizer before = tokens;
        const bool spaceBefore = tokens.SkipSpace();
        const Token next = tokens.Next();
        if (next.kind != TokenKind::Delim || (next.delim != L'+' && next.delim != L'-')) {
            tokens = before;
            return sum;
        }
        if (!spaceBefore || !tokens.SkipSpace()) {
            return std::nullopt;
        }
        const auto term = Product();
        if (!term || term->type != sum->type) {
            return std::nullopt;
        }
        sum->value += next.delim == L'+' ? term->value : -term->value;
    }
    return sum;
}

std::optional<bool> MathReader::MoreArguments() {
    switch (tokens.NextNonSpace().kind) {
    case TokenKind::Comma:
        return true;
    case TokenKind::CloseParen:
    case TokenKind::End:
        return false;
    default:
        return std::nullopt;
    }
}

std::optional<Quantity> MathReader::Function(const Name& name) {
    if (!IsMathFunction(name) || ++depth > kMaxDepth) {
        return std::nullopt;
    }
    Rounding rounding = Rounding::Nearest;
    if (name.Is(L"round")) {
        constexpr std::pair<std::wstring_view, Rounding> kRoundings[] = {{L"nearest", Rounding::Nearest},
                                                                         {L"up", Rounding::Up},
                                                                         {L"down", Rounding::Down},
                                                                         {L"to-zero", Rounding::ToZero}};
        const Tokenizer before = tokens;
        const Token first = tokens.NextNonSpace();
        bool named = false;
        for (const auto& [keyword, strategy] : kRoundings) {
            if (first.kind == TokenKind::Ident && first.name.Is(keyword)) {
                named = true;
                rounding = strategy;
            }
        }
        if (!named) {
            tokens = before;
        } else if (MoreArguments() != true) {
            return std::nullopt;
        }
    }
    Quantity arguments[kMaxArguments]{};
    int count = 0;
    for (std::optional<bool> more = true; more == true;) {
        const auto argument = Sum();
        if (!argument || count == kMaxArguments || (count > 0 && argument->type != arguments[0].type)) {
            return std::nullopt;
        }
        arguments[count++] = *argument;
        more = MoreArguments();
        if (!more) {
            return std::nullopt;
        }
    }
    --depth;
    const Quantity& first = arguments[0];
    const QuantityType type = first.type;
    auto has = [&](int wanted) { return count == wanted; };
    if (name.Is(L"calc") && has(1)) {
        return first;
    }
    if ((name.Is(L"min") || name.Is(L"max")) && count >= 1) {
        double result = first.value;
        for (int i = 1; i < count; ++i) {
            const double other = arguments[i].value;
            result = std::isnan(result) || std::isnan(other) ? kNaN
                     : name.Is(L"min")                       ? std::min(result, other)
                                                             : std::max(result, other);
        }
        return Quantity{result, type};
    }
    if (name.Is(L"clamp") && has(3)) {
        const double low = first.value, value = arguments[1].value, high = arguments[2].value;
        const bool nan = std::isnan(low) || std::isnan(value) || std::isnan(high);
        return Quantity{nan ? kNaN : std::max(low, std::min(value, high)), type};
    }
    if (name.Is(L"round") && (has(2) || (has(1) && type == QuantityType::Number))) {
        return Quantity{Round(rounding, first.value, count == 2 ? arguments[1].value : 1.0), type};
    }
    if (name.Is(L"sign") && has(1)) {
        const double value = first.value;
        return Quantity{std::isnan(value) || value == 0 ? value : std::copysign(1.0, value),
                        QuantityType::Number};
    }
    if (name.Is(L"abs") && has(1)) {
        return Quantity{std::abs(first.value), type};
    }
    return std::nullopt;
}

} // namespace

bool IsMathFunction(const Name& name) noexcept {
    for (std::wstring_view function : {L"calc", L"min", L"max", L"clamp", L"round", L"sign", L"abs"}) {
        if (name.Is(function)) {
            return true;
        }
    }
    return false;
}

std::optional<Quantity> ReadMathFunction(const Name& name, Tokenizer& tokens,
                                         std::wstring_view& elementUnit) {
    auto result = MathReader(tokens, elementUnit).Function(name);
    if (result && std::isnan(result->value)) {
        result->value = 0;
    }
    return result;
}

} // namespace css
