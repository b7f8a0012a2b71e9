#include "widgets/AboutTexts.h"

namespace {
constexpr std::wstring_view kAboutLine = L"A palette designer for web pages.";
}

// The build number is the whole low word, printed signed as "%d" would print it: 1.0.1.0 gives
// "1.0 Build 65536".
std::wstring AboutVersionText(std::uint32_t fileVersionMS, std::uint32_t fileVersionLS) {
    return std::to_wstring(fileVersionMS >> 16) + L'.' + std::to_wstring(fileVersionMS & 0xFFFF) +
           L" Build " + std::to_wstring(static_cast<std::int32_t>(fileVersionLS));
}

std::wstring AboutText(const std::wstring& version) {
    return L"Huewright V" + version + L'\n' + std::wstring(kAboutLine) +
           L"\n\nFor the latest version of Huewright,\nplease visit our web site.";
}

std::wstring WebSiteToolTip() {
    return L"Surf to " + std::wstring(kWebSiteHost) + L" to download latest Huewright";
}

// %0D is a carriage return: the body reads an empty line, the version line, an empty line and "Hi,".
std::wstring SupportMailUrl(const std::wstring& version) {
    return L"mailto:" + std::wstring(kSupportAddress) + L"?subject=Huewright&body=%0DHuewright version " +
           version + L"%0D%0DHi,%0d";
}
