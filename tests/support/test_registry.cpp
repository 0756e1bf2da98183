#include "tests/support/test_registry.h"

#include <stdexcept>

#include "registry/ansi_text.h"

#ifdef _WIN32
#include "registry/advapi32_registry.h"
#else
#include "registry/memory_registry.h"
#endif

namespace tilu::testing {
namespace {

constexpr RegKey kCurrentUser = RootKeyHandle(static_cast<std::int32_t>(0x80000001u));
constexpr std::wstring_view kScratchParent = L"Software\\TiluTests\\";
constexpr std::wstring_view kRootPrefix = L"HKEY_CURRENT_USER\\";
constexpr std::uint32_t kLongestName = 1024;

void Check(Status status, const char* what) {
    if (status != kErrorSuccess) {
        throw std::runtime_error(std::string(what) + " failed with status " +
                                 std::to_string(status));
    }
}

// A key opened by the helpers, closed on every path.
class HelperKey {
public:
    HelperKey(RegistryApi& api, RegKey key) : api_(api), key_(key) {}
    ~HelperKey() { api_.CloseKey(key_); }
    HelperKey(const HelperKey&) = delete;
    HelperKey& operator=(const HelperKey&) = delete;
    RegKey Get() const { return key_; }

private:
    RegistryApi& api_;
    RegKey key_;
};

}  // namespace

RegistryApi& TestRegistry() {
#ifdef _WIN32
    static Advapi32Registry registry;
#else
    static MemoryRegistry registry;
#endif
    return registry;
}

bool OnRealRegistry() {
#ifdef _WIN32
    return true;
#else
    return false;
#endif
}

void DeleteTreeRaw(RegistryApi& api, RegKey parent, const std::string& subKey) {
    RegKey opened = 0;
    if (api.OpenKeyEx(parent, subKey.c_str(), 0, kKeyAllAccess, &opened) != kErrorSuccess) {
        return;
    }
    {
        HelperKey key(api, opened);
        // Always the first subkey: each one is gone before the next is asked for.
        std::string name(kLongestName, '\0');
        std::uint32_t length = kLongestName;
        while (api.EnumKeyEx(key.Get(), 0, name.data(), &length, nullptr, nullptr, nullptr,
                             nullptr) == kErrorSuccess) {
            const std::string child(name.data(), length);
            DeleteTreeRaw(api, key.Get(), child);
            if (api.OpenKeyEx(key.Get(), child.c_str(), 0, kKeyRead, &opened) == kErrorSuccess) {
                api.CloseKey(opened);
                throw std::runtime_error("cannot delete test key " + child);
            }
            length = kLongestName;
        }
    }
    Check(api.DeleteKey(parent, subKey.c_str()), "DeleteKey of a test key");
}

ScratchKey::ScratchKey(std::wstring name)
    : path_(std::wstring(kRootPrefix) + std::wstring(kScratchParent) + name),
      subkey_(ToAnsi(std::wstring(kScratchParent) + name)) {
    DeleteTreeRaw(TestRegistry(), kCurrentUser, subkey_);
}

ScratchKey::~ScratchKey() {
    try {
        DeleteTreeRaw(TestRegistry(), kCurrentUser, subkey_);
    } catch (const std::exception&) {
        // A destructor must not throw; the next run deletes what is left before it starts.
    }
}

std::string ScratchKey::Below(const std::string& relative) const {
    return relative.empty() ? subkey_ : subkey_ + "\\" + relative;
}

void ScratchKey::SetRaw(const std::string& valueName, std::uint32_t type,
                        std::vector<std::uint8_t> bytes, const std::string& relative) {
    RegistryApi& api = TestRegistry();
    RegKey created = 0;
    Check(api.CreateKey(kCurrentUser, Below(relative).c_str(), &created), "CreateKey");
    HelperKey key(api, created);
    const auto size = static_cast<std::uint32_t>(bytes.size());
    // The registry adds a NUL to a string whose count leaves out a NUL right after it; a
    // non-zero byte there keeps the value exactly as given.
    bytes.push_back(0xFF);
    Check(api.SetValueEx(key.Get(), valueName.c_str(), 0, type, bytes.data(), size), "SetValueEx");
}

std::optional<RawValue> ScratchKey::GetRaw(const std::string& valueName,
                                           const std::string& relative) const {
    RegistryApi& api = TestRegistry();
    RegKey opened = 0;
    if (api.OpenKeyEx(kCurrentUser, Below(relative).c_str(), 0, kKeyRead, &opened) !=
        kErrorSuccess) {
        return std::nullopt;
    }
    HelperKey key(api, opened);
    RawValue value;
    std::uint32_t size = 0;
    if (api.QueryValueEx(key.Get(), valueName.c_str(), nullptr, &value.type, nullptr, &size) !=
        kErrorSuccess) {
        return std::nullopt;
    }
    value.bytes.resize(size);
    if (size > 0) {
        Check(api.QueryValueEx(key.Get(), valueName.c_str(), nullptr, &value.type,
                               value.bytes.data(), &size),
              "QueryValueEx");
        value.bytes.resize(size);
    }
    return value;
}

void ScratchKey::CreateSubkey(const std::string& relative) {
    RegistryApi& api = TestRegistry();
    RegKey created = 0;
    Check(api.CreateKey(kCurrentUser, Below(relative).c_str(), &created), "CreateKey");
    api.CloseKey(created);
}

bool ScratchKey::Exists(const std::string& relative) const {
    RegistryApi& api = TestRegistry();
    RegKey opened = 0;
    if (api.OpenKeyEx(kCurrentUser, Below(relative).c_str(), 0, kKeyRead, &opened) !=
        kErrorSuccess) {
        return false;
    }
    api.CloseKey(opened);
    return true;
}

}  // namespace tilu::testing
