#include "registry/advapi32_registry.h"

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "registry/ansi_value.h"
#include "registry/whole_value.h"
#include "registry/wtf8.h"

namespace tilu {
namespace {

// A name as the W functions take it: null stays null.
class WideName {
public:
    explicit WideName(const char* name) {
        if (name) {
            text_ = FromWtf8(name);
        }
    }
    const wchar_t* get() const { return text_ ? text_->c_str() : nullptr; }

private:
    std::optional<std::wstring> text_;
};

HKEY ToHkey(RegKey key) {
    return reinterpret_cast<HKEY>(key);
}
RegKey FromHkey(HKEY key) {
    return reinterpret_cast<RegKey>(key);
}

}  // namespace

Status Advapi32Registry::OpenKeyEx(RegKey key, const char* subKey, Dword access, RegKey& result) {
    HKEY opened = nullptr;
    const LONG status = RegOpenKeyExW(ToHkey(key), WideName(subKey).get(), 0, access, &opened);
    result = FromHkey(opened);
    return status;
}

Status Advapi32Registry::CreateKey(RegKey key, const char* subKey, RegKey& result) {
    HKEY created = nullptr;
    const LONG status = RegCreateKeyW(ToHkey(key), WideName(subKey).get(), &created);
    result = FromHkey(created);
    return status;
}

Status Advapi32Registry::CloseKey(RegKey key) {
    return RegCloseKey(ToHkey(key));
}

// The whole value as stored, read with RegQueryValueExW.
Status Advapi32Registry::QueryValueBytes(RegKey key, const char* valueName, Dword& type,
                                         std::vector<std::uint8_t>& bytes) {
    const WideName name(valueName);
    return ReadWholeValue(
        [&](Dword& valueType, std::uint8_t* data, Dword& size) {
            DWORD wideType = REG_NONE;
            DWORD count = size;
            const LONG status =
                RegQueryValueExW(ToHkey(key), name.get(), nullptr, &wideType, data, &count);
            valueType = wideType;
            size = count;
            return status;
        },
        type, bytes);
}

Status Advapi32Registry::SetValueBytes(RegKey key, const char* valueName, Dword type,
                                       std::span<const std::uint8_t> bytes) {
    // RegSetValueExW counts a NUL unit that directly follows string data as part of it, so the
    // unit after the data must not be a NUL: the count given is then the count written.
    std::vector<std::uint8_t> guarded(bytes.begin(), bytes.end());
    guarded.insert(guarded.end(), {0xFF, 0xFF});
    return RegSetValueExW(ToHkey(key), WideName(valueName).get(), 0, type, guarded.data(),
                          static_cast<DWORD>(bytes.size()));
}

// As RegQueryValueExA gives a value under a UTF-8 code page: strings converted, their byte count
// that of the 8-bit form.
Status Advapi32Registry::QueryValueEx(RegKey key, const char* valueName, Dword& type,
                                      std::uint8_t* data, Dword& size) {
    std::vector<std::uint8_t> stored;
    Dword storedType = kRegNone;
    const Status status = QueryValueBytes(key, valueName, storedType, stored);
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) {
        type = storedType;
    }
    if (status != ERROR_SUCCESS) {
        return status;
    }
    return CopyValueOut(type, AnsiData(type, stored), data, size);
}

Status Advapi32Registry::SetValueEx(RegKey key, const char* valueName, Dword type,
                                    const std::uint8_t* data, Dword size) {
    if (data == nullptr) {
        return RegSetValueExW(ToHkey(key), WideName(valueName).get(), 0, type, data, size);
    }
    return SetValueBytes(key, valueName, type, StoredData(type, data, size));
}

Status Advapi32Registry::DeleteValue(RegKey key, const char* valueName) {
    return RegDeleteValueW(ToHkey(key), WideName(valueName).get());
}

Status Advapi32Registry::DeleteKey(RegKey key, const char* subKey) {
    return RegDeleteKeyW(ToHkey(key), WideName(subKey).get());
}

// Name lengths stay in UTF-16 units, as RegQueryInfoKeyA counts them. Every other out-parameter
// of RegQueryInfoKeyW may be null (MSDN).
Status Advapi32Registry::QueryInfoKey(RegKey key, Dword& subKeyCount, Dword& longestSubKey) {
    DWORD count = 0;
    DWORD longest = 0;
    const LONG status = RegQueryInfoKeyW(ToHkey(key), nullptr, nullptr, nullptr, &count, &longest,
                                         nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    subKeyCount = count;
    longestSubKey = longest;
    return status;
}

Status Advapi32Registry::EnumKeyEx(RegKey key, Dword index, char* name, Dword& nameLength) {
    // Key names are at most 255 UTF-16 units; RegEnumKeyExW takes null for the class and the
    // last-write time (MSDN).
    std::array<wchar_t, 256> wide{};
    DWORD wideLength = wide.size();
    const LONG status = RegEnumKeyExW(ToHkey(key), index, wide.data(), &wideLength, nullptr,
                                      nullptr, nullptr, nullptr);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    return CopyNameOut(ToWtf8(std::wstring_view(wide.data(), wideLength)), name, nameLength);
}

}  // namespace tilu
