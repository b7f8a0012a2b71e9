// The pieces of CSS syntax a pasted color is read with: ASCII case folding, white space, and the
// tokens of CSS Syntax 3 (comments dropped, escapes resolved) that a color can be written in.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace css {

// Case folding for the Latin letters only: the notations are ASCII, and a wider folding would let
// look-alike characters (the Kelvin sign folds to "k") spell a name.
constexpr wchar_t AsciiLower(wchar_t c) noexcept {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool EqualsIgnoringCase(std::wstring_view text, std::wstring_view other) noexcept;
// Space, tab, line feed, carriage return and form feed.
bool IsSpace(wchar_t c) noexcept;
bool IsDigit(wchar_t c) noexcept;
std::wstring_view Trim(std::wstring_view text) noexcept;

// The trimmed parts of a decimal triplet: never more than four.
struct Pieces {
    std::array<std::wstring_view, 4> items;
    std::size_t count = 0;
};

// The trimmed pieces between separators; nothing when there are more than four.
std::optional<Pieces> SplitAt(std::wstring_view text, wchar_t separator);
// The runs of characters between white space; nothing when there are more than four.
std::optional<Pieces> SplitWords(std::wstring_view text);

// An identifier with its escapes resolved. No keyword of a color is longer than the room kept; a
// longer name is cut and matches none.
class Name {
public:
    void Append(char32_t c) noexcept;
    std::wstring_view View() const noexcept { return {text.data(), size}; }
    bool Is(std::wstring_view keyword) const noexcept {
        return !tooLong && EqualsIgnoringCase(View(), keyword);
    }
    bool TooLong() const noexcept { return tooLong; }

private:
    std::array<wchar_t, 24> text{};
    std::size_t size = 0;
    bool tooLong = false;
};

enum class TokenKind {
    End,
    Space,
    Ident,
    Function, // a name and "(": the name
    Hash,     // "#" and a name: the name
    Number,
    Percentage,
    Dimension, // a number and a unit: the unit in `name`
    Comma,
    OpenParen,
    CloseParen,
    Delim, // any other character, and strings, which no color holds
};

struct Token {
    TokenKind kind = TokenKind::End;
    double number = 0; // of Number, Percentage and Dimension
    wchar_t delim = 0; // of Delim
    Name name;
};

// The tokens of a text one by one. A number beyond the double range is refused as a Delim rather
// than carried on as an infinity; a number's digits past the eighteenth significant one are read as
// zeros, which no double can tell apart.
class Tokenizer {
public:
    explicit Tokenizer(std::wstring_view text) noexcept : text(text) {}

    Token Next();
    Token NextNonSpace();
    // Past any white space and comments: true when there was some.
    bool SkipSpace();
    Token Peek();

private:
    bool SkipComments();
    bool StartsName(std::size_t position) const noexcept;
    bool StartsNumber(std::size_t position) const noexcept;
    bool EscapeAt(std::size_t position) const noexcept;
    void ReadName(Name& name);
    char32_t ReadEscape();
    std::optional<double> ReadNumber();

    std::wstring_view text;
    std::size_t at = 0;
};

enum class Unit { None, Percent, Degree, Gradian, Radian, Turn };

// A number with its unit. The keyword `none` (a missing component) reads as a plain 0.
struct Value {
    double number;
    Unit unit;
    bool missing;
};

} // namespace css
