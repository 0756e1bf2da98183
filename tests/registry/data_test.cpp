#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/data.h"

namespace tilu {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct TextCase {
    const char* name;
    Data data;
    std::wstring text;
};

TEST(Data, ToText) {
    const TextCase cases[] = {
        {"nothing", Data(), L""},
        {"text", Data(L"abc"), L"abc"},
        {"text with NUL", Data(std::wstring(L"a\0b", 3)), std::wstring(L"a\0b", 3)},
        {"zero", Data(0), L"0"},
        {"negative", Data(-42), L"-42"},
        {"lowest", Data(INT32_MIN), L"-2147483648"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.data.ToText(), c.text);
    }
    EXPECT_THROW(Data(Bytes{1}).ToText(), DataConversionError);
}

TEST(Data, ToBytes) {
    EXPECT_EQ(Data(Bytes{0, 1, 255}).ToBytes(), (Bytes{0, 1, 255}));
    const std::pair<const char*, Data> refused[] = {
        {"empty array", Data(Bytes{})},
        {"nothing", Data()},
        {"text", Data(L"ab")},
        {"number", Data(1)},
    };
    for (const auto& [name, data] : refused) {
        SCOPED_TRACE(name);
        EXPECT_THROW(data.ToBytes(), DataConversionError);
    }
}

struct IntCase {
    const char* name;
    Data data;
    std::int32_t value;
};

TEST(Data, ToInt32) {
    const IntCase cases[] = {
        {"nothing", Data(), 0},
        {"number", Data(-7), -7},
        {"digits", Data(L"123"), 123},
        {"blanks and sign", Data(L"  -12"), -12},
        {"plus", Data(L"+5"), 5},
        {"highest", Data(L"2147483647"), INT32_MAX},
        {"lowest", Data(L"-2147483648"), INT32_MIN},
        {"leading zeros", Data(L"007"), 7},
    };
    for (const IntCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.data.ToInt32(), c.value);
    }
    const std::pair<const char*, Data> refused[] = {
        {"empty text", Data(L"")},         {"blanks only", Data(L"  ")},
        {"sign only", Data(L"-")},         {"letters", Data(L"12a")},
        {"trailing blank", Data(L"12 ")},  {"too high", Data(L"2147483648")},
        {"too low", Data(L"-2147483649")}, {"far too high", Data(L"99999999999999999999")},
        {"bytes", Data(Bytes{1})},
    };
    for (const auto& [name, data] : refused) {
        SCOPED_TRACE(name);
        EXPECT_THROW(data.ToInt32(), DataConversionError);
    }
}

}  // namespace
}  // namespace tilu
