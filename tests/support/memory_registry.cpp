#include "tests/support/memory_registry.h"

#include <algorithm>
#include <cwchar>
#include <string>
#include <string_view>
#include <vector>

#include "registry/ansi_value.h"
#include "registry/wtf8.h"

namespace tilu {
namespace {

constexpr Status kErrorNoAccess = 998;
constexpr Dword kKeyQueryValue = 0x0001;
constexpr Dword kKeySetValue = 0x0002;
constexpr Dword kKeyEnumerateSubKeys = 0x0008;
constexpr char kSeparator = '\\';

bool IsPredefined(RegKey key) {
    return key >= RootKeyHandle(kHkeyClassesRoot) && key <= RootKeyHandle(kHkeyDynData);
}

char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names compare case-insensitively, folded to lower case as Wine folds them (so "_x" sorts
// before "A"); other bytes compare unsigned.
struct NameLess {
    bool operator()(const std::string& a, const std::string& b) const {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) {
                                                return static_cast<unsigned char>(FoldCase(x)) <
                                                       static_cast<unsigned char>(FoldCase(y));
                                            });
    }
};

bool IsEmptyName(const char* name) {
    return name == nullptr || *name == '\0';
}

// Windows counts name lengths in UTF-16 units, not in bytes of the 8-bit form.
Dword Utf16Length(std::string_view name) {
    const std::wstring wide = FromWtf8(name);
    std::size_t length = wide.size();
#if WCHAR_MAX > 0xFFFF
    // Code points beyond the BMP take two UTF-16 units.
    length += static_cast<std::size_t>(
        std::count_if(wide.begin(), wide.end(), [](wchar_t c) { return c > 0xFFFF; }));
#endif
    return static_cast<Dword>(length);
}

}  // namespace

struct MemoryRegistry::Node {
    struct Value {
        Dword type = 0;
        std::vector<std::uint8_t> bytes;
    };

    Node* parent = nullptr;
    bool deleted = false;
    std::map<std::string, std::shared_ptr<Node>, NameLess> subkeys;
    std::map<std::string, Value, NameLess> values;
};

namespace {

using Node = MemoryRegistry::Node;

// Follows a subkey path below `from`, creating missing keys when asked. A path may end with one
// backslash; it may not start with one.
Status Walk(std::shared_ptr<Node> from, const char* subKey, bool create,
            std::shared_ptr<Node>& found) {
    if (IsEmptyName(subKey)) {
        found = std::move(from);
        return kErrorSuccess;
    }
    std::string_view path(subKey);
    if (path.front() == kSeparator) {
        return kErrorBadPathname;
    }
    if (path.back() == kSeparator) {
        path.remove_suffix(1);
    }
    std::shared_ptr<Node> node = std::move(from);
    while (true) {
        const std::size_t end = std::min(path.find(kSeparator), path.size());
        const std::string name(path.substr(0, end));
        auto it = node->subkeys.find(name);
        if (it == node->subkeys.end()) {
            if (!create) {
                return kErrorFileNotFound;
            }
            auto child = std::make_shared<Node>();
            child->parent = node.get();
            it = node->subkeys.emplace(name, std::move(child)).first;
        }
        node = it->second;
        if (end == path.size()) {
            break;
        }
        path.remove_prefix(end + 1);
    }
    found = std::move(node);
    return kErrorSuccess;
}

}  // namespace

MemoryRegistry::MemoryRegistry() {
    // The roots a Wine prefix has, with the few keys every Windows has below them.
    for (const RootHandle root : {kHkeyClassesRoot, kHkeyCurrentUser, kHkeyLocalMachine, kHkeyUsers,
                                  kHkeyCurrentConfig, kHkeyDynData}) {
        roots_[RootKeyHandle(root)] = std::make_shared<Node>();
    }
    std::shared_ptr<Node> ignored;
    Walk(roots_.at(RootKeyHandle(kHkeyCurrentUser)), "Software", true, ignored);
    Walk(roots_.at(RootKeyHandle(kHkeyLocalMachine)), "Software", true, ignored);
}

MemoryRegistry::~MemoryRegistry() = default;

Status MemoryRegistry::Resolve(RegKey key, Dword access, std::shared_ptr<Node>& node) const {
    if (const auto root = roots_.find(key); root != roots_.end()) {
        node = root->second;
        return kErrorSuccess;
    }
    const auto handle = handles_.find(key);
    if (handle == handles_.end()) {
        return kErrorInvalidHandle;
    }
    if ((access & ~handle->second.access) != 0) {
        return kErrorAccessDenied;
    }
    if (handle->second.node->deleted) {
        return kErrorKeyDeleted;
    }
    node = handle->second.node;
    return kErrorSuccess;
}

RegKey MemoryRegistry::AddHandle(std::shared_ptr<Node> node, Dword access) {
    const RegKey key = nextHandle_;
    nextHandle_ += 4;  // like kernel handles: multiples of four
    handles_.emplace(key, Handle{std::move(node), access});
    return key;
}

Status MemoryRegistry::OpenKeyEx(RegKey key, const char* subKey, Dword access, RegKey& result) {
    // Opening a predefined root itself gives the root back, even one without a store behind it.
    if (IsPredefined(key) && IsEmptyName(subKey)) {
        result = key;
        return kErrorSuccess;
    }
    return OpenNode(key, subKey, false, access, result);
}

Status MemoryRegistry::CreateKey(RegKey key, const char* subKey, RegKey& result) {
    return OpenNode(key, subKey, true, kKeyAllAccess, result);
}

Status MemoryRegistry::Find(RegKey key, const char* subKey, bool create,
                            std::shared_ptr<Node>& node) {
    std::shared_ptr<Node> parent;
    const Status status = Resolve(key, 0, parent);
    return status == kErrorSuccess ? Walk(std::move(parent), subKey, create, node) : status;
}

Status MemoryRegistry::OpenNode(RegKey key, const char* subKey, bool create, Dword access,
                                RegKey& result) {
    std::shared_ptr<Node> node;
    const Status status = Find(key, subKey, create, node);
    result = status == kErrorSuccess ? AddHandle(std::move(node), access) : 0;
    return status;
}

Status MemoryRegistry::CloseKey(RegKey key) {
    if (IsPredefined(key)) {
        return kErrorSuccess;
    }
    return handles_.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}

Status MemoryRegistry::QueryValueBytes(RegKey key, const char* valueName, Dword& type,
                                       std::vector<std::uint8_t>& bytes) {
    type = kRegNone;
    bytes.clear();
    std::shared_ptr<Node> node;
    if (const Status status = Resolve(key, kKeyQueryValue, node); status != kErrorSuccess) {
        return status;
    }
    const auto it = node->values.find(valueName ? valueName : "");
    if (it == node->values.end()) {
        return kErrorFileNotFound;
    }
    type = it->second.type;
    bytes = it->second.bytes;
    return kErrorSuccess;
}

Status MemoryRegistry::SetValueBytes(RegKey key, const char* valueName, Dword type,
                                     std::span<const std::uint8_t> bytes) {
    std::shared_ptr<Node> node;
    if (const Status status = Resolve(key, kKeySetValue, node); status != kErrorSuccess) {
        return status;
    }
    // An existing value keeps the spelling of its name.
    node->values.insert_or_assign(valueName ? valueName : "",
                                  Node::Value{type, {bytes.begin(), bytes.end()}});
    return kErrorSuccess;
}

Status MemoryRegistry::QueryValueEx(RegKey key, const char* valueName, Dword& type,
                                    std::uint8_t* data, Dword& size) {
    std::shared_ptr<Node> node;
    if (const Status status = Resolve(key, kKeyQueryValue, node); status != kErrorSuccess) {
        return status;
    }
    const auto it = node->values.find(valueName ? valueName : "");
    if (it == node->values.end()) {
        // Windows reports REG_NONE for a missing value and leaves the size alone.
        type = kRegNone;
        return kErrorFileNotFound;
    }
    type = it->second.type;
    return CopyValueOut(type, AnsiData(type, it->second.bytes), data, size);
}

Status MemoryRegistry::SetValueEx(RegKey key, const char* valueName, Dword type,
                                  const std::uint8_t* data, Dword size) {
    if (data == nullptr && size > 0) {
        return kErrorNoAccess;
    }
    return SetValueBytes(key, valueName, type, StoredData(type, data, size));
}

Status MemoryRegistry::DeleteValue(RegKey key, const char* valueName) {
    std::shared_ptr<Node> node;
    if (const Status status = Resolve(key, kKeySetValue, node); status != kErrorSuccess) {
        return status;
    }
    return node->values.erase(valueName ? valueName : "") == 1 ? kErrorSuccess : kErrorFileNotFound;
}

Status MemoryRegistry::DeleteKey(RegKey key, const char* subKey) {
    if (subKey == nullptr) {
        return kErrorInvalidParameter;
    }
    std::shared_ptr<Node> node;
    if (const Status status = Find(key, subKey, false, node); status != kErrorSuccess) {
        return status;
    }
    // Roots and keys with subkeys stay.
    if (node->parent == nullptr || !node->subkeys.empty()) {
        return kErrorAccessDenied;
    }
    auto& siblings = node->parent->subkeys;
    const auto it = std::find_if(siblings.begin(), siblings.end(),
                                 [&](const auto& entry) { return entry.second == node; });
    siblings.erase(it);
    node->parent = nullptr;
    node->deleted = true;
    return kErrorSuccess;
}

Status MemoryRegistry::QueryInfoKey(RegKey key, Dword& subKeyCount, Dword& longestSubKey) {
    std::shared_ptr<Node> node;
    if (const Status status = Resolve(key, 0, node); status != kErrorSuccess) {
        return status;
    }
    subKeyCount = static_cast<Dword>(node->subkeys.size());
    longestSubKey = 0;
    for (const auto& entry : node->subkeys) {
        longestSubKey = std::max(longestSubKey, Utf16Length(entry.first));
    }
    return kErrorSuccess;
}

Status MemoryRegistry::EnumKeyEx(RegKey key, Dword index, char* name, Dword& nameLength) {
    std::shared_ptr<Node> node;
    if (const Status status = Resolve(key, kKeyEnumerateSubKeys, node); status != kErrorSuccess) {
        return status;
    }
    if (index >= node->subkeys.size()) {
        return kErrorNoMoreItems;
    }
    return CopyNameOut(std::next(node->subkeys.begin(), index)->first, name, nameLength);
}

}  // namespace tilu
