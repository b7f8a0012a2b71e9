// A color as text under a copy-format template: runs of R, G and B stand for the components, in
// decimal for three letters and in hexadecimal for two; everything else is copied as it stands.
#pragma once

#include "color/ColorMath.h"

#include <string>
#include <string_view>

std::wstring FormatColor(Color color, std::wstring_view format);
