// A record's font image and the LOGFONTW it was copied from are the same 92 bytes.
#pragma once

#include "library/PaletteRecord.h"

#include <windows.h>

#include <cstring>

static_assert(sizeof(LogFontImage) == sizeof(LOGFONTW));
static_assert(offsetof(LogFontImage, faceName) == offsetof(LOGFONTW, lfFaceName));
static_assert(offsetof(FontNumbers, weight) == offsetof(LOGFONTW, lfWeight));
static_assert(offsetof(FontNumbers, pitchAndFamily) == offsetof(LOGFONTW, lfPitchAndFamily));

inline LogFontImage ToRecordFont(const LOGFONTW& font) {
    LogFontImage image;
    std::memcpy(&image, &font, sizeof(image));
    return image;
}

inline LOGFONTW FromRecordFont(const LogFontImage& image) {
    LOGFONTW font;
    std::memcpy(&font, &image, sizeof(font));
    return font;
}
