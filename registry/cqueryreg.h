// cQueryReg: textual access to the registry.
//
// A key is named by one path text that starts with its root, either by its full name
// ("HKEY_CURRENT_USER\Software\...") or by a short prefix ("HKCU\Software\..."). Every operation
// opens the key it needs and closes it before returning; nothing is kept between calls. Texts are
// Unicode here and converted to WTF-8 (registry/wtf8.h) at each registry call; stored values
// pass through unconverted.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "registry/data.h"
#include "registry/registry_api.h"
#include "registry/scoped_key.h"

namespace tilu {

// A value as the registry stores it: its type and its bytes (a string as its UTF-16 units).
struct StoredValue {
    Dword type = kRegNone;
    std::vector<std::uint8_t> bytes;

    bool operator==(const StoredValue&) const = default;
};

class cQueryReg {
public:
    explicit cQueryReg(RegistryApi& api) : api_(api) {}

    // Splits the root part off KeyPath (which then holds the subkey path) and returns the root.
    // Never fails: an unknown root name gives HKEY_CLASSES_ROOT.
    static RootHandle ResolveRootKey(std::wstring& KeyPath, RootHandle DefaultRoot);

    // The text of a REG_SZ value, or empty text when it cannot be read for any reason.
    std::wstring QueryStringValue(std::wstring KeyPath, std::wstring ValueName,
                                  RootHandle DefaultRoot) const;

    // Values of one key as stored, whatever their types, read with one open of the key: for
    // passes over many values. A value that is missing, or whose key is, reads as nothing; one
    // that cannot be read for another reason (access refused, a value that kept growing) reads as
    // nothing too and leaves `complete` false.
    struct ValuesRead {
        std::vector<std::optional<StoredValue>> values;  // in the order of the names
        bool complete = true;
    };
    ValuesRead QueryValues(std::wstring KeyPath, const std::vector<std::wstring>& ValueNames,
                           RootHandle DefaultRoot) const;

    // The text QueryStringValue gives for a value stored so: a REG_SZ's units without one
    // terminating NUL, empty text for any other type.
    static std::wstring TextOf(const StoredValue& value);
    // The value SetValue stores for a REG_SZ text: its UTF-16 units and a terminating NUL.
    static StoredValue StringValue(const std::wstring& text);

    // Writes a REG_SZ (1), REG_BINARY (3) or REG_DWORD (4) value, creating the key first when
    // CreateKey is non-zero. Returns the open's (or create's) status when the key cannot be had,
    // the write's status when the registry refuses the write, otherwise the close's status. Any
    // other ValueType writes nothing and gives kErrorInvalidParameter (the key is still created
    // when asked). Throws DataConversionError, writing nothing, when Data does not convert to the
    // kind ValueType asks for.
    Status SetValue(std::wstring KeyPath, std::wstring ValueName, Data data, RootHandle DefaultRoot,
                    std::int32_t ValueType, std::int16_t CreateKey) const;

    // Writes values of one key exactly as given, with one open of the key, made at the first
    // write and closed when the writer goes: for passes over many values. CreateKey as SetValue's.
    class KeyWriter;
    KeyWriter WriteKey(std::wstring KeyPath, RootHandle DefaultRoot, std::int16_t CreateKey) const;

    // Deletes one value or, with an empty ValueName, the key named by KeyPath with its subkeys.
    // A path that names a root itself is refused with kErrorAccessDenied, touching nothing: that
    // is what the registry answers for deleting a root.
    Status DeleteValue(std::wstring KeyPath, std::wstring ValueName, RootHandle DefaultRoot) const;

    // Deletes KeyName below ParentKey together with every key below it, depth first. KeyName is
    // replaced by its round trip through WTF-8, which gives it back unchanged.
    Status DeleteKeyTree(const RegKey& ParentKey, std::wstring& KeyName) const;

private:
    RegistryApi& api_;
};

class cQueryReg::KeyWriter {
public:
    KeyWriter(const KeyWriter&) = delete;
    KeyWriter& operator=(const KeyWriter&) = delete;

    // Stores the value with exactly its type and bytes (a string gets no terminator added).
    // Returns the status of the key's open (or create) when the key cannot be had, otherwise the
    // write's.
    Status Set(const std::wstring& ValueName, const StoredValue& value);
    // Deletes the value. One that is gone already, or whose key is, counts as deleted.
    Status Delete(const std::wstring& ValueName);

private:
    friend class cQueryReg;
    KeyWriter(RegistryApi& api, RootHandle root, std::string path, bool createKey)
        : api_(api), root_(root), path_(std::move(path)), createKey_(createKey), key_(api) {}

    // Opens the key for writing unless it is open already, creating it when `create`.
    Status Open(bool create);

    RegistryApi& api_;
    RootHandle root_;
    std::string path_;  // WTF-8
    bool createKey_;
    ScopedKey key_;
};

}  // namespace tilu
