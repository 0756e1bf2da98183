// The registry services of Windows (or Wine) through advapi32's W functions, with names and string
// data converted between UTF-16 and WTF-8. The results are those of the A functions under a UTF-8
// code page, whatever code page the process has: no code page can change a text.
#pragma once

#include "registry/registry_api.h"

namespace tilu {

class Advapi32Registry : public RegistryApi {
public:
    Status OpenKeyEx(RegKey key, const char* subKey, std::uint32_t options, std::uint32_t access,
                     RegKey* result) override;
    Status CreateKey(RegKey key, const char* subKey, RegKey* result) override;
    Status CloseKey(RegKey key) override;
    Status QueryValueEx(RegKey key, const char* valueName, std::uint32_t* reserved,
                        std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override;
    Status SetValueEx(RegKey key, const char* valueName, std::uint32_t reserved, std::uint32_t type,
                      const std::uint8_t* data, std::uint32_t dataSize) override;
    Status DeleteValue(RegKey key, const char* valueName) override;
    Status DeleteKey(RegKey key, const char* subKey) override;
    Status QueryInfoKey(RegKey key, char* className, std::uint32_t* classLength,
                        std::uint32_t* reserved, std::uint32_t* subKeyCount,
                        std::uint32_t* maxSubKeyLength, std::uint32_t* maxClassLength,
                        std::uint32_t* valueCount, std::uint32_t* maxValueNameLength,
                        std::uint32_t* maxValueLength, std::uint32_t* securityDescriptorSize,
                        FileTime* lastWriteTime) override;
    Status EnumKeyEx(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                     std::uint32_t* reserved, char* className, std::uint32_t* classLength,
                     FileTime* lastWriteTime) override;
};

}  // namespace tilu
