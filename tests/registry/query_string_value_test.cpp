#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "tests/registry/registry_fixture.h"
#include "tests/support/interfering_store.h"

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
    const std::wstring subkey = FromWtf8(scratch_.Subkey());
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

struct InterferenceCase {
    const char* name;
    InterferingStore::After after;
    std::wstring text;
};

TEST_F(QueryStringValueTest, ValueChangingDuringTheRead) {
    scratch_.SetRaw("url1", kRegSz, Bytes("abcd\0"s));
    // What the value becomes right after the first query.
    const auto becomes = [&](std::uint32_t type, std::string stored) {
        return [&, type, stored](int query, const std::string&, Status&, std::uint32_t*,
                                 std::uint32_t*) {
            if (query == 0) {
                scratch_.SetRaw("url1", type, Bytes(stored));
            }
        };
    };
    const InterferenceCase cases[] = {
        {"grows: read again with the new size", becomes(kRegSz, "abcdefgh\0"s), L"abcdefgh"},
        {"shrinks: the second size counts", becomes(kRegSz, "ab\0"s), L"ab"},
        {"shrinks without terminator", becomes(kRegSz, "ab"), L"ab"},
        {"changes type", becomes(kRegBinary, "abc\0"s), L""},
        {"grows three times: read on the last try",
         [&](int query, const std::string&, Status&, std::uint32_t*, std::uint32_t*) {
             if (query < 3) {
                 scratch_.SetRaw("url1", kRegSz, Bytes(std::string(8 + query, 'x') + '\0'));
             }
         },
         std::wstring(10, L'x')},
        {"keeps growing: given up, not read forever",
         [&](int query, const std::string&, Status&, std::uint32_t*, std::uint32_t*) {
             scratch_.SetRaw("url1", kRegSz, Bytes(std::string(8 + query, 'x') + '\0'));
         },
         L""},
        {"first query fails: its type and size mean nothing",
         [](int query, const std::string&, Status& status, std::uint32_t* type,
            std::uint32_t* size) {
             if (query == 0) {
                 status = kErrorAccessDenied;
                 *type = kRegSz;
                 *size = 3;
             }
         },
         L""},
    };
    for (const InterferenceCase& c : cases) {
        SCOPED_TRACE(c.name);
        scratch_.SetRaw("url1", kRegSz, Bytes("abcd\0"s));
        InterferingStore store(TestRegistry(), c.after);
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
        std::string expected = ToWtf8(text);
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
