#include "registry/cqueryreg.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <vector>

#include "registry/whole_value.h"
#include "registry/wtf8.h"

namespace tilu {
namespace {

struct RootName {
    std::wstring_view fullName;
    std::wstring_view prefix;
    RootHandle handle;
};

// In the order the short prefixes are tried; the full names are tried in the same order.
constexpr std::array<RootName, 7> kRoots{{
    {L"HKEY_CLASSES_ROOT", L"HKCR\\", kHkeyClassesRoot},
    {L"HKEY_CURRENT_USER", L"HKCU\\", kHkeyCurrentUser},
    {L"HKEY_LOCAL_MACHINE", L"HKLM\\", kHkeyLocalMachine},
    {L"HKEY_USERS", L"HKU\\", kHkeyUsers},
    {L"HKEY_CURRENT_CONFIG", L"HKCC\\", kHkeyCurrentConfig},
    {L"HKEY_DYN_DATA", L"HKDD\\", kHkeyDynData},
    {L"HKEY_PERFORMANCE_DATA", L"HKPD\\", kHkeyPerformanceData},
}};

constexpr std::wstring_view kFullNameMarker = L"HKEY_";
constexpr wchar_t kSeparator = L'\\';

// WTF-8 needs up to three bytes for each UTF-16 unit that the registry counts in subkey-name
// lengths.
constexpr Dword kMaxBytesPerUnit = 3;

RootHandle InRangeOrClassesRoot(RootHandle root) {
    return IsPredefinedRoot(root) ? root : kHkeyClassesRoot;
}

std::vector<std::uint8_t> StringPayload(const Data& data) {
    const std::string text = ToWtf8(data.ToText());
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);  // counted: the byte count is the converted length plus its NUL
    return bytes;
}

std::vector<std::uint8_t> DwordPayload(const Data& data) {
    const std::int32_t number = data.ToInt32();
    std::vector<std::uint8_t> bytes(sizeof number);
    std::memcpy(bytes.data(), &number, sizeof number);  // native order, least significant first
    return bytes;
}

// Opens a key for writing; when that fails and `create`, creates it instead. The status is the
// open's, or the create's.
Status OpenForWriting(ScopedKey& key, RootHandle root, const std::string& path, bool create) {
    Status status = key.Open(RootKeyHandle(root), path.c_str(), kKeyWrite);
    if (status != kErrorSuccess && create) {
        status = key.Create(RootKeyHandle(root), path.c_str());
    }
    return status;
}

}  // namespace

RootHandle cQueryReg::ResolveRootKey(std::wstring& KeyPath, RootHandle DefaultRoot) {
    std::wstring_view rootName;
    std::wstring fullName;
    if (KeyPath.find(kFullNameMarker) != std::wstring::npos) {
        // A full root name ends at the first backslash; the short prefixes are not looked at.
        const std::size_t separator = KeyPath.find(kSeparator);
        if (separator == std::wstring::npos) {
            fullName = std::move(KeyPath);
            KeyPath.clear();
        } else {
            fullName = KeyPath.substr(0, separator);
            KeyPath.erase(0, separator + 1);
        }
        rootName = fullName;
    } else {
        const auto match = std::find_if(kRoots.begin(), kRoots.end(), [&](const RootName& root) {
            return std::wstring_view(KeyPath).starts_with(root.prefix);
        });
        if (match != kRoots.end()) {
            rootName = match->fullName;
            KeyPath.erase(0, match->prefix.size());
        } else {
            DefaultRoot = InRangeOrClassesRoot(DefaultRoot);
        }
    }
    // After a full name that is empty (a leading backslash) the caller's root is taken as is.
    if (rootName.empty()) {
        return DefaultRoot;
    }
    const auto known = std::find_if(kRoots.begin(), kRoots.end(), [&](const RootName& root) {
        return root.fullName == rootName;
    });
    return known != kRoots.end() ? known->handle : kHkeyClassesRoot;
}

// Texts reach the registry as WTF-8, never in the process's code page, so no code page can change
// them. Each text is converted once per operation. DeleteKeyTree's KeyName, the one text a caller
// sees again, is replaced by its conversion back, so the caller holds what the registry was given
// (the same text: WTF-8 round-trips every UTF-16 sequence).

std::wstring cQueryReg::QueryStringValue(std::wstring KeyPath, std::wstring ValueName,
                                         RootHandle DefaultRoot) const {
    const RootHandle root = ResolveRootKey(KeyPath, DefaultRoot);
    const std::string path = ToWtf8(KeyPath);
    const std::string name = ToWtf8(ValueName);
    ScopedKey key(api_);
    if (key.Open(RootKeyHandle(root), path.c_str(), kKeyRead) != kErrorSuccess) {
        return {};
    }

    // First query: type and size only. A 32-bit zero as buffer, as the size query always had.
    // RegQueryValueEx sets the type and the size only on success or ERROR_MORE_DATA; after any
    // other status they mean nothing (MSDN), so they are not looked at.
    Dword type = 0;
    Dword size = 0;
    std::uint32_t probe = 0;
    Status status = api_.QueryValueEx(key.Get(), name.c_str(), type,
                                      reinterpret_cast<std::uint8_t*>(&probe), size);
    // With a byte count of 0 only an empty value succeeds here; any other gives ERROR_MORE_DATA.
    std::string buffer;
    // Another program may make the value longer between two queries: ERROR_MORE_DATA then gives
    // the new size (MSDN), and the read is tried again with it, a few times.
    for (int attempt = 0; attempt < kReadAttempts && status == kErrorMoreData; ++attempt) {
        if (type != kRegSz || size == 0) {
            return {};
        }
        buffer.assign(size, '\0');
        status = api_.QueryValueEx(key.Get(), name.c_str(), type,
                                   reinterpret_cast<std::uint8_t*>(buffer.data()), size);
    }
    if (status != kErrorSuccess || type != kRegSz) {
        return {};
    }
    std::string_view text(buffer.data(), std::min<std::size_t>(size, buffer.size()));
    // Only a terminating NUL goes: a string stored without one keeps its last character.
    if (!text.empty() && text.back() == '\0') {
        text.remove_suffix(1);
    }
    return FromWtf8(text);
}

cQueryReg::ValuesRead cQueryReg::QueryValues(std::wstring KeyPath,
                                             const std::vector<std::wstring>& ValueNames,
                                             RootHandle DefaultRoot) const {
    ValuesRead read{std::vector<std::optional<StoredValue>>(ValueNames.size())};
    const RootHandle root = ResolveRootKey(KeyPath, DefaultRoot);
    ScopedKey key(api_);
    if (const Status opened = key.Open(RootKeyHandle(root), ToWtf8(KeyPath).c_str(), kKeyRead);
        opened != kErrorSuccess) {
        read.complete = opened == kErrorFileNotFound;
        return read;
    }
    for (std::size_t i = 0; i < ValueNames.size(); ++i) {
        StoredValue value;
        const Status status =
            api_.QueryValueBytes(key.Get(), ToWtf8(ValueNames[i]).c_str(), value.type, value.bytes);
        if (status == kErrorSuccess) {
            read.values[i] = std::move(value);
        } else if (status != kErrorFileNotFound) {
            read.complete = false;
        }
    }
    return read;
}

std::wstring cQueryReg::TextOf(const StoredValue& value) {
    if (value.type != kRegSz) {
        return {};
    }
    std::wstring text = FromUtf16Bytes(value.bytes);
    if (!text.empty() && text.back() == L'\0') {
        text.pop_back();
    }
    return text;
}

StoredValue cQueryReg::StringValue(const std::wstring& text) {
    StoredValue value{kRegSz, ToUtf16Bytes(text)};
    value.bytes.insert(value.bytes.end(), {0, 0});
    return value;
}

Status cQueryReg::SetValue(std::wstring KeyPath, std::wstring ValueName, Data data,
                           RootHandle DefaultRoot, std::int32_t ValueType,
                           std::int16_t CreateKey) const {
    const RootHandle root = ResolveRootKey(KeyPath, DefaultRoot);
    ScopedKey key(api_);
    Status status = OpenForWriting(key, root, ToWtf8(KeyPath), CreateKey != 0);
    if (status != kErrorSuccess) {
        return status;
    }
    // A Data that does not convert throws here: nothing is written and the key closes.
    std::vector<std::uint8_t> bytes;
    switch (ValueType) {
        case kRegSz:
            bytes = StringPayload(data);
            break;
        case kRegBinary:
            bytes = data.ToBytes();
            break;
        case kRegDword:
            bytes = DwordPayload(data);
            break;
        default:
            status = kErrorInvalidParameter;
            break;
    }
    if (status == kErrorSuccess) {
        status =
            api_.SetValueEx(key.Get(), ToWtf8(ValueName).c_str(), static_cast<Dword>(ValueType),
                            bytes.data(), static_cast<Dword>(bytes.size()));
    }
    const Status closed = key.Close();
    return status != kErrorSuccess ? status : closed;
}

cQueryReg::KeyWriter cQueryReg::WriteKey(std::wstring KeyPath, RootHandle DefaultRoot,
                                         std::int16_t CreateKey) const {
    const RootHandle root = ResolveRootKey(KeyPath, DefaultRoot);
    return KeyWriter(api_, root, ToWtf8(KeyPath), CreateKey != 0);
}

Status cQueryReg::KeyWriter::Open(bool create) {
    return key_.IsOpen() ? kErrorSuccess : OpenForWriting(key_, root_, path_, create);
}

Status cQueryReg::KeyWriter::Set(const std::wstring& ValueName, const StoredValue& value) {
    if (const Status opened = Open(createKey_); opened != kErrorSuccess) {
        return opened;
    }
    return api_.SetValueBytes(key_.Get(), ToWtf8(ValueName).c_str(), value.type, value.bytes);
}

Status cQueryReg::KeyWriter::Delete(const std::wstring& ValueName) {
    Status status = Open(false);
    if (status == kErrorSuccess) {
        status = api_.DeleteValue(key_.Get(), ToWtf8(ValueName).c_str());
    }
    return status == kErrorFileNotFound ? kErrorSuccess : status;
}

Status cQueryReg::DeleteValue(std::wstring KeyPath, std::wstring ValueName,
                              RootHandle DefaultRoot) const {
    const RootHandle root = ResolveRootKey(KeyPath, InRangeOrClassesRoot(DefaultRoot));
    if (ValueName.empty()) {
        // A whole root is never deleted: refused as the registry refuses RegDeleteKey on a root.
        if (KeyPath.empty()) {
            return kErrorAccessDenied;
        }
        return DeleteKeyTree(RootKeyHandle(root), KeyPath);
    }
    ScopedKey key(api_);
    const Status opened = key.Open(RootKeyHandle(root), ToWtf8(KeyPath).c_str(), kKeyWrite);
    if (opened != kErrorSuccess) {
        return opened;
    }
    return api_.DeleteValue(key.Get(), ToWtf8(ValueName).c_str());
}

Status cQueryReg::DeleteKeyTree(const RegKey& ParentKey, std::wstring& KeyName) const {
    const std::string name = ToWtf8(KeyName);
    KeyName = FromWtf8(name);
    ScopedKey key(api_);
    Status status = key.Open(ParentKey, name.c_str(), kKeyAllAccess);
    if (status != kErrorSuccess) {
        return status;
    }

    Dword subKeyCount = 0, longestSubKey = 0;
    status = api_.QueryInfoKey(key.Get(), subKeyCount, longestSubKey);
    if (status != kErrorSuccess) {
        return status;
    }

    const Dword bufferLength = longestSubKey * kMaxBytesPerUnit + 1;
    std::string subName(bufferLength, '*');
    // From the highest index down: deleting a subkey leaves the lower indices in place.
    for (Dword index = subKeyCount; index-- > 0;) {
        Dword nameLength = bufferLength;
        if (api_.EnumKeyEx(key.Get(), index, subName.data(), nameLength) != kErrorSuccess) {
            continue;
        }
        std::wstring subKey = FromWtf8(std::string_view(subName.data(), nameLength));
        DeleteKeyTree(key.Get(), subKey);
    }

    key.Close();
    return api_.DeleteKey(ParentKey, name.c_str());
}

}  // namespace tilu
