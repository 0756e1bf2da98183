// What the registry module relies on from the store, checked against whichever store runs:
// the in-memory one natively, the real registry under Wine. Both must give the same answers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/scoped_key.h"
#include "registry/whole_value.h"
#include "tests/registry/registry_fixture.h"

namespace tilu::testing {
namespace {

// A handle opened straight on the store at construction, with the open's status.
struct RawKey : ScopedKey {
    RawKey(RegistryApi& api, RegKey parent, const std::string& subKey, Dword access = kKeyAllAccess)
        : ScopedKey(api), status(Open(parent, subKey.c_str(), access)) {}

    const Status status;
};

class StoreTest : public RegistryTest {
protected:
    RegistryApi& api() { return TestRegistry(); }
};

struct QueryCase {
    const char* name;
    std::uint32_t type;
    std::string stored;
    bool withBuffer;
    std::uint32_t bufferSize;
    Status status;
    std::uint32_t size;
};

TEST_F(StoreTest, QueryValueSizesAndStatuses) {
    using std::string_literals::operator""s;
    const QueryCase cases[] = {
        {"size query, terminated", kRegSz, "abc\0"s, false, 0, kErrorSuccess, 4},
        {"size query, unterminated", kRegSz, "abc", false, 0, kErrorSuccess, 3},
        {"zero-size buffer", kRegSz, "abc\0"s, true, 0, kErrorMoreData, 4},
        {"one byte short", kRegSz, "abc\0"s, true, 3, kErrorMoreData, 4},
        {"exact buffer", kRegSz, "abc\0"s, true, 4, kErrorSuccess, 4},
        {"larger buffer", kRegSz, "abc\0"s, true, 16, kErrorSuccess, 4},
        {"embedded NUL", kRegSz, "ab\0c\0"s, true, 16, kErrorSuccess, 5},
        {"empty string", kRegSz, "", true, 16, kErrorSuccess, 0},
        {"DWORD, small buffer", kRegDword, "\1\0\0\0"s, true, 2, kErrorMoreData, 4},
        {"binary", kRegBinary, "\1\2\3"s, true, 3, kErrorSuccess, 3},
    };
    for (const QueryCase& c : cases) {
        SCOPED_TRACE(c.name);
        scratch_.SetRaw("v", c.type, Bytes(c.stored));
        RawKey key(api(), kCurrentUserKey, scratch_.Subkey(), kKeyRead);
        ASSERT_EQ(key.status, kErrorSuccess);
        std::vector<std::uint8_t> buffer(c.bufferSize + 1, 0x55);
        Dword type = 0;
        Dword size = c.bufferSize;
        EXPECT_EQ(
            api().QueryValueEx(key.Get(), "v", type, c.withBuffer ? buffer.data() : nullptr, size),
            c.status);
        EXPECT_EQ(type, c.type);
        EXPECT_EQ(size, c.size);
        if (c.status == kErrorMoreData) {
            EXPECT_EQ(buffer[0], 0x55) << "a refused query must not write";
        } else if (c.withBuffer) {
            EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + c.size), c.stored);
        }
    }
}

// Another program rewrites the value larger before every read.
TEST(ReadWholeValue, AValueThatKeepsGrowingIsGivenUpNotReadForever) {
    int reads = 0;
    Dword type = kRegNone;
    std::vector<std::uint8_t> bytes;
    const auto grown = [&](Dword&, std::uint8_t*, Dword& size) {
        return ++reads, ++size, kErrorMoreData;
    };
    EXPECT_EQ(ReadWholeValue(grown, type, bytes), kErrorMoreData);
    EXPECT_EQ(reads, kReadAttempts);
}

TEST_F(StoreTest, MissingValueGivesNoTypeAndLeavesTheSize) {
    scratch_.SetRaw("present", kRegSz, Bytes("x"));
    RawKey key(api(), kCurrentUserKey, scratch_.Subkey(), kKeyRead);
    Dword type = 99, size = 99;
    std::uint32_t probe = 0;
    EXPECT_EQ(api().QueryValueEx(key.Get(), "absent", type, reinterpret_cast<std::uint8_t*>(&probe),
                                 size),
              kErrorFileNotFound);
    EXPECT_EQ(type, kRegNone);
    EXPECT_EQ(size, 99u);
}

TEST_F(StoreTest, UncountedTerminatorIsAddedToStrings) {
    scratch_.CreateSubkey("");
    RawKey key(api(), kCurrentUserKey, scratch_.Subkey());
    const std::uint8_t text[] = {'a', 'b', 'c', 0};
    ASSERT_EQ(api().SetValueEx(key.Get(), "sz", kRegSz, text, 3), kErrorSuccess);
    ASSERT_EQ(api().SetValueEx(key.Get(), "bin", kRegBinary, text, 3), kErrorSuccess);
    EXPECT_EQ(scratch_.GetRaw("sz")->bytes, Bytes(std::string("abc\0", 4)));
    EXPECT_EQ(scratch_.GetRaw("bin")->bytes, Bytes("abc"));
}

TEST_F(StoreTest, NamesAreCaseInsensitive) {
    scratch_.SetRaw("url1", kRegSz, Bytes("x"), "Sub");
    EXPECT_TRUE(scratch_.Exists("SUB"));
    EXPECT_TRUE(scratch_.GetRaw("URL1", "sub").has_value());
    scratch_.SetRaw("URL1", kRegSz, Bytes("y"), "sUb");
    EXPECT_EQ(scratch_.GetRaw("url1", "Sub")->bytes, Bytes("y")) << "one value, replaced";
}

TEST_F(StoreTest, DefaultValueIsTheEmptyName) {
    scratch_.CreateSubkey("");
    RawKey key(api(), kCurrentUserKey, scratch_.Subkey());
    const std::uint8_t text[] = {'d', 0};
    ASSERT_EQ(api().SetValueEx(key.Get(), nullptr, kRegSz, text, 2), kErrorSuccess);
    EXPECT_EQ(scratch_.GetRaw("")->bytes, Bytes(std::string("d\0", 2)));
    EXPECT_EQ(api().DeleteValue(key.Get(), ""), kErrorSuccess);
    EXPECT_EQ(api().DeleteValue(key.Get(), nullptr), kErrorFileNotFound);
}

std::vector<std::string> EnumerateAll(RegistryApi& api, RegKey key) {
    std::vector<std::string> names;
    char name[64];
    for (Dword index = 0;; ++index) {
        Dword length = sizeof name;
        if (api.EnumKeyEx(key, index, name, length) != kErrorSuccess) {
            break;
        }
        names.emplace_back(name, length);
    }
    return names;
}

TEST_F(StoreTest, SubkeysEnumerateInCaseInsensitiveOrder) {
    for (const char* name : {"b", "C", "a_", "A", "_x", "Z"}) {
        scratch_.CreateSubkey(name);
    }
    RawKey key(api(), kCurrentUserKey, scratch_.Subkey());
    EXPECT_EQ(EnumerateAll(api(), key.Get()),
              (std::vector<std::string>{"_x", "A", "a_", "b", "C", "Z"}));
}

TEST_F(StoreTest, EnumerationBoundsAndBufferSizes) {
    scratch_.CreateSubkey("B");
    scratch_.CreateSubkey("CC");
    RawKey key(api(), kCurrentUserKey, scratch_.Subkey());
    struct EnumCase {
        const char* name;
        std::uint32_t index;
        std::uint32_t length;
        Status status;
        std::uint32_t lengthAfter;
    };
    const EnumCase cases[] = {
        {"first", 0, 8, kErrorSuccess, 1},
        {"second", 1, 8, kErrorSuccess, 2},
        {"past the end", 2, 8, kErrorNoMoreItems, 8},
        {"no room for the NUL", 1, 2, kErrorMoreData, 2},
        {"exact room", 1, 3, kErrorSuccess, 2},
    };
    for (const EnumCase& c : cases) {
        SCOPED_TRACE(c.name);
        char name[8] = {};
        Dword length = c.length;
        EXPECT_EQ(api().EnumKeyEx(key.Get(), c.index, name, length), c.status);
        EXPECT_EQ(length, c.lengthAfter);
    }
}

TEST_F(StoreTest, KeyInfoCountsNameLengthsInUtf16Units) {
    scratch_.CreateSubkey("ab");
    scratch_.CreateSubkey(ToWtf8(L"ЖЖЖ"));
    RawKey key(api(), kCurrentUserKey, scratch_.Subkey());
    Dword count = 0, longest = 0;
    ASSERT_EQ(api().QueryInfoKey(key.Get(), count, longest), kErrorSuccess);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(longest, 3u) << "three characters, though six bytes in UTF-8";
}

TEST_F(StoreTest, KeyDeletion) {
    scratch_.CreateSubkey("A\\B");
    RawKey key(api(), kCurrentUserKey, scratch_.Subkey());
    EXPECT_EQ(api().DeleteKey(key.Get(), "A"), kErrorAccessDenied) << "has a subkey";
    EXPECT_EQ(api().DeleteKey(key.Get(), "missing"), kErrorFileNotFound);
    EXPECT_EQ(api().DeleteKey(key.Get(), "A\\B"), kErrorSuccess);
    EXPECT_EQ(api().DeleteKey(key.Get(), "A"), kErrorSuccess);
    EXPECT_FALSE(scratch_.Exists("A"));
    EXPECT_EQ(api().DeleteKey(kCurrentUserKey, ""), kErrorAccessDenied) << "a root stays";
}

TEST_F(StoreTest, HandleOfADeletedKey) {
    scratch_.CreateSubkey("Gone");
    RegKey gone = 0;
    ASSERT_EQ(api().OpenKeyEx(kCurrentUserKey, (scratch_.Subkey() + "\\Gone").c_str(),
                              kKeyAllAccess, gone),
              kErrorSuccess);
    RawKey parent(api(), kCurrentUserKey, scratch_.Subkey());
    ASSERT_EQ(api().DeleteKey(parent.Get(), "Gone"), kErrorSuccess);
    const std::uint8_t text[] = {'a', 0};
    Dword type = 0, size = 0;
    RegKey child = 0;
    EXPECT_EQ(api().SetValueEx(gone, "v", kRegSz, text, 2), kErrorKeyDeleted);
    EXPECT_EQ(api().QueryValueEx(gone, "v", type, nullptr, size), kErrorKeyDeleted);
    EXPECT_EQ(api().CreateKey(gone, "child", child), kErrorKeyDeleted);
    EXPECT_EQ(api().CloseKey(gone), kErrorSuccess);
    EXPECT_EQ(api().CloseKey(gone), kErrorInvalidHandle);
}

TEST_F(StoreTest, AccessRightsOfAHandle) {
    scratch_.SetRaw("v", kRegSz, Bytes(std::string("a\0", 2)));
    const std::uint8_t text[] = {'b', 0};
    Dword type = 0, size = 0;
    RawKey reader(api(), kCurrentUserKey, scratch_.Subkey(), kKeyRead);
    EXPECT_EQ(api().SetValueEx(reader.Get(), "v", kRegSz, text, 2), kErrorAccessDenied);
    EXPECT_EQ(api().DeleteValue(reader.Get(), "v"), kErrorAccessDenied);
    RawKey writer(api(), kCurrentUserKey, scratch_.Subkey(), kKeyWrite);
    EXPECT_EQ(api().QueryValueEx(writer.Get(), "v", type, nullptr, size), kErrorAccessDenied);
    EXPECT_EQ(api().DeleteValue(writer.Get(), "absent"), kErrorFileNotFound);
}

TEST_F(StoreTest, PredefinedRoots) {
    struct RootCase {
        const char* name;
        std::uint32_t root;
        Status openItself;
        Status openSoftware;
    };
    const RootCase cases[] = {
        {"HKEY_CLASSES_ROOT", 0x80000000u, kErrorSuccess, kErrorFileNotFound},
        {"HKEY_CURRENT_USER", 0x80000001u, kErrorSuccess, kErrorSuccess},
        {"HKEY_LOCAL_MACHINE", 0x80000002u, kErrorSuccess, kErrorSuccess},
        {"HKEY_PERFORMANCE_DATA", 0x80000004u, kErrorSuccess, kErrorInvalidHandle},
        {"past the roots", 0x80000007u, kErrorInvalidHandle, kErrorInvalidHandle},
    };
    for (const RootCase& c : cases) {
        SCOPED_TRACE(c.name);
        const RegKey root = RootKeyHandle(static_cast<std::int32_t>(c.root));
        RawKey itself(api(), root, "", kKeyRead);
        EXPECT_EQ(itself.status, c.openItself);
        if (itself.status == kErrorSuccess) {
            EXPECT_EQ(itself.Get(), root) << "a root opens as itself";
        }
        RawKey software(api(), root, "Software", kKeyRead);
        EXPECT_EQ(software.status, c.openSoftware);
    }
}

TEST_F(StoreTest, PathForms) {
    scratch_.CreateSubkey("A\\B");
    const std::string base = scratch_.Subkey();
    struct PathCase {
        const char* name;
        std::string path;
        Status status;
    };
    const PathCase cases[] = {
        {"nested", base + "\\A\\B", kErrorSuccess},
        {"trailing backslash", base + "\\A\\", kErrorSuccess},
        {"leading backslash", "\\" + base, kErrorBadPathname},
        {"missing", base + "\\A\\C", kErrorFileNotFound},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.name);
        RawKey key(api(), kCurrentUserKey, c.path, kKeyRead);
        EXPECT_EQ(key.status, c.status);
    }
    RawKey bogus(api(), RegKey{0x12344}, "x", kKeyRead);
    EXPECT_EQ(bogus.status, kErrorInvalidHandle);
}

TEST_F(StoreTest, InvalidStringBytesAreStoredAsReplacementCharacters) {
    scratch_.SetRaw("v", kRegSz, Bytes(std::string("\xFF\0", 2)));
    EXPECT_EQ(scratch_.GetRaw("v")->bytes, Bytes(std::string("\xEF\xBF\xBD\0", 4)));
}

}  // namespace
}  // namespace tilu::testing
