// The About box's texts: the maker's addresses and the wording around the program's version, kept
// here so the product values live in one place.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::wstring_view kAboutCaption = L"About Huewright";
inline constexpr std::wstring_view kWebSiteHost = L"huewright.lumenfold.com";
inline constexpr std::wstring_view kWebSitePage = L"https://huewright.lumenfold.com/download";
inline constexpr std::wstring_view kSupportAddress = L"support@lumenfold.com";
inline constexpr std::wstring_view kSupportToolTip = L"Click to send email to Lumenfold";

// "major.minor Build n" from the two words of a fixed file version.
std::wstring AboutVersionText(std::uint32_t fileVersionMS, std::uint32_t fileVersionLS);
std::wstring AboutText(const std::wstring& version);
std::wstring WebSiteToolTip();
// A mailto URL with the subject and an already percent-encoded body naming the version.
std::wstring SupportMailUrl(const std::wstring& version);
