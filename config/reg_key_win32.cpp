#include "config/reg_key_win32.h"

#include <string>
#include <vector>

#include "common/win32/wide_win32.h"

namespace {

REGSAM ViewFor(HKEY root) {
    return root == HKEY_LOCAL_MACHINE ? KEY_WOW64_64KEY : 0;
}

}  // namespace

RegKey& RegKey::operator=(RegKey&& other) noexcept {
    if (this != &other) {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
        key_ = other.key_;
        other.key_ = nullptr;
    }
    return *this;
}

RegKey::~RegKey() {
    if (key_ != nullptr) {
        RegCloseKey(key_);
    }
}

RegKey RegKey::OpenForRead(HKEY root, const char16_t* path, LONG* error) {
    HKEY key = nullptr;
    const LONG opened = RegOpenKeyExW(root, AsWide(path), 0, KEY_READ | ViewFor(root), &key);
    if (error != nullptr) {
        *error = opened;
    }
    return opened == ERROR_SUCCESS ? RegKey(key) : RegKey();
}

RegKey RegKey::OpenForWrite(HKEY root, const char16_t* path) {
    HKEY key = nullptr;
    return RegOpenKeyExW(root, AsWide(path), 0, KEY_READ | KEY_WRITE | ViewFor(root), &key) ==
                   ERROR_SUCCESS
               ? RegKey(key)
               : RegKey();
}

RegKey RegKey::CreateForWrite(HKEY root, const char16_t* path) {
    HKEY key = nullptr;
    return RegCreateKeyExW(root, AsWide(path), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_READ | KEY_WRITE | ViewFor(root), nullptr, &key,
                           nullptr) == ERROR_SUCCESS
               ? RegKey(key)
               : RegKey();
}

bool RegKey::DeleteKey(HKEY root, const char16_t* path) {
    return path != nullptr && path[0] != u'\0' &&
           RegDeleteKeyExW(root, AsWide(path), ViewFor(root), 0) == ERROR_SUCCESS;
}

bool RegKey::HasValue(const char16_t* name) const {
    return key_ != nullptr && RegQueryValueExW(key_, AsWide(name), nullptr, nullptr, nullptr,
                                               nullptr) == ERROR_SUCCESS;
}

std::optional<std::uint32_t> RegKey::ReadDword(const char16_t* name) const {
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (key_ == nullptr ||
        RegQueryValueExW(key_, AsWide(name), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::uint64_t> RegKey::ReadQword(const char16_t* name) const {
    DWORD type = 0;
    std::uint64_t value = 0;
    DWORD size = sizeof value;
    if (key_ == nullptr ||
        RegQueryValueExW(key_, AsWide(name), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS ||
        type != REG_QWORD || size != sizeof value) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::u16string> RegKey::ReadString(const char16_t* name, std::size_t maxUnits) const {
    if (key_ == nullptr) {
        return std::nullopt;
    }
    // The stored bytes need not be terminated nor fit any fixed buffer: ask
    // for the size, read it all, then terminate and cut here.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(key_, AsWide(name), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            type != REG_SZ) {
            return std::nullopt;
        }
        std::vector<char16_t> data(size / sizeof(char16_t) + 1, u'\0');
        DWORD got = size;
        const LONG status = RegQueryValueExW(key_, AsWide(name), nullptr, &type,
                                             reinterpret_cast<BYTE*>(data.data()), &got);
        if (status == ERROR_MORE_DATA) {
            continue;  // the value grew in between
        }
        if (status != ERROR_SUCCESS || type != REG_SZ) {
            return std::nullopt;
        }
        std::u16string text(data.data(), got / sizeof(char16_t));
        text.resize(std::char_traits<char16_t>::length(text.c_str()));
        if (text.size() > maxUnits) {
            text.resize(maxUnits);
        }
        return text;
    }
    return std::nullopt;
}

bool RegKey::WriteDword(const char16_t* name, std::uint32_t value) const {
    const DWORD data = value;
    return key_ != nullptr &&
           RegSetValueExW(key_, AsWide(name), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof data) == ERROR_SUCCESS;
}

bool RegKey::WriteQword(const char16_t* name, std::uint64_t value) const {
    return key_ != nullptr &&
           RegSetValueExW(key_, AsWide(name), 0, REG_QWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof value) == ERROR_SUCCESS;
}

bool RegKey::WriteString(const char16_t* name, const char16_t* value) const {
    if (key_ == nullptr || value == nullptr) {
        return false;
    }
    const DWORD bytes =
        static_cast<DWORD>((std::char_traits<char16_t>::length(value) + 1) * sizeof(char16_t));
    return RegSetValueExW(key_, AsWide(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                          bytes) == ERROR_SUCCESS;
}

bool RegKey::DeleteValue(const char16_t* name) const {
    return key_ != nullptr && RegDeleteValueW(key_, AsWide(name)) == ERROR_SUCCESS;
}

bool RegKey::RemoveValue(const char16_t* name) const {
    return key_ != nullptr && (!HasValue(name) || DeleteValue(name));
}

std::vector<std::u16string> RegKey::SubkeyNames() const {
    std::vector<std::u16string> names;
    if (key_ == nullptr) {
        return names;
    }
    // Key names are at most 255 units.
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD units = 256;
        const LONG status =
            RegEnumKeyExW(key_, index, name, &units, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA) {
            continue;
        }
        if (status != ERROR_SUCCESS) {
            return names;
        }
        names.emplace_back(AsU16(std::wstring_view(name, units)));
    }
}

std::optional<RegKey::Counts> RegKey::QueryCounts() const {
    DWORD subkeys = 0;
    DWORD values = 0;
    if (key_ == nullptr ||
        RegQueryInfoKeyW(key_, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return Counts{subkeys, values};
}

bool RegKey::DeleteSubkey(const char16_t* name) const {
    return key_ != nullptr && name != nullptr && name[0] != u'\0' &&
           RegDeleteKeyW(key_, AsWide(name)) == ERROR_SUCCESS;
}
