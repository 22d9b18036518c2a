// Registry value operations with the machine-then-user fallback.
#include "win/registry.h"

#include "os/win32_text.h"

namespace vondrel::win {

RegistrySettings::RegistrySettings(std::string keyPath, std::vector<HKEY> rootKeys)
    : path(std::move(keyPath)), roots(std::move(rootKeys)) {}

RegistryKey RegistrySettings::Open() const {
    const std::wstring wide = os::ToWide(path);
    for (HKEY root : roots) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(root, wide.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) == ERROR_SUCCESS) {
            lastRoot = root;
            return RegistryKey(key);
        }
    }
    return RegistryKey();
}

void RegistrySettings::WriteStringValue(const std::string& name, const std::string& text) const {
    WriteWideValue(name, os::ToWide(text));
}

std::string RegistrySettings::ReadStringValue(const std::string& name) const { return os::ToCp932(ReadWideValue(name)); }

void RegistrySettings::WriteWideValue(const std::string& name, const std::wstring& value) const {
    const RegistryKey key = Open();
    if (!key) return;
    RegSetValueExW(key.Get(), os::ToWide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

std::wstring RegistrySettings::ReadWideValue(const std::string& name) const {
    const RegistryKey key = Open();
    if (!key) return std::wstring();
    const std::wstring wideName = os::ToWide(name);
    DWORD type = 0;
    DWORD size = 0;
    std::wstring value;
    if (RegQueryValueExW(key.Get(), wideName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0) {
        value.assign(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(value.size() * sizeof(wchar_t));
        if (RegQueryValueExW(key.Get(), wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value[0]), &got) ==
            ERROR_SUCCESS) {
            value.resize(got / sizeof(wchar_t));
            const std::size_t end = value.find(L'\0');
            if (end != std::wstring::npos) value.resize(end);
        } else {
            value.clear();
        }
    }
    return value;
}

void RegistrySettings::WriteDwordValue(const std::string& name, std::uint32_t value) const {
    const RegistryKey key = Open();
    if (!key) return;
    const DWORD data = value;
    RegSetValueExW(key.Get(), os::ToWide(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}

std::uint32_t RegistrySettings::ReadDwordValue(const std::string& name) const {
    const RegistryKey key = Open();
    if (!key) return 0;
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof data;
    if (RegQueryValueExW(key.Get(), os::ToWide(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD) {
        data = 0;
    }
    return data;
}

void RegistrySettings::DeleteValue(const std::string& name) const {
    const RegistryKey key = Open();
    if (!key) return;
    RegDeleteValueW(key.Get(), os::ToWide(name).c_str());
}

}  // namespace vondrel::win
