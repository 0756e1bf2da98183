// The registry that tests run against, and scratch keys to run them in.
//
// Natively the backend is one process-wide MemoryRegistry; under Windows or Wine it is the real
// registry, and tests touch it only below HKEY_CURRENT_USER\Software\TiluTests. Test programs
// may run in parallel under one Wine prefix, so each program uses scratch key names of its own
// (start them with the program's purpose, e.g. L"registry.SetValue").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "registry/registry_api.h"

namespace tilu::testing {

RegistryApi& TestRegistry();

inline constexpr RegKey kCurrentUserKey = RootKeyHandle(kHkeyCurrentUser);

struct RawValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;

    bool operator==(const RawValue&) const = default;
};

// HKEY_CURRENT_USER\Software\TiluTests\<name> on TestRegistry(), deleted with everything below
// it when the scratch key is made and again when it goes. The key itself is not created: the
// first SetRaw or CreateSubkey creates it.
class ScratchKey {
public:
    explicit ScratchKey(std::wstring name);
    ~ScratchKey();
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    // "HKEY_CURRENT_USER\Software\TiluTests\<name>".
    const std::wstring& Path() const { return path_; }
    // "Software\TiluTests\<name>" in the ANSI code page, relative to HKEY_CURRENT_USER.
    std::string Subkey() const { return subkey_; }

    // Writes a value with exactly these bytes, creating the key if needed. `relative` names a
    // subkey below the scratch key ("" for the scratch key itself).
    void SetRaw(const std::string& valueName, std::uint32_t type, std::vector<std::uint8_t> bytes,
                const std::string& relative = "");
    // Writes a value as the registry is to store it (a string as its UTF-16 units), exactly,
    // creating the key if needed.
    void SetStored(const std::string& valueName, const RawValue& value);
    // Type and bytes of a value, or nothing when the key or the value is missing.
    std::optional<RawValue> GetRaw(const std::string& valueName,
                                   const std::string& relative = "") const;

    // Creates a key below the scratch key (and the scratch key itself).
    void CreateSubkey(const std::string& relative);
    // Whether the key `relative` below the scratch key ("" for the scratch key) exists.
    bool Exists(const std::string& relative = "") const;

private:
    std::string Below(const std::string& relative) const;

    std::wstring path_;
    std::string subkey_;
};

// Deletes `subKey` below `parent` with every key below it, through the raw RegistryApi (so test
// set-up does not depend on the module under test). Missing keys are fine.
void DeleteTreeRaw(RegistryApi& api, RegKey parent, const std::string& subKey);

}  // namespace tilu::testing
