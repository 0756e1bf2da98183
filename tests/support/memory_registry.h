// A portable in-memory registry with the semantics of advapi32's A functions as Windows and Wine
// show them: keys nested by path under the predefined roots, named typed byte values, names
// compared case-insensitively (ASCII folding), subkeys enumerated in case-insensitive order, and
// the same Win32 status codes (2 missing key or value, 5 access denied, 6 bad handle, 234 buffer
// too small, 259 no more items, 1018 key deleted).
//
// Value data is stored as Windows keeps it (strings as UTF-16); names are the WTF-8 byte strings
// given. Every predefined root
// exists except HKEY_PERFORMANCE_DATA, which, as under Wine, opens as itself and otherwise gives
// kErrorInvalidHandle.
#pragma once

#include <cstddef>
#include <map>
#include <memory>

#include "registry/registry_api.h"

namespace tilu {

class MemoryRegistry : public RegistryApi {
public:
    MemoryRegistry();
    ~MemoryRegistry() override;
    MemoryRegistry(const MemoryRegistry&) = delete;
    MemoryRegistry& operator=(const MemoryRegistry&) = delete;

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

    // A key of the store; opaque outside memory_registry.cpp.
    struct Node;

private:
    struct Handle {
        std::shared_ptr<Node> node;
        Dword access;
    };

    // The key behind a handle with at least the `access` rights, or the status that refuses it.
    Status Resolve(RegKey key, Dword access, std::shared_ptr<Node>& node) const;
    RegKey AddHandle(std::shared_ptr<Node> node, Dword access);
    // The key subKey below key, creating the missing keys when asked.
    Status Find(RegKey key, const char* subKey, bool create, std::shared_ptr<Node>& node);
    // Opens subKey below key (creating the missing keys when asked) as a new handle.
    Status OpenNode(RegKey key, const char* subKey, bool create, Dword access, RegKey& result);

    std::map<RegKey, std::shared_ptr<Node>> roots_;
    std::map<RegKey, Handle> handles_;
    RegKey nextHandle_ = 0x100;
};

}  // namespace tilu
