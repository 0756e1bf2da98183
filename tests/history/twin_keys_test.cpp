// Both keys after a delete or a replace, value by value as RegQueryValueExW reads them: each time
// in the twin key moves with its address, and what the user did not change keeps its bytes.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <sstream>
#include <string_view>

#include "registry/wtf8.h"
#include "tests/history/history_harness.h"

namespace tilu {
namespace {

using testing::HistoryHarness;
using testing::kDelete;
using testing::RawValue;
using Bytes = std::vector<std::uint8_t>;

// The slots of both keys as a line of tokens, one per slot from url1: an address letter and a time
// mark, "-" for an absent value. Addresses: a to z are "http://<letter>.es/"; U a string without
// its NUL, O one with a stray odd byte, N one with NULs inside. Times: 1 to 9 FILETIMEs, D a
// REG_DWORD, S a 5-byte REG_BINARY.
const std::wstring kNuls(L"abc\0def\0ghi", 11);
const std::wstring kUnterminated = L"http://sin-nul.es/";

RawValue Text(const std::wstring& text, bool terminated = true) {
    Bytes bytes = ToUtf16Bytes(text);
    if (terminated) {
        bytes.insert(bytes.end(), {0, 0});
    }
    return {kRegSz, bytes};
}

std::optional<RawValue> ValueOf(char mark) {
    switch (mark) {
        case '-':
            return std::nullopt;
        case 'U':
            return Text(kUnterminated, false);
        case 'O': {
            RawValue odd = Text(L"http://impar.es/");
            odd.bytes.push_back(0x41);
            return odd;
        }
        case 'N':
            return Text(kNuls);
        case 'D':
            return RawValue{kRegDword, {7, 0, 0, 0}};
        case 'S':
            return RawValue{kRegBinary, {1, 2, 3, 4, 5}};
        default:
            if (mark >= '1' && mark <= '9') {
                return RawValue{
                    kRegBinary,
                    {static_cast<std::uint8_t>(mark), 0x5E, 0x3A, 0x12, 0x90, 0x4F, 0xDB, 0x01}};
            }
            return Text(L"http://" + std::wstring(1, static_cast<wchar_t>(mark)) + L".es/");
    }
}

char MarkOf(const std::optional<RawValue>& value) {
    for (char mark = 'a'; mark <= 'z'; ++mark) {
        if (value == ValueOf(mark)) {
            return mark;
        }
    }
    for (const char mark : std::string_view("-UON123456789DS")) {
        if (value == ValueOf(mark)) {
            return mark;
        }
    }
    return '?';
}

std::string Url(int slot) {
    return "url" + std::to_string(slot);
}

void Seed(HistoryHarness& h, const std::string& slots, bool timeKey) {
    std::istringstream tokens(slots);
    std::string token;
    for (int slot = 1; tokens >> token; ++slot) {
        if (const auto address = ValueOf(token[0])) {
            h.key.SetStored(Url(slot), *address);
        }
        if (const auto time = ValueOf(token[1])) {
            h.timeKey.SetStored(Url(slot), *time);
        }
    }
    if (timeKey) {
        // What the rewrite never touches.
        h.timeKey.SetStored("url26", *ValueOf('9'));
        h.timeKey.SetStored("MRUList", Text(L"ab"));
        h.timeKey.SetRaw("url1", kRegBinary, {9}, "sub");
    }
}

std::string Read(const HistoryHarness& h) {
    std::string slots;
    for (int slot = 1; slot <= SlotCount; ++slot) {
        slots += std::string{MarkOf(testing::GetWide(h.key, Url(slot))),
                             MarkOf(testing::GetWide(h.timeKey, Url(slot)))} +
                 " ";
    }
    while (slots.ends_with("-- ")) {
        slots.erase(slots.size() - 3);
    }
    return slots.substr(0, slots.size() - 1);
}

struct TwinCase {
    const char* name;
    std::string seeded;
    int selected;
    std::optional<std::wstring> replacement;  // none: the selected entry is deleted
    std::string expected;
    bool timeKey = true;
    std::function<void(HistoryHarness&)> meanwhile = {};  // another program, after the load
};

TEST(TwinKeys, EachTimeMovesWithItsAddressByteForByte) {
    const std::string seven = "a1 b2 c3 d4 e5 f6 g7";
    const TwinCase cases[] = {
        {"delete the first", seven, 0, kDelete, "b2 c3 d4 e5 f6 g7"},
        {"delete the third", seven, 2, kDelete, "a1 b2 d4 e5 f6 g7"},
        {"delete the last", seven, 6, kDelete, "a1 b2 c3 d4 e5 f6"},
        {"a replaced address keeps its time", seven, 3, L"http://r.es/", "a1 b2 c3 r4 e5 f6 g7"},
        {"a replace by empty text leaves a gap without a time", seven, 1, L"",
         "a1 -- c3 d4 e5 f6 g7"},
        {"an address without a time", "a1 b- c3 d4", 0, kDelete, "b- c3 d4"},
        {"times of another type or size move as they are", "a1 bD cS d4", 0, kDelete, "bD cS d4"},
        {"a time whose slot has no address goes", "a1 b2 c3 -- -5", 1, kDelete, "a1 c3"},
        {"without a time key none is created", "a- b- c-", 0, kDelete, "b- c-", false},
        {"a time changed elsewhere: nothing is written", seven, 0, kDelete, "a1 b8 c3 d4 e5 f6 g7",
         true, [](HistoryHarness& h) { h.timeKey.SetStored("url2", *ValueOf('8')); }},
        {"unusual stored forms move byte for byte", "a1 U2 O3 N4", 0, kDelete, "U2 O3 N4"},
        {"the entry's own text leaves it as it was", "a1 U2", 1, kUnterminated, "a1 U2"},
        {"the entry's own text beside a gap and a REG_DWORD writes nothing", "a1 -- c3 D4 d5", 2,
         L"http://d.es/", "a1 -- c3 D4 d5"},
    };
    for (const TwinCase& c : cases) {
        SCOPED_TRACE(c.name);
        HistoryHarness h(L"history.TwinKeys");
        Seed(h, c.seeded, c.timeKey);
        h.history.OnLoad();
        h.Click(c.selected);
        if (c.meanwhile) {
            c.meanwhile(h);
        }
        if (c.replacement) {
            h.Replace(*c.replacement);
        } else {
            h.history.DeleteSelectedEntry();
        }
        EXPECT_EQ(Read(h), c.expected);
        EXPECT_EQ(h.timeKey.Exists(), c.timeKey);
        if (c.timeKey) {
            EXPECT_EQ(testing::GetWide(h.timeKey, "url26"), ValueOf('9'));
            EXPECT_EQ(testing::GetWide(h.timeKey, "MRUList"), Text(L"ab"));
            EXPECT_EQ(h.timeKey.GetRaw("url1", "sub"), (RawValue{kRegBinary, {9}}));
        }
    }
}

}  // namespace
}  // namespace tilu
