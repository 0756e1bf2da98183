#include "registry/advapi32_registry.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

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

bool IsStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// Gives an 8-bit name back as the A functions do: *length goes in as the buffer's size in
// characters, terminator included, and comes back as the name's length; a name that does not fit
// is ERROR_MORE_DATA.
Status StoreName(const std::wstring& wide, char* buffer, std::uint32_t* length) {
    const std::string name = ToWtf8(wide);
    if (buffer == nullptr || length == nullptr || name.size() >= *length) {
        return ERROR_MORE_DATA;
    }
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *length = static_cast<std::uint32_t>(name.size());
    return ERROR_SUCCESS;
}

HKEY ToHkey(RegKey key) {
    return reinterpret_cast<HKEY>(key);
}
RegKey FromHkey(HKEY key) {
    return reinterpret_cast<RegKey>(key);
}

// advapi32 takes DWORD pointers; our sizes are uint32_t, which is the same type only by chance
// of the platform headers, so every in/out count goes through a local.
class DwordArg {
public:
    explicit DwordArg(std::uint32_t* target) : target_(target), value_(target ? *target : 0) {}
    ~DwordArg() {
        if (target_) {
            *target_ = value_;
        }
    }
    DwordArg(const DwordArg&) = delete;
    DwordArg& operator=(const DwordArg&) = delete;

    DWORD* get() { return target_ ? &value_ : nullptr; }

private:
    std::uint32_t* target_;
    DWORD value_;
};

FILETIME* ToFiletime(FileTime* time, FILETIME& local) {
    return time ? &local : nullptr;
}
void StoreFiletime(FileTime* time, const FILETIME& local) {
    if (time) {
        time->low = local.dwLowDateTime;
        time->high = local.dwHighDateTime;
    }
}

}  // namespace

Status Advapi32Registry::OpenKeyEx(RegKey key, const char* subKey, std::uint32_t options,
                                   std::uint32_t access, RegKey* result) {
    HKEY opened = nullptr;
    const LONG status =
        RegOpenKeyExW(ToHkey(key), WideName(subKey).get(), options, access, &opened);
    if (result) {
        *result = FromHkey(opened);
    }
    return status;
}

Status Advapi32Registry::CreateKey(RegKey key, const char* subKey, RegKey* result) {
    HKEY created = nullptr;
    const LONG status = RegCreateKeyW(ToHkey(key), WideName(subKey).get(), &created);
    if (result) {
        *result = FromHkey(created);
    }
    return status;
}

Status Advapi32Registry::CloseKey(RegKey key) {
    return RegCloseKey(ToHkey(key));
}

// The whole value is read as UTF-16 and handed out as RegQueryValueExA gives it under a UTF-8
// code page: strings converted, their byte count that of the 8-bit form.
Status Advapi32Registry::QueryValueEx(RegKey key, const char* valueName, std::uint32_t* reserved,
                                      std::uint32_t* type, std::uint8_t* data,
                                      std::uint32_t* dataSize) {
    if (reserved != nullptr || (data != nullptr && dataSize == nullptr)) {
        return ERROR_INVALID_PARAMETER;
    }
    const WideName name(valueName);
    DWORD valueType = REG_NONE;
    std::vector<std::uint8_t> bytes(256);
    LONG status = ERROR_MORE_DATA;
    // RegQueryValueExW: on ERROR_MORE_DATA the byte count holds the size needed (MSDN); the value
    // may grow again before the next call, hence the loop.
    while (status == ERROR_MORE_DATA) {
        DWORD size = static_cast<DWORD>(bytes.size());
        status =
            RegQueryValueExW(ToHkey(key), name.get(), nullptr, &valueType, bytes.data(), &size);
        if (status == ERROR_MORE_DATA) {
            bytes.resize(std::max<std::size_t>(size, bytes.size() * 2));
        } else {
            bytes.resize(size);
        }
    }
    if (status != ERROR_SUCCESS) {
        if (type && status == ERROR_FILE_NOT_FOUND) {
            *type = REG_NONE;
        }
        return status;
    }
    if (IsStringType(valueType)) {
        // An odd last byte is no UTF-16 unit; the A functions drop it too.
        std::wstring wide(bytes.size() / sizeof(wchar_t), L'\0');
        std::memcpy(wide.data(), bytes.data(), wide.size() * sizeof(wchar_t));
        const std::string converted = ToWtf8(wide);
        bytes.assign(converted.begin(), converted.end());
    }
    if (type) {
        *type = valueType;
    }
    const auto size = static_cast<std::uint32_t>(bytes.size());
    status = ERROR_SUCCESS;
    if (data != nullptr && size > 0) {
        if (size > *dataSize) {
            status = ERROR_MORE_DATA;
        } else {
            std::copy(bytes.begin(), bytes.end(), data);
            // An unterminated string is terminated when the buffer has room to spare.
            if (IsStringType(valueType) && size < *dataSize && data[size - 1] != 0) {
                data[size] = 0;
            }
        }
    }
    if (dataSize) {
        *dataSize = size;
    }
    return status;
}

Status Advapi32Registry::SetValueEx(RegKey key, const char* valueName, std::uint32_t reserved,
                                    std::uint32_t type, const std::uint8_t* data,
                                    std::uint32_t dataSize) {
    if (!IsStringType(type) || data == nullptr) {
        return RegSetValueExW(ToHkey(key), WideName(valueName).get(), reserved, type, data,
                              dataSize);
    }
    // As RegSetValueExA does: a string whose count leaves out the NUL that follows it gets that
    // NUL, so the byte after the data must be readable.
    if (dataSize > 0 && data[dataSize - 1] != 0 && data[dataSize] == 0) {
        ++dataSize;
    }
    std::wstring wide = FromWtf8(std::string_view(reinterpret_cast<const char*>(data), dataSize));
    const auto wideSize = static_cast<DWORD>(wide.size() * sizeof(wchar_t));
    // RegSetValueExW applies the same rule to the unit after its data; that unit is not the
    // caller's, so it must not be a NUL: the count given is then the count written.
    wide.push_back(L'\xFFFF');
    return RegSetValueExW(ToHkey(key), WideName(valueName).get(), reserved, type,
                          reinterpret_cast<const BYTE*>(wide.data()), wideSize);
}

Status Advapi32Registry::DeleteValue(RegKey key, const char* valueName) {
    return RegDeleteValueW(ToHkey(key), WideName(valueName).get());
}

Status Advapi32Registry::DeleteKey(RegKey key, const char* subKey) {
    return RegDeleteKeyW(ToHkey(key), WideName(subKey).get());
}

// Name lengths stay in UTF-16 units, as RegQueryInfoKeyA counts them.
Status Advapi32Registry::QueryInfoKey(RegKey key, char* className, std::uint32_t* classLength,
                                      std::uint32_t* reserved, std::uint32_t* subKeyCount,
                                      std::uint32_t* maxSubKeyLength, std::uint32_t* maxClassLength,
                                      std::uint32_t* valueCount, std::uint32_t* maxValueNameLength,
                                      std::uint32_t* maxValueLength,
                                      std::uint32_t* securityDescriptorSize,
                                      FileTime* lastWriteTime) {
    DwordArg reservedArg(reserved), subKeysArg(subKeyCount), maxSubKeyArg(maxSubKeyLength),
        maxClassArg(maxClassLength), valuesArg(valueCount), maxValueNameArg(maxValueNameLength),
        maxValueArg(maxValueLength), securityArg(securityDescriptorSize);
    std::vector<wchar_t> wideClass(MAX_PATH + 1);
    DWORD wideClassLength = static_cast<DWORD>(wideClass.size());
    FILETIME time{};
    LONG status = RegQueryInfoKeyW(ToHkey(key), className ? wideClass.data() : nullptr,
                                   classLength ? &wideClassLength : nullptr, reservedArg.get(),
                                   subKeysArg.get(), maxSubKeyArg.get(), maxClassArg.get(),
                                   valuesArg.get(), maxValueNameArg.get(), maxValueArg.get(),
                                   securityArg.get(), ToFiletime(lastWriteTime, time));
    StoreFiletime(lastWriteTime, time);
    if (status == ERROR_SUCCESS && classLength) {
        const std::wstring wide(wideClass.data(), className ? wideClassLength : 0);
        if (className) {
            status = StoreName(wide, className, classLength);
        } else {
            *classLength = static_cast<std::uint32_t>(ToWtf8(wide).size());
        }
    }
    return status;
}

Status Advapi32Registry::EnumKeyEx(RegKey key, std::uint32_t index, char* name,
                                   std::uint32_t* nameLength, std::uint32_t* reserved,
                                   char* className, std::uint32_t* classLength,
                                   FileTime* lastWriteTime) {
    if (reserved != nullptr || name == nullptr || nameLength == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    // Key names are at most 255 UTF-16 units, and the class is read in full.
    std::vector<wchar_t> wideName(256);
    DWORD wideNameLength = static_cast<DWORD>(wideName.size());
    std::vector<wchar_t> wideClass(MAX_PATH + 1);
    DWORD wideClassLength = static_cast<DWORD>(wideClass.size());
    FILETIME time{};
    const bool wantClass = className != nullptr && classLength != nullptr;
    const LONG status =
        RegEnumKeyExW(ToHkey(key), index, wideName.data(), &wideNameLength, nullptr,
                      wantClass ? wideClass.data() : nullptr,
                      wantClass ? &wideClassLength : nullptr, ToFiletime(lastWriteTime, time));
    if (status != ERROR_SUCCESS) {
        return status;
    }
    StoreFiletime(lastWriteTime, time);
    if (wantClass) {
        if (const Status classStatus =
                StoreName(std::wstring(wideClass.data(), wideClassLength), className, classLength);
            classStatus != ERROR_SUCCESS) {
            return classStatus;
        }
    }
    return StoreName(std::wstring(wideName.data(), wideNameLength), name, nameLength);
}

}  // namespace tilu
