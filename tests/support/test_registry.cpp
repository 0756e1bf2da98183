#include "tests/support/test_registry.h"

#include <stdexcept>

#include "registry/wtf8.h"
#include "registry/scoped_key.h"

#ifdef _WIN32
#include "registry/advapi32_registry.h"
#else
#include "tests/support/memory_registry.h"
#endif

namespace tilu::testing {
namespace {

constexpr std::wstring_view kScratchParent = L"Software\\TiluTests\\";
constexpr std::wstring_view kRootPrefix = L"HKEY_CURRENT_USER\\";
constexpr Dword kLongestName = 1024;

void Check(Status status, const char* what) {
    if (status != kErrorSuccess) {
        throw std::runtime_error(std::string(what) + " failed with status " +
                                 std::to_string(status));
    }
}

}  // namespace

RegistryApi& TestRegistry() {
#ifdef _WIN32
    static Advapi32Registry registry;
#else
    static MemoryRegistry registry;
#endif
    return registry;
}

void DeleteTreeRaw(RegistryApi& api, RegKey parent, const std::string& subKey) {
    ScopedKey key(api);
    if (key.Open(parent, subKey.c_str(), kKeyAllAccess) != kErrorSuccess) {
        return;
    }
    // Always the first subkey: each one is gone before the next is asked for.
    std::string name(kLongestName, '\0');
    Dword length = kLongestName;
    while (api.EnumKeyEx(key.Get(), 0, name.data(), length) == kErrorSuccess) {
        const std::string child(name.data(), length);
        DeleteTreeRaw(api, key.Get(), child);
        if (ScopedKey left(api); left.Open(key.Get(), child.c_str(), kKeyRead) == kErrorSuccess) {
            throw std::runtime_error("cannot delete test key " + child);
        }
        length = kLongestName;
    }
    key.Close();
    Check(api.DeleteKey(parent, subKey.c_str()), "DeleteKey of a test key");
}

ScratchKey::ScratchKey(std::wstring name)
    : path_(std::wstring(kRootPrefix) + std::wstring(kScratchParent) + name),
      subkey_(ToWtf8(std::wstring(kScratchParent) + name)) {
    DeleteTreeRaw(TestRegistry(), kCurrentUserKey, subkey_);
}

ScratchKey::~ScratchKey() {
    try {
        DeleteTreeRaw(TestRegistry(), kCurrentUserKey, subkey_);
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
    ScopedKey key(api);
    Check(key.Create(kCurrentUserKey, Below(relative).c_str()), "CreateKey");
    const auto size = static_cast<Dword>(bytes.size());
    // The registry adds a NUL to a string whose count leaves out a NUL right after it; a
    // non-zero byte there keeps the value exactly as given.
    bytes.push_back(0xFF);
    Check(api.SetValueEx(key.Get(), valueName.c_str(), type, bytes.data(), size), "SetValueEx");
}

void ScratchKey::SetStored(const std::string& valueName, const RawValue& value) {
    RegistryApi& api = TestRegistry();
    ScopedKey key(api);
    Check(key.Create(kCurrentUserKey, subkey_.c_str()), "CreateKey");
    Check(api.SetValueBytes(key.Get(), valueName.c_str(), value.type, value.bytes),
          "SetValueBytes");
}

std::optional<RawValue> ScratchKey::GetRaw(const std::string& valueName,
                                           const std::string& relative) const {
    RegistryApi& api = TestRegistry();
    ScopedKey key(api);
    if (key.Open(kCurrentUserKey, Below(relative).c_str(), kKeyRead) != kErrorSuccess) {
        return std::nullopt;
    }
    RawValue value;
    Dword size = 0;
    if (api.QueryValueEx(key.Get(), valueName.c_str(), value.type, nullptr, size) !=
        kErrorSuccess) {
        return std::nullopt;
    }
    value.bytes.resize(size);
    if (size > 0) {
        Check(api.QueryValueEx(key.Get(), valueName.c_str(), value.type, value.bytes.data(), size),
              "QueryValueEx");
        value.bytes.resize(size);
    }
    return value;
}

void ScratchKey::CreateSubkey(const std::string& relative) {
    ScopedKey key(TestRegistry());
    Check(key.Create(kCurrentUserKey, Below(relative).c_str()), "CreateKey");
}

bool ScratchKey::Exists(const std::string& relative) const {
    ScopedKey key(TestRegistry());
    return key.Open(kCurrentUserKey, Below(relative).c_str(), kKeyRead) == kErrorSuccess;
}

}  // namespace tilu::testing
