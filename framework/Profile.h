// Per-user settings: integer and string values in named sections under
// HKCU\Software\<company>\<application>, the way the program's settings have always been kept.
#pragma once

#include <string>

namespace Profile {

constexpr const wchar_t* kApplicationName = L"Huewright";

void SetRegistryKey(const std::wstring& company);
// The full path below HKEY_CURRENT_USER, e.g. L"Software\\Lumenfold\\Huewright".
std::wstring ApplicationKeyPath();

int GetInt(const wchar_t* section, const wchar_t* name, int defaultValue);
bool WriteInt(const wchar_t* section, const wchar_t* name, int value);
std::wstring GetString(const wchar_t* section, const wchar_t* name, const wchar_t* defaultValue);
bool WriteString(const wchar_t* section, const wchar_t* name, const std::wstring& value);

} // namespace Profile
