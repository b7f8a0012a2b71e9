// The box text font: the current font as a LOGFONTW beside the built-in default, kept in the
// profile as "<prefix>_Desc" and "<prefix>_Name", picked with the system font dialog.
#pragma once

#include "framework/UniqueHandle.h"

#include <commdlg.h>
// The member below is the font dialog under its own name; the system's is called as ChooseFontW.
#undef ChooseFont

#include <string>

class CFontHelper {
public:
    // Starts from the built-in default, then loads what the profile holds.
    CFontHelper(const std::wstring& section, const std::wstring& prefix);
    // Writes the font back to the profile.
    ~CFontHelper();
    CFontHelper(const CFontHelper&) = delete;
    CFontHelper& operator=(const CFontHelper&) = delete;

    void Load();
    void Save() const;
    // True when the user confirmed a font in the dialog.
    bool ChooseFont();
    void SetBold(bool bold);
    void SetItalic(bool italic);
    LONG GetHeight() const { return current.lfHeight; }
    LONG GetWeight() const { return current.lfWeight; }
    BYTE GetItalic() const { return current.lfItalic; }
    std::wstring GetFaceName() const;
    int GetPointSize() const;
    void GetLogFont(LOGFONTW& font) const { font = current; }
    void GetDefaultLogFont(LOGFONTW& font) const { font = defaultFont; }
    void SetLogFont(const LOGFONTW& font);
    bool IsSameFont(const LOGFONTW& font) const;
    bool IsDefaultFont() const { return IsSameFont(defaultFont); }
    HFONT Font() const { return font.Get(); }

private:
    void RecreateFont();

    UniqueFont font;
    LOGFONTW current;
    LOGFONTW defaultFont;
    std::wstring section;
    std::wstring prefix;
};
