#include "widgets/CFontHelper.h"

#include "framework/CommonDialogs.h"
#include "framework/Dpi.h"
#include "framework/Profile.h"
#include "library/RecordFont.h"
#include "widgets/FontDescription.h"

#include <cstddef>
#include <cstring>
#include <cwchar>

namespace {

// FontNumbers has the layout of the numeric head of a LOGFONTW, so the two copy as bytes.
static_assert(offsetof(LOGFONTW, lfFaceName) == sizeof(FontNumbers));
static_assert(offsetof(LOGFONTW, lfItalic) == offsetof(FontNumbers, italic));

FontNumbers NumbersOf(const LOGFONTW& font) {
    FontNumbers numbers;
    std::memcpy(&numbers, &font, sizeof(numbers));
    return numbers;
}

} // namespace

CFontHelper::CFontHelper(const std::wstring& section, const std::wstring& prefix)
    : current(FromRecordFont(BuiltInBoxFont())), defaultFont(current), section(section), prefix(prefix) {
    RecreateFont();
    Load();
}

CFontHelper::~CFontHelper() {
    Save();
}

void CFontHelper::Load() {
    auto numbers = ParseFontDesc(Profile::GetString(section.c_str(), (prefix + L"_Desc").c_str(), L""));
    if (!numbers) {
        return;
    }
    std::wstring face =
        FaceNameFromStored(Profile::GetString(section.c_str(), (prefix + L"_Name").c_str(), L""));
    LOGFONTW loaded{};
    std::memcpy(&loaded, &*numbers, sizeof(*numbers));
    wcsncpy(loaded.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    SetLogFont(loaded);
}

void CFontHelper::Save() const {
    Profile::WriteString(section.c_str(), (prefix + L"_Desc").c_str(), FormatFontDesc(NumbersOf(current)));
    Profile::WriteString(section.c_str(), (prefix + L"_Name").c_str(), GetFaceName());
}

// A face from a damaged record may fill all its units without a terminator: it is read as the
// 31 characters a LOGFONTW holds.
std::wstring CFontHelper::GetFaceName() const {
    return {current.lfFaceName, wcsnlen(current.lfFaceName, LF_FACESIZE - 1)};
}

// The dialog shows and returns sizes on the owner's screen; the font is kept in 96 DPI pixels.
bool CFontHelper::ChooseFont() {
    HWND owner = GetActiveWindow();
    const int dpi = WindowDpi(owner);
    LOGFONTW chosen = current;
    chosen.lfHeight = ScaleToDpi(chosen.lfHeight, dpi);
    chosen.lfWidth = ScaleToDpi(chosen.lfWidth, dpi);
    CHOOSEFONTW dialog{sizeof(dialog)};
    dialog.hwndOwner = owner;
    dialog.lpLogFont = &chosen;
    dialog.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    dialog.nFontType = SCREEN_FONTTYPE;
    if (!ShowFontDialog(dialog)) {
        return false;
    }
    chosen.lfHeight = MulDiv(chosen.lfHeight, kBaseDpi, dpi);
    chosen.lfWidth = MulDiv(chosen.lfWidth, kBaseDpi, dpi);
    SetLogFont(chosen);
    return true;
}

void CFontHelper::SetBold(bool bold) {
    current.lfWeight = bold ? 700 : 400;
    RecreateFont();
}

void CFontHelper::SetItalic(bool italic) {
    current.lfItalic = italic ? 1 : 0;
    RecreateFont();
}

// The height is kept in pixels of a 96 DPI screen, whatever the screen the boxes are on.
int CFontHelper::GetPointSize() const {
    return PointSizeOf(current.lfHeight, kBaseDpi);
}

void CFontHelper::SetLogFont(const LOGFONTW& font) {
    current = font;
    RecreateFont();
}

bool CFontHelper::IsSameFont(const LOGFONTW& font) const {
    return font.lfHeight == current.lfHeight && font.lfWidth == current.lfWidth &&
           font.lfWeight == current.lfWeight && font.lfItalic == current.lfItalic &&
           wcsncmp(font.lfFaceName, current.lfFaceName, LF_FACESIZE) == 0;
}

// The new handle is made before the old one goes.
void CFontHelper::RecreateFont() {
    UniqueFont replacement(CreateFontIndirectW(&current));
    font = std::move(replacement);
}
