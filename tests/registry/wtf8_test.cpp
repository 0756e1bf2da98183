#include <gtest/gtest.h>

#include <string>

#include "registry/wtf8.h"

namespace tilu {
namespace {

struct RoundTrip {
    const char* name;
    std::wstring text;
    std::string bytes;
};

TEST(Wtf8, ConvertsBothWays) {
    const RoundTrip cases[] = {
        {"empty", L"", ""},
        {"ASCII", L"abc", "abc"},
        {"embedded NUL", std::wstring(L"a\0b", 3), std::string("a\0b", 3)},
        {"Latin", L"ñó", "\xC3\xB1\xC3\xB3"},
        {"Cyrillic", L"Жук", "\xD0\x96\xD1\x83\xD0\xBA"},
        {"CJK", L"東京", "\xE6\x9D\xB1\xE4\xBA\xAC"},
        {"beyond the BMP", L"\U0001F600", "\xF0\x9F\x98\x80"},
        {"edges of the byte forms", L"\u007F\u0080\u07FF\u0800\uFFFF\U00010000",
         "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80"},
        {"lone high surrogate", L"a\xD800z", "a\xED\xA0\x80z"},
        {"lone low surrogate at the end", L"a\xDFFF", "a\xED\xBF\xBF"},
        {"low before high", L"\xDC00\xD800", "\xED\xB0\x80\xED\xA0\x80"},
    };
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ToWtf8(c.text), c.bytes);
        EXPECT_EQ(FromWtf8(c.bytes), c.text);
    }
}

struct Malformed {
    const char* name;
    std::string bytes;
    std::wstring text;
};

TEST(Wtf8, MalformedBytesBecomeReplacementCharacters) {
    const Malformed cases[] = {
        {"lone continuation", "a\x80z", L"a\xFFFDz"},
        {"invalid lead", "\xFF\xFE", L"\xFFFD\xFFFD"},
        {"truncated at the end", "a\xE2\x82", L"a\xFFFD"},
        {"truncated before ASCII", "\xE2\x82z", L"\xFFFDz"},
        {"overlong", "\xC0\xAF", L"\xFFFD\xFFFD"},
    };
    for (const Malformed& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FromWtf8(c.bytes), c.text);
    }
}

}  // namespace
}  // namespace tilu
