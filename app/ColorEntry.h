// A color typed into the color value field: six hexadecimal digits ("00FF00") or three decimal
// channel values ("0,255,0"). An invalid entry names the part of the text to select.
#pragma once

#include "color/ColorMath.h"

#include <string_view>

// Upper-cases, skips a leading "0X", then takes hexadecimal digits up to the first other character.
unsigned ParseHexDigits(std::wstring_view text);
// -1 for an empty text or one of decimal digits only, else the index of the first other character.
int FindNonDigit(std::wstring_view text);

struct ColorEntry {
    enum Kind { Empty, Valid, Invalid };
    Kind kind;
    Color color = 0;
    // The selection of an invalid entry; an end of -1 runs to the end of the text.
    int selectionStart = 0;
    int selectionEnd = -1;
};

ColorEntry ParseColorEntry(std::wstring_view text);

// The status bar's alert for an entry, typed or pasted, that is no color.
constexpr const wchar_t* kInvalidColorEntryAlert =
    L"Invalid color entry. Use either \"00FF00\" or \"0,255,0\" format.";
