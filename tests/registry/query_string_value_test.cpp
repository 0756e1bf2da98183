#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "tests/registry/registry_fixture.h"

namespace tilu::testing {
namespace {

using std::string_literals::operator""s;

class QueryStringValueTest : public RegistryTest {};

struct ReadCase {
    const char* name;
    std::uint32_t type;
    std::string stored;
    std::wstring text;
};

TEST_F(QueryStringValueTest, ReadsOnlyStrings) {
    const ReadCase cases[] = {
        {"terminated", kRegSz, "abc\0"s, L"abc"},
        {"only the NUL", kRegSz, "\0"s, L""},
        {"zero bytes", kRegSz, "", L""},
        {"embedded NUL kept", kRegSz, "ab\0c\0"s, L"ab\0c"s},
        {"unterminated keeps its last character", kRegSz, "abc", L"abc"},
        {"unterminated with embedded NUL", kRegSz, "ab\0c"s, L"ab\0c"s},
        {"UTF-8 bytes", kRegSz, "\xD0\x96\xD1\x83\xD0\xBA\0"s, L"Жук"},
        {"blanks are text", kRegSz, "  \0"s, L"  "},
        {"DWORD", kRegDword, "\1\0\0\0"s, L""},
        {"expandable string", kRegExpandSz, "abc\0"s, L""},
        {"binary", kRegBinary, "abc\0"s, L""},
        {"multi-string", kRegMultiSz, "a\0\0"s, L""},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        scratch_.SetRaw("url1", c.type, Bytes(c.stored));
        EXPECT_EQ(reg_.QueryStringValue(PathTo(), L"url1", kHkeyCurrentUser), c.text);
    }
}

TEST_F(QueryStringValueTest, MissingValueOrKeyReadsEmpty) {
    scratch_.SetRaw("url1", kRegSz, Bytes("a\0"s));
    EXPECT_EQ(reg_.QueryStringValue(PathTo(), L"url2", kHkeyCurrentUser), L"");
    EXPECT_EQ(reg_.QueryStringValue(PathTo(L"Missing"), L"url1", kHkeyCurrentUser), L"");
    EXPECT_EQ(faults_.TextsOf(Op::QueryValueEx).size(), 1u)
        << "a missing value is asked for once, a value in a missing key never";
}

TEST_F(QueryStringValueTest, FindsTheKeyByEveryPathForm) {
    scratch_.SetRaw("url1", kRegSz, Bytes("x\0"s));
    const std::wstring subkey = FromAnsi(scratch_.Subkey());
    const std::pair<const char*, std::wstring> paths[] = {
        {"full name", PathTo()},
        {"short prefix", L"HKCU\\" + subkey},
        {"default root", subkey},
    };
    for (const auto& [name, path] : paths) {
        SCOPED_TRACE(name);
        EXPECT_EQ(reg_.QueryStringValue(path, L"URL1", kHkeyCurrentUser), L"x");
    }
}

TEST_F(QueryStringValueTest, OpensForReadingOnly) {
    scratch_.SetRaw("url1", kRegSz, Bytes("x\0"s));
    reg_.QueryStringValue(PathTo(), L"url1", kHkeyCurrentUser);
    ASSERT_FALSE(faults_.Calls().empty());
    EXPECT_EQ(faults_.Calls().front().op, Op::OpenKeyEx);
    EXPECT_EQ(faults_.Calls().front().key, kCurrentUserKey);
    EXPECT_EQ(faults_.Calls().front().text, scratch_.Subkey());
}

// Changes the value once, right after the first query of a read, as another program might.
class ChangingStore : public FaultInjectingRegistry {
public:
    ChangingStore(RegistryApi& inner, std::function<void()> change)
        : FaultInjectingRegistry(inner), change_(std::move(change)) {}

    Status QueryValueEx(RegKey key, const char* valueName, std::uint32_t* reserved,
                        std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override {
        const Status status =
            FaultInjectingRegistry::QueryValueEx(key, valueName, reserved, type, data, dataSize);
        if (change_) {
            std::exchange(change_, nullptr)();
        }
        return status;
    }

private:
    std::function<void()> change_;
};

TEST_F(QueryStringValueTest, ValueChangingBetweenTheQueries) {
    const ReadCase cases[] = {
        // stored: what the value changes to
        {"grows: the second query fails", kRegSz, "abcdef\0"s, L""},
        {"shrinks: the second size counts", kRegSz, "ab\0"s, L"ab"},
        {"shrinks without terminator", kRegSz, "ab", L"ab"},
        {"changes type", kRegBinary, "abc\0"s, L""},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        scratch_.SetRaw("url1", kRegSz, Bytes("abcd\0"s));
        ChangingStore store(TestRegistry(),
                            [&] { scratch_.SetRaw("url1", c.type, Bytes(c.stored)); });
        EXPECT_EQ(cQueryReg(store).QueryStringValue(PathTo(), L"url1", kHkeyCurrentUser), c.text);
        EXPECT_EQ(store.OpenHandleCount(), 0u);
    }
}

TEST_F(QueryStringValueTest, UnicodeRoundTripThroughSetValue) {
    const std::pair<const char*, std::wstring> texts[] = {
        {"Spanish", L"dirección ñandú"},
        {"Cyrillic", L"http://пример.рф/страница"},
        {"CJK", L"http://例え.テスト/東京"},
        {"beyond the BMP", L"http://x.com/\U0001F600"},
    };
    for (const auto& [name, text] : texts) {
        SCOPED_TRACE(name);
        ASSERT_EQ(reg_.SetValue(PathTo(), L"url1", text, kHkeyCurrentUser, kRegSz, -1),
                  kErrorSuccess);
        EXPECT_EQ(reg_.QueryStringValue(PathTo(), L"url1", kHkeyCurrentUser), text);
        // Every converted byte is counted, not one byte per character.
        std::string expected = ToAnsi(text);
        expected.push_back('\0');
        EXPECT_EQ(scratch_.GetRaw("url1"), (RawValue{kRegSz, Bytes(expected)}));
    }
}

TEST_F(QueryStringValueTest, NonAsciiKeyAndValueNames) {
    ASSERT_EQ(reg_.SetValue(PathTo(L"Историја"), L"名前", L"v", kHkeyCurrentUser, kRegSz, -1),
              kErrorSuccess);
    EXPECT_EQ(reg_.QueryStringValue(PathTo(L"Историја"), L"名前", kHkeyCurrentUser), L"v");
}

}  // namespace
}  // namespace tilu::testing
