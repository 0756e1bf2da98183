// The registry services of Windows (or Wine) through advapi32's W functions, with names and string
// data converted between UTF-16 and WTF-8. The results are those of the A functions under a UTF-8
// code page, whatever code page the process has: no code page can change a text.
#pragma once

#include "registry/registry_api.h"

namespace tilu {

class Advapi32Registry : public RegistryApi {
public:
    Status OpenKeyEx(RegKey key, const char* subKey, Dword access, RegKey& result) override;
    Status CreateKey(RegKey key, const char* subKey, RegKey& result) override;
    Status CloseKey(RegKey key) override;
    Status QueryValueEx(RegKey key, const char* valueName, Dword& type, std::uint8_t* data,
                        Dword& size) override;
    Status SetValueEx(RegKey key, const char* valueName, Dword type, const std::uint8_t* data,
                      Dword size) override;
    Status QueryValueBytes(RegKey key, const char* valueName, Dword& type,
                           std::vector<std::uint8_t>& bytes) override;
    Status SetValueBytes(RegKey key, const char* valueName, Dword type,
                         std::span<const std::uint8_t> bytes) override;
    Status DeleteValue(RegKey key, const char* valueName) override;
    Status DeleteKey(RegKey key, const char* subKey) override;
    Status QueryInfoKey(RegKey key, Dword& subKeyCount, Dword& longestSubKey) override;
    Status EnumKeyEx(RegKey key, Dword index, char* name, Dword& nameLength) override;
};

}  // namespace tilu
