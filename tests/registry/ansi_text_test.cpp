#include <gtest/gtest.h>

#include <string>

#include "registry/ansi_text.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tilu {
namespace {

#ifdef _WIN32
// The manifest's UTF-8 code page is what lets any script through the ANSI registry calls.
TEST(AnsiText, ProcessCodePageIsUtf8) {
    EXPECT_EQ(GetACP(), 65001u);
}
#endif

struct RoundTrip {
    const char* name;
    std::wstring text;
    std::string ansi;
};

TEST(AnsiText, ConvertsBothWays) {
    const RoundTrip cases[] = {
        {"empty", L"", ""},
        {"ASCII", L"abc", "abc"},
        {"embedded NUL", std::wstring(L"a\0b", 3), std::string("a\0b", 3)},
        {"Latin", L"ñó", "\xC3\xB1\xC3\xB3"},
        {"Cyrillic", L"Жук", "\xD0\x96\xD1\x83\xD0\xBA"},
        {"CJK", L"東京", "\xE6\x9D\xB1\xE4\xBA\xAC"},
        {"beyond the BMP", L"\U0001F600", "\xF0\x9F\x98\x80"},
    };
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ToAnsi(c.text), c.ansi);
        EXPECT_EQ(FromAnsi(c.ansi), c.text);
    }
}

struct Malformed {
    const char* name;
    std::string ansi;
    std::wstring text;
};

TEST(AnsiText, MalformedBytesBecomeReplacementCharacters) {
    const Malformed cases[] = {
        {"lone continuation", "a\x80z", L"a\xFFFDz"},
        {"invalid lead", "\xFF\xFE", L"\xFFFD\xFFFD"},
        {"truncated at the end", "a\xE2\x82", L"a\xFFFD"},
        {"truncated before ASCII", "\xE2\x82z", L"\xFFFDz"},
        {"overlong", "\xC0\xAF", L"\xFFFD\xFFFD"},
    };
    for (const Malformed& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FromAnsi(c.ansi), c.text);
    }
}

TEST(AnsiText, EncodedSurrogateIsRejected) {
    // How many replacement characters it gives differs between systems; none may be a surrogate.
    const std::wstring text = FromAnsi("\xED\xA0\x80");
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text, std::wstring(text.size(), L'\xFFFD'));
}

TEST(AnsiText, LoneSurrogateBecomesReplacementCharacter) {
    EXPECT_EQ(FromAnsi(ToAnsi(L"a\xD800z")), L"a\xFFFDz");
}

}  // namespace
}  // namespace tilu
