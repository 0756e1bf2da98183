// The registry services the registry module is built on, as one small interface.
//
// The argument and status semantics are those of advapi32's ANSI functions (RegOpenKeyExA and
// friends) under a UTF-8 code page, whatever the process's code page: texts are WTF-8 byte
// strings (registry/wtf8.h), sizes are in bytes (names in characters where advapi32 counts
// characters), and every call returns a Win32 status code.
// Two implementations: Advapi32Registry forwards to Windows (or Wine); MemoryRegistry is a portable
// in-memory store that behaves the same way, used where there is no registry.
#pragma once

#include <cstdint>

namespace tilu {

// A key handle: a predefined root (sign-extended from its 32-bit value, as Windows defines
// HKEY_CURRENT_USER and the others) or a key returned by OpenKeyEx or CreateKey.
using RegKey = std::intptr_t;

// A Win32 status code (LONG): 0 for success, otherwise the service's own error code.
using Status = std::int32_t;

// The status codes the project names. Every other code is passed through untouched.
inline constexpr Status kErrorSuccess = 0;
inline constexpr Status kErrorFileNotFound = 2;
inline constexpr Status kErrorAccessDenied = 5;
inline constexpr Status kErrorInvalidHandle = 6;
inline constexpr Status kErrorInvalidParameter = 87;
inline constexpr Status kErrorBadPathname = 161;
inline constexpr Status kErrorMoreData = 234;
inline constexpr Status kErrorNoMoreItems = 259;
inline constexpr Status kErrorKeyDeleted = 1018;

// Value type codes.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

// Access masks.
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyWrite = 0x20006;
inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;

// A FILETIME: 100-ns intervals since 1601, as two 32-bit halves.
struct FileTime {
    std::uint32_t low = 0;
    std::uint32_t high = 0;
};

// A predefined root key as a 32-bit handle.
using RootHandle = std::int32_t;

inline constexpr RootHandle kHkeyClassesRoot = static_cast<RootHandle>(0x80000000u);
inline constexpr RootHandle kHkeyCurrentUser = static_cast<RootHandle>(0x80000001u);
inline constexpr RootHandle kHkeyLocalMachine = static_cast<RootHandle>(0x80000002u);
inline constexpr RootHandle kHkeyUsers = static_cast<RootHandle>(0x80000003u);
inline constexpr RootHandle kHkeyPerformanceData = static_cast<RootHandle>(0x80000004u);
inline constexpr RootHandle kHkeyCurrentConfig = static_cast<RootHandle>(0x80000005u);
inline constexpr RootHandle kHkeyDynData = static_cast<RootHandle>(0x80000006u);

// Signed comparison: the predefined roots are the seven smallest 32-bit values.
constexpr bool IsPredefinedRoot(RootHandle root) {
    return root >= kHkeyClassesRoot && root <= kHkeyDynData;
}

// Turns a 32-bit root handle into a key handle, sign-extended as Windows does for its
// predefined keys.
constexpr RegKey RootKeyHandle(RootHandle root) {
    return static_cast<RegKey>(root);
}

class RegistryApi {
public:
    virtual ~RegistryApi() = default;

    // RegOpenKeyExA. An empty or null subKey opens `key` itself (a new handle to it).
    virtual Status OpenKeyEx(RegKey key, const char* subKey, std::uint32_t options,
                             std::uint32_t access, RegKey* result) = 0;
    // RegCreateKeyA: opens the key, creating it (and missing parents) first if needed.
    virtual Status CreateKey(RegKey key, const char* subKey, RegKey* result) = 0;
    // RegCloseKey. Closing a predefined root is allowed and does nothing.
    virtual Status CloseKey(RegKey key) = 0;
    // RegQueryValueExA. `type`, `data` and `dataSize` may be null as in advapi32; a too-small
    // *dataSize gives kErrorMoreData with the required size stored back.
    virtual Status QueryValueEx(RegKey key, const char* valueName, std::uint32_t* reserved,
                                std::uint32_t* type, std::uint8_t* data,
                                std::uint32_t* dataSize) = 0;
    // RegSetValueExA.
    virtual Status SetValueEx(RegKey key, const char* valueName, std::uint32_t reserved,
                              std::uint32_t type, const std::uint8_t* data,
                              std::uint32_t dataSize) = 0;
    // RegDeleteValueA.
    virtual Status DeleteValue(RegKey key, const char* valueName) = 0;
    // RegDeleteKeyA: deletes a key that has no subkeys.
    virtual Status DeleteKey(RegKey key, const char* subKey) = 0;
    // RegQueryInfoKeyA. Every out pointer may be null.
    virtual Status QueryInfoKey(RegKey key, char* className, std::uint32_t* classLength,
                                std::uint32_t* reserved, std::uint32_t* subKeyCount,
                                std::uint32_t* maxSubKeyLength, std::uint32_t* maxClassLength,
                                std::uint32_t* valueCount, std::uint32_t* maxValueNameLength,
                                std::uint32_t* maxValueLength,
                                std::uint32_t* securityDescriptorSize, FileTime* lastWriteTime) = 0;
    // RegEnumKeyExA. *nameLength goes in as the buffer size in characters (terminator included)
    // and comes back as the name's length without it.
    virtual Status EnumKeyEx(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                             std::uint32_t* reserved, char* className, std::uint32_t* classLength,
                             FileTime* lastWriteTime) = 0;
};

}  // namespace tilu
