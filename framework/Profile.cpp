#include "framework/Profile.h"

#include "framework/UniqueHandle.h"

#include <vector>

namespace {

std::wstring& CompanyName() {
    static std::wstring company;
    return company;
}

std::wstring SectionPath(const wchar_t* section) {
    return Profile::ApplicationKeyPath() + L"\\" + section;
}

UniqueKey OpenSection(const wchar_t* section, bool forWriting) {
    HKEY key = nullptr;
    LONG status = forWriting
                      ? RegCreateKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr, 0,
                                        KEY_WRITE, nullptr, &key, nullptr)
                      : RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, &key);
    return UniqueKey(status == ERROR_SUCCESS ? key : nullptr);
}

} // namespace

void Profile::SetRegistryKey(const std::wstring& company) {
    CompanyName() = company;
}

std::wstring Profile::ApplicationKeyPath() {
    return L"Software\\" + CompanyName() + L"\\" + kApplicationName;
}

// A number of another type or of another size than 32 bits is no number: its default stands in.
int Profile::GetInt(const wchar_t* section, const wchar_t* name, int defaultValue) {
    UniqueKey key = OpenSection(section, false);
    DWORD value = 0;
    DWORD type = 0;
    DWORD size = sizeof(value);
    if (!key ||
        RegQueryValueExW(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value)) {
        return defaultValue;
    }
    return static_cast<int>(value);
}

bool Profile::WriteInt(const wchar_t* section, const wchar_t* name, int value) {
    UniqueKey key = OpenSection(section, true);
    DWORD raw = static_cast<DWORD>(value);
    return key && RegSetValueExW(key.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&raw),
                                 sizeof(raw)) == ERROR_SUCCESS;
}

std::wstring Profile::GetString(const wchar_t* section, const wchar_t* name, const wchar_t* defaultValue) {
    UniqueKey key = OpenSection(section, false);
    DWORD type = 0;
    DWORD size = 0;
    if (!key || RegQueryValueExW(key.Get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return defaultValue;
    }
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS) {
        return defaultValue;
    }
    // Registry strings need not be terminated; the extra element guarantees it.
    return std::wstring(buffer.data());
}

bool Profile::WriteString(const wchar_t* section, const wchar_t* name, const std::wstring& value) {
    UniqueKey key = OpenSection(section, true);
    auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return key && RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 bytes) == ERROR_SUCCESS;
}
