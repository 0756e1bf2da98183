#include "registry/advapi32_registry.h"

#include <windows.h>

namespace tilu {
namespace {

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
    const LONG status = RegOpenKeyExA(ToHkey(key), subKey, options, access, &opened);
    if (result) {
        *result = FromHkey(opened);
    }
    return status;
}

Status Advapi32Registry::CreateKey(RegKey key, const char* subKey, RegKey* result) {
    HKEY created = nullptr;
    const LONG status = RegCreateKeyA(ToHkey(key), subKey, &created);
    if (result) {
        *result = FromHkey(created);
    }
    return status;
}

Status Advapi32Registry::CloseKey(RegKey key) {
    return RegCloseKey(ToHkey(key));
}

Status Advapi32Registry::QueryValueEx(RegKey key, const char* valueName, std::uint32_t* reserved,
                                      std::uint32_t* type, std::uint8_t* data,
                                      std::uint32_t* dataSize) {
    DwordArg reservedArg(reserved), typeArg(type), sizeArg(dataSize);
    return RegQueryValueExA(ToHkey(key), valueName, reservedArg.get(), typeArg.get(), data,
                            sizeArg.get());
}

Status Advapi32Registry::SetValueEx(RegKey key, const char* valueName, std::uint32_t reserved,
                                    std::uint32_t type, const std::uint8_t* data,
                                    std::uint32_t dataSize) {
    return RegSetValueExA(ToHkey(key), valueName, reserved, type, data, dataSize);
}

Status Advapi32Registry::DeleteValue(RegKey key, const char* valueName) {
    return RegDeleteValueA(ToHkey(key), valueName);
}

Status Advapi32Registry::DeleteKey(RegKey key, const char* subKey) {
    return RegDeleteKeyA(ToHkey(key), subKey);
}

Status Advapi32Registry::QueryInfoKey(RegKey key, char* className, std::uint32_t* classLength,
                                      std::uint32_t* reserved, std::uint32_t* subKeyCount,
                                      std::uint32_t* maxSubKeyLength, std::uint32_t* maxClassLength,
                                      std::uint32_t* valueCount, std::uint32_t* maxValueNameLength,
                                      std::uint32_t* maxValueLength,
                                      std::uint32_t* securityDescriptorSize,
                                      FileTime* lastWriteTime) {
    DwordArg classArg(classLength), reservedArg(reserved), subKeysArg(subKeyCount),
        maxSubKeyArg(maxSubKeyLength), maxClassArg(maxClassLength), valuesArg(valueCount),
        maxValueNameArg(maxValueNameLength), maxValueArg(maxValueLength),
        securityArg(securityDescriptorSize);
    FILETIME time{};
    const LONG status = RegQueryInfoKeyA(ToHkey(key), className, classArg.get(), reservedArg.get(),
                                         subKeysArg.get(), maxSubKeyArg.get(), maxClassArg.get(),
                                         valuesArg.get(), maxValueNameArg.get(), maxValueArg.get(),
                                         securityArg.get(), ToFiletime(lastWriteTime, time));
    StoreFiletime(lastWriteTime, time);
    return status;
}

Status Advapi32Registry::EnumKeyEx(RegKey key, std::uint32_t index, char* name,
                                   std::uint32_t* nameLength, std::uint32_t* reserved,
                                   char* className, std::uint32_t* classLength,
                                   FileTime* lastWriteTime) {
    DwordArg nameArg(nameLength), reservedArg(reserved), classArg(classLength);
    FILETIME time{};
    const LONG status = RegEnumKeyExA(ToHkey(key), index, name, nameArg.get(), reservedArg.get(),
                                      className, classArg.get(), ToFiletime(lastWriteTime, time));
    StoreFiletime(lastWriteTime, time);
    return status;
}

}  // namespace tilu
