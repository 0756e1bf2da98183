// The registry services the registry module uses, as one small interface: the arguments cQueryReg
// passes and what it reads back, nothing more.
//
// Each call has the semantics of the advapi32 function it is named after, in its ANSI form
// (RegOpenKeyExA and friends) under a UTF-8 code page, whatever the process's code page: texts
// are WTF-8 byte strings (registry/wtf8.h), data sizes are in bytes, subkey-name lengths in the
// UTF-16 units Windows counts, and every call returns a Win32 status code. The two byte calls
// hand data over in the Unicode form instead, as stored, so that a value of any type can be
// copied exactly.
// Two implementations: Advapi32Registry forwards to Windows (or Wine); the tests' MemoryRegistry
// (tests/support) is a portable in-memory store that behaves the same way, used where there is
// no registry.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tilu {

// A key handle: a predefined root (sign-extended from its 32-bit value, as Windows defines
// HKEY_CURRENT_USER and the others) or a key returned by OpenKeyEx or CreateKey.
using RegKey = std::intptr_t;

// A Win32 status code (LONG): 0 for success, otherwise the service's own error code.
using Status = std::int32_t;

// A DWORD: value types, access masks, sizes, counts and indices.
using Dword = std::uint32_t;

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
inline constexpr Dword kRegNone = 0;
inline constexpr Dword kRegSz = 1;
inline constexpr Dword kRegExpandSz = 2;
inline constexpr Dword kRegBinary = 3;
inline constexpr Dword kRegDword = 4;
inline constexpr Dword kRegMultiSz = 7;

// Access masks.
inline constexpr Dword kKeyRead = 0x20019;
inline constexpr Dword kKeyWrite = 0x20006;
inline constexpr Dword kKeyAllAccess = 0xF003F;

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

    // RegOpenKeyExA with options 0. An empty or null subKey opens `key` itself (a new handle).
    virtual Status OpenKeyEx(RegKey key, const char* subKey, Dword access, RegKey& result) = 0;
    // RegCreateKeyA: opens the key, creating it (and missing parents) first if needed.
    virtual Status CreateKey(RegKey key, const char* subKey, RegKey& result) = 0;
    // RegCloseKey. Closing a predefined root is allowed and does nothing.
    virtual Status CloseKey(RegKey key) = 0;
    // RegQueryValueExA. A null `data` asks for type and size only; a `size` too small for the
    // value gives kErrorMoreData with the size needed stored back. A missing value gives
    // kErrorFileNotFound with the type kRegNone and the size untouched.
    virtual Status QueryValueEx(RegKey key, const char* valueName, Dword& type, std::uint8_t* data,
                                Dword& size) = 0;
    // RegSetValueExA.
    virtual Status SetValueEx(RegKey key, const char* valueName, Dword type,
                              const std::uint8_t* data, Dword size) = 0;
    // RegQueryValueExW for a whole value: its type and its bytes as stored (a string as its
    // UTF-16 units, with or without a terminator, odd byte and all), read again a few times while
    // another program makes it grow, then kErrorMoreData (ReadWholeValue). On any failure the type
    // is kRegNone and no bytes.
    virtual Status QueryValueBytes(RegKey key, const char* valueName, Dword& type,
                                   std::vector<std::uint8_t>& bytes) = 0;
    // RegSetValueExW storing exactly `bytes`, whatever the type: a string gets no terminator.
    virtual Status SetValueBytes(RegKey key, const char* valueName, Dword type,
                                 std::span<const std::uint8_t> bytes) = 0;
    // RegDeleteValueA.
    virtual Status DeleteValue(RegKey key, const char* valueName) = 0;
    // RegDeleteKeyA: deletes a key that has no subkeys.
    virtual Status DeleteKey(RegKey key, const char* subKey) = 0;
    // RegQueryInfoKeyA, for the two numbers a walk over the subkeys needs: how many there are and
    // the length of the longest name.
    virtual Status QueryInfoKey(RegKey key, Dword& subKeyCount, Dword& longestSubKey) = 0;
    // RegEnumKeyExA. `nameLength` goes in as the size of the buffer `name` in characters
    // (terminator included) and comes back as the name's length without it.
    virtual Status EnumKeyEx(RegKey key, Dword index, char* name, Dword& nameLength) = 0;
};

}  // namespace tilu
