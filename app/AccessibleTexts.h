// What the program's own controls tell a screen reader: the names and values of the color field, the
// slider, the wells and the palette boxes, colors given with their nearest name.
#pragma once

#include "app/PaletteChecks.h"
#include "color/ColorMath.h"

#include <string>

// "#BEBEA1, near darkkhaki"
std::wstring NamedColorText(Color color);

// "Color field: saturation across, brightness down": the mode's two axes.
std::wstring FieldAccessibleName(int modeIndex);
// "#0083D0, hue 202°, saturation 100 %, brightness 82 %, near ...", or red, green and blue in the
// RGB modes.
std::wstring FieldAccessibleValue(int modeIndex, Color color);
// "Hue": the mode's component.
std::wstring SliderAccessibleName(int modeIndex);
// "200°", "50 %" or "128", from the component value the field takes (hue in tenths of a degree,
// saturation and brightness in thousandths).
std::wstring SliderAccessibleValue(int modeIndex, int componentValue);
// "background #BEBEA1, text #746955, contrast 2.84 to 1, fails AA"
std::wstring BoxAccessibleValue(Color background, Color text, const BoxText& textStyle);
