#include "library/TestPage.h"

#include <cstdio>

namespace {

// Characters an unquoted family name may hold as they are: ASCII letters, digits, '-', '_', the spaces
// between words, and the printable Latin-1 range. C1 controls are left out because browsers read
// iso-8859-1 pages as windows-1252, which turns those bytes into other characters.
bool WrittenAsIs(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9') || c == U'-' ||
           c == U'_' || c == U' ' || (c >= 0xA0 && c <= 0xFF);
}

void AppendCssEscape(std::string& text, char32_t codePoint) {
    char escape[12];
    std::snprintf(escape, sizeof escape, "\\%X ", static_cast<unsigned>(codePoint));
    text += escape;
}

std::string HtmlColor(Color color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%2.2x%2.2x%2.2x", RedOf(color), GreenOf(color), BlueOf(color));
    return text;
}

std::string StyleRule(const char* name, int size, const std::string& face) {
    std::string rule = ".";
    rule += name;
    rule += " {font-size: ";
    rule += std::to_string(size);
    rule += "pt;font-family:";
    rule += face;
    rule += ";}\n";
    return rule;
}

// From the text color's value to the end of the cell: the sample wrapped as strong around em.
std::string SampleText(const TestPageInputs& inputs, Color textColor, const char* sample) {
    std::string text = HtmlColor(textColor) + "\">";
    text += inputs.bold ? "<strong>" : "";
    text += inputs.italic ? "<em>" : "";
    text += sample;
    text += inputs.italic ? "</em>" : "";
    text += inputs.bold ? "</strong>" : "";
    return text + "</font></td>\n";
}

// Style rules win over the page's bgcolor and color attributes, so the dark colors go to the same
// elements by their places in the tables: the markup stays the template's.
std::string DarkSchemeRules(const PaletteColors& dark) {
    auto rule = [](const char* selector, const char* property, Color color) {
        return std::string(selector) + " {" + property + ": " + HtmlColor(color) + ";}\n";
    };
    std::string rules = ":root {color-scheme: light dark;}\n@media (prefers-color-scheme: dark) {\n";
    rules += rule("body > table > tbody > tr:first-child", "background-color", dark.box[0]);
    rules += rule("td.box1 font", "color", dark.text[0]);
    rules += rule("body > table > tbody > tr > td.box2", "background-color", dark.box[1]);
    rules += rule("body > table > tbody > tr > td.box2 font", "color", dark.text[1]);
    rules += rule("table table tr, table table td", "background-color", dark.box[2]);
    rules += rule("table table td.box2 font", "color", dark.text[2]);
    rules += rule("table table td.box3", "background-color", dark.box[3]);
    rules += rule("table table td.box3 font", "color", dark.text[3]);
    return rules + "}\n";
}

std::string WithCrLf(const std::string& text) {
    std::string crlf;
    crlf.reserve(text.size() + 64);
    for (char c : text) {
        if (c == '\n') {
            crlf += '\r';
        }
        crlf += c;
    }
    return crlf;
}

} // namespace

// The face name goes into a style sheet, where character references are not decoded but CSS escapes
// are: anything that is not a plain name character, outside Latin-1 or able to end the rule, becomes
// a backslash, its code point in hex and a space, so the page stays ISO-8859-1 and well formed while
// the browser still sees the real name. A lone surrogate stands for U+FFFD.
std::string CssFaceName(std::u16string_view faceName) {
    std::string text;
    for (size_t i = 0; i < faceName.size(); ++i) {
        char32_t c = faceName[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < faceName.size() && faceName[i + 1] >= 0xDC00 &&
            faceName[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (faceName[++i] - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (WrittenAsIs(c)) {
            text += static_cast<char>(c);
        } else {
            AppendCssEscape(text, c);
        }
    }
    return text;
}

// The sizes are computed in 64 bits so that 7 x p cannot overflow; the quotients fit an int again.
std::string TestPageDocument(const TestPageInputs& inputs) {
    const std::string face = CssFaceName(inputs.faceName);
    const long long p = inputs.pointSize;
    const Color box3 = inputs.colors.box[2];
    std::string page = "<html>\n"
                       "  <head>\n"
                       "    <title>Huewright Test Page</title>\n"
                       "    <meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">\n"
                       "     <style type=\"text/css\">\n<!--\n";
    page += StyleRule("box1", inputs.pointSize, face);
    page += StyleRule("box2", static_cast<int>(7 * p / 9), face);
    page += StyleRule("box3", static_cast<int>(2 * p / 3), face);
    if (inputs.dark) {
        page += DarkSchemeRules(*inputs.dark);
    }
    page += "-->\n</style>\n"
            "  </head>\n"
            "  <body>\n"
            "    <table width=\"95%\" height=\"526\" border=\"0\" cellpadding=\"0\" cellspacing=\"0\">\n"
            "      <tr align=\"center\" bgcolor=\"";
    page += HtmlColor(inputs.colors.box[0]) + "\">\n";
    page += "        <td height=\"275\" colspan=\"2\" class=\"box1\"><font color=\"";
    page += SampleText(inputs, inputs.colors.text[0], "This is the first text color.");
    page += "      </tr>\n"
            "      <tr>\n"
            "        <td width=\"35%\" align=\"center\" bgcolor=\"";
    page += HtmlColor(inputs.colors.box[1]) + "\" class=\"box2\"><font color=\"";
    page += SampleText(inputs, inputs.colors.text[1], "2nd text here!");
    page +=
        "        <td width=\"65%\">\n"
        "          <table width=\"100%\"  height=\"251\" border=\"0\" cellpadding=\"0\" cellspacing=\"0\">\n"
        "            <tr align=\"center\" bgcolor=\"";
    page += HtmlColor(box3) + "\">\n";
    page += "              <td height=\"30%\" colspan=\"3\" class=\"box2\"><font color=\"";
    page += SampleText(inputs, inputs.colors.text[2], "This is the 3rd text color.");
    page += "           <tr>\n"
            "             <td width=\"26%\" bgcolor=\"";
    page += HtmlColor(box3) + "\">&nbsp;</td>\n";
    page += "             <td width=\"48%\" height=\"40%\" align=\"center\" bgcolor=\"";
    page += HtmlColor(inputs.colors.box[3]) + "\" class=\"box3\"><font color=\"";
    page += SampleText(inputs, inputs.colors.text[3], "4th text");
    page += "             <td width=\"26%\" bgcolor=\"";
    page += HtmlColor(box3) + "\">&nbsp;</td></tr><tr bgcolor=\"";
    page += HtmlColor(box3) + "\">\n";
    page += "             <td height=\"30%\" colspan=\"3\">&nbsp;</td>\n"
            "          </tr>\n"
            "        </table>\n"
            "      </td>\n"
            "    </tr>\n"
            "   </table>\n"
            " </body>\n"
            "</html>";
    return WithCrLf(page);
}
