#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/registry/registry_fixture.h"

namespace tilu::testing {
namespace {

using std::string_literals::operator""s;

class DeleteValueTest : public RegistryTest {};
class DeleteKeyTreeTest : public RegistryTest {
protected:
    // DeleteKeyTree on `relative` below the scratch key, as the registry sees its name.
    Status DeleteTree(const std::string& relative) {
        std::wstring keyName = FromWtf8(scratch_.Subkey() + "\\" + relative);
        return reg_.DeleteKeyTree(kCurrentUserKey, keyName);
    }
};

TEST_F(DeleteValueTest, DeletesOneValue) {
    scratch_.SetRaw("url1", kRegSz, Bytes("a\0"s));
    scratch_.SetRaw("url2", kRegSz, Bytes("b\0"s));
    EXPECT_EQ(reg_.DeleteValue(PathTo(), L"URL1", kHkeyCurrentUser), kErrorSuccess);
    EXPECT_FALSE(scratch_.GetRaw("url1").has_value());
    EXPECT_EQ(scratch_.GetRaw("url2"), (RawValue{kRegSz, Bytes("b\0"s)}));
}

TEST_F(DeleteValueTest, MissingValueOrKeyGivesTheStoreStatus) {
    scratch_.SetRaw("url2", kRegSz, Bytes("b\0"s));
    EXPECT_EQ(reg_.DeleteValue(PathTo(), L"url1", kHkeyCurrentUser), kErrorFileNotFound);
    EXPECT_EQ(reg_.DeleteValue(PathTo(L"Missing"), L"url1", kHkeyCurrentUser), kErrorFileNotFound);
    EXPECT_TRUE(scratch_.GetRaw("url2").has_value());
}

TEST_F(DeleteValueTest, EmptyNameDeletesTheKeyWithItsSubkeys) {
    scratch_.SetRaw("v", kRegSz, Bytes("a\0"s), "Key\\Sub\\Deeper");
    scratch_.CreateSubkey("Key\\Other");
    scratch_.CreateSubkey("Sibling");
    EXPECT_EQ(reg_.DeleteValue(PathTo(L"Key"), L"", kHkeyCurrentUser), kErrorSuccess);
    EXPECT_FALSE(scratch_.Exists("Key"));
    EXPECT_TRUE(scratch_.Exists("Sibling"));
}

TEST_F(DeleteValueTest, RootsAreNeverDeleted) {
    // Every operation that could delete fails, so even a regression deletes nothing real.
    for (const Op op : {Op::OpenKeyEx, Op::DeleteKey, Op::DeleteValue, Op::EnumKeyEx}) {
        faults_.FailOperation(op, kErrorInvalidParameter);
    }
    const std::pair<std::wstring, RootHandle> cases[] = {
        {L"HKEY_CURRENT_USER", kHkeyCurrentUser},
        {L"HKEY_CURRENT_USER\\", kHkeyCurrentUser},
        {L"HKCU\\", kHkeyCurrentUser},
        {L"HKLM\\", kHkeyCurrentUser},
        {L"", kHkeyCurrentUser},
        {L"", 7},
    };
    for (const auto& [path, defaultRoot] : cases) {
        SCOPED_TRACE(::testing::Message() << '"' << ToWtf8(path) << "\" under " << defaultRoot);
        EXPECT_EQ(reg_.DeleteValue(path, L"", defaultRoot), kErrorAccessDenied);
    }
    EXPECT_EQ(faults_.OperationCount(), 0u) << "refused before any registry call";
}

TEST_F(DeleteKeyTreeTest, DeletesDepthFirstFromTheHighestIndex) {
    scratch_.CreateSubkey("A\\B\\D");
    scratch_.CreateSubkey("A\\C");
    const std::string a = scratch_.Subkey() + "\\A";
    EXPECT_EQ(DeleteTree("A"), kErrorSuccess);
    EXPECT_EQ(faults_.TextsOf(Op::DeleteKey), (std::vector<std::string>{"C", "D", "B", a}));
    EXPECT_FALSE(scratch_.Exists("A"));
    EXPECT_TRUE(scratch_.Exists());
}

TEST_F(DeleteKeyTreeTest, WideTree) {
    for (const char* path : {"T\\1\\x", "T\\1\\y", "T\\2", "T\\3\\z\\w", "T\\4", "T\\5\\q"}) {
        scratch_.CreateSubkey(path);
    }
    EXPECT_EQ(DeleteTree("T"), kErrorSuccess);
    EXPECT_FALSE(scratch_.Exists("T"));
    EXPECT_EQ(faults_.TextsOf(Op::DeleteKey).size(), 11u);
}

TEST_F(DeleteKeyTreeTest, SubkeyNamesLongerInTheCodePageThanInCharacters) {
    scratch_.CreateSubkey(ToWtf8(L"Ж\\ЖЖЖЖ\\東京"));
    scratch_.CreateSubkey(ToWtf8(L"Ж\\a"));
    EXPECT_EQ(DeleteTree(ToWtf8(L"Ж")), kErrorSuccess);
    EXPECT_FALSE(scratch_.Exists(ToWtf8(L"Ж")));
}

TEST_F(DeleteKeyTreeTest, MissingKeyDeletesNothing) {
    EXPECT_EQ(DeleteTree("Missing"), kErrorFileNotFound);
    EXPECT_TRUE(faults_.TextsOf(Op::DeleteKey).empty());
}

TEST_F(DeleteKeyTreeTest, KeyNameIsReplacedByWhatTheRegistryWasGiven) {
    // Every UTF-16 name survives the round trip, a lone surrogate included.
    const std::wstring name = FromWtf8(scratch_.Subkey()) + L"\\Lone\xD800";
    scratch_.CreateSubkey(ToWtf8(L"Lone\xD800\\\xDC00"));
    std::wstring keyName = name;
    EXPECT_EQ(reg_.DeleteKeyTree(kCurrentUserKey, keyName), kErrorSuccess);
    EXPECT_EQ(keyName, name);
    EXPECT_FALSE(scratch_.Exists(ToWtf8(L"Lone\xD800")));
}

TEST_F(DeleteKeyTreeTest, FailedEnumerationLeavesSubkeysAndTheKey) {
    scratch_.CreateSubkey("A\\B");
    scratch_.CreateSubkey("A\\C");
    faults_.FailOperation(Op::EnumKeyEx, kErrorMoreData);
    EXPECT_EQ(DeleteTree("A"), kErrorAccessDenied);
    EXPECT_EQ(faults_.TextsOf(Op::EnumKeyEx).size(), 2u) << "every index is tried";
    EXPECT_TRUE(scratch_.Exists("A\\B"));
    EXPECT_TRUE(scratch_.Exists("A\\C"));
}

TEST_F(DeleteKeyTreeTest, FailedKeyQueryDeletesNothing) {
    scratch_.CreateSubkey("A\\B");
    faults_.FailOperation(Op::QueryInfoKey, kErrorInvalidHandle);
    EXPECT_EQ(DeleteTree("A"), kErrorInvalidHandle);
    EXPECT_TRUE(faults_.TextsOf(Op::DeleteKey).empty());
    EXPECT_TRUE(scratch_.Exists("A\\B"));
}

TEST_F(DeleteKeyTreeTest, ClosesEachLevelBeforeDeletingIt) {
    scratch_.CreateSubkey("A\\B");
    DeleteTree("A");
    const std::vector<Op> expected = {
        Op::OpenKeyEx, Op::QueryInfoKey, Op::EnumKeyEx,                 // A
        Op::OpenKeyEx, Op::QueryInfoKey, Op::CloseKey,  Op::DeleteKey,  // B
        Op::CloseKey,  Op::DeleteKey,                                   // A
    };
    EXPECT_EQ(faults_.Ops(), expected);
}

}  // namespace
}  // namespace tilu::testing
