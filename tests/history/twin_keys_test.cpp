// Both keys after a delete or a replace, value by value as RegQueryValueExW reads them: each time
// in the twin key moves with its address, and what the user did not change keeps its bytes.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <set>

#include "registry/wtf8.h"
#include "tests/history/history_harness.h"

namespace tilu {
namespace {

using testing::HistoryHarness;
using testing::kDelete;
using testing::RawValue;
using testing::ScratchKey;
using Values = std::map<std::string, RawValue>;
using Bytes = std::vector<std::uint8_t>;

std::string Url(int slot) {
    return "url" + std::to_string(slot);
}

// A REG_SZ as the browser stores it: UTF-16 and a NUL.
RawValue Address(const std::wstring& text) {
    Bytes bytes = ToUtf16Bytes(text);
    bytes.insert(bytes.end(), {0, 0});
    return {kRegSz, bytes};
}

// A FILETIME as the browser stores it: 8 bytes, REG_BINARY; `n` tells them apart.
RawValue Time(std::uint8_t n) {
    return {kRegBinary, {n, 0x5E, 0x3A, 0x12, 0x90, 0x4F, 0xDB, 0x01}};
}

// Slots 1, 2, ... holding these values; a null one leaves its slot absent.
Values InSlots(const std::vector<std::optional<RawValue>>& values) {
    Values slots;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i]) {
            slots[Url(static_cast<int>(i) + 1)] = *values[i];
        }
    }
    return slots;
}

std::vector<std::optional<RawValue>> Addresses(const std::wstring& letters) {
    std::vector<std::optional<RawValue>> values;
    for (const wchar_t letter : letters) {
        values.push_back(Address(L"http://" + std::wstring(1, letter) + L".es/"));
    }
    return values;
}

std::vector<std::optional<RawValue>> Times(const std::vector<int>& numbers) {
    std::vector<std::optional<RawValue>> values;
    for (const int n : numbers) {
        values.push_back(n == 0 ? std::nullopt : std::optional(Time(static_cast<std::uint8_t>(n))));
    }
    return values;
}

Values With(Values values, const std::string& name, const RawValue& value) {
    values[name] = value;
    return values;
}

struct TwinCase {
    const char* name;
    Values addresses;
    std::optional<Values> times;  // none: there is no time key
    int selected;
    std::optional<std::wstring> replacement;  // none: the selected entry is deleted
    Values expectedAddresses;
    std::optional<Values> expectedTimes;                  // none: the time key does not exist
    std::function<void(HistoryHarness&)> meanwhile = {};  // another program, after the load
};

// Every value the key should hold, and no other among those the case names or url1 to url25.
void ExpectKey(const ScratchKey& key, const Values& seeded, const Values& expected) {
    std::set<std::string> names;
    for (int slot = 1; slot <= SlotCount; ++slot) {
        names.insert(Url(slot));
    }
    for (const auto* values : {&seeded, &expected}) {
        for (const auto& [name, value] : *values) {
            names.insert(name);
        }
    }
    for (const std::string& name : names) {
        const auto it = expected.find(name);
        const std::optional<RawValue> want =
            it == expected.end() ? std::nullopt : std::optional(it->second);
        EXPECT_EQ(testing::GetWide(key, name), want) << name;
    }
}

TEST(TwinKeys, EachTimeMovesWithItsAddressByteForByte) {
    const Values seven = InSlots(Addresses(L"abcdefg"));
    const Values sevenTimes = InSlots(Times({1, 2, 3, 4, 5, 6, 7}));
    const RawValue unterminated{kRegSz, Bytes(ToUtf16Bytes(L"http://sin-terminar.example/ab"))};
    RawValue odd = Address(L"http://impar.example/abc");
    odd.bytes.push_back(0x41);
    const std::wstring nuls(L"abc\0def\0ghi", 11);
    const RawValue dword{kRegDword, {7, 0, 0, 0}};
    const RawValue shortTime{kRegBinary, {1, 2, 3, 4, 5}};

    const TwinCase cases[] = {
        {"delete the first", seven, sevenTimes, 0, kDelete, InSlots(Addresses(L"bcdefg")),
         InSlots(Times({2, 3, 4, 5, 6, 7}))},
        {"delete the third", seven, sevenTimes, 2, kDelete, InSlots(Addresses(L"abdefg")),
         InSlots(Times({1, 2, 4, 5, 6, 7}))},
        {"delete the last", seven, sevenTimes, 6, kDelete, InSlots(Addresses(L"abcdef")),
         InSlots(Times({1, 2, 3, 4, 5, 6}))},
        {"a replaced address keeps its time", seven, sevenTimes, 3, L"http://nueva.es/",
         With(seven, "url4", Address(L"http://nueva.es/")), sevenTimes},
        {"a replace by empty text leaves a gap without a time", seven, sevenTimes, 1, L"",
         InSlots({Addresses(L"a")[0], std::nullopt, Addresses(L"c")[0], Addresses(L"d")[0],
                  Addresses(L"e")[0], Addresses(L"f")[0], Addresses(L"g")[0]}),
         InSlots(Times({1, 0, 3, 4, 5, 6, 7}))},
        {"an address without a time", seven, InSlots(Times({1, 0, 3, 4, 5, 6, 7})), 0, kDelete,
         InSlots(Addresses(L"bcdefg")), InSlots(Times({0, 3, 4, 5, 6, 7}))},
        {"times of another type or size move as they are", seven,
         With(With(sevenTimes, "url3", dword), "url4", shortTime), 0, kDelete,
         InSlots(Addresses(L"bcdefg")),
         InSlots({Time(2), dword, shortTime, Time(5), Time(6), Time(7)})},
        {"a time whose slot has no address goes with the next change", InSlots(Addresses(L"abc")),
         With(InSlots(Times({1, 2, 3})), "url5", Time(5)), 1, kDelete, InSlots(Addresses(L"ac")),
         InSlots(Times({1, 3}))},
        {"other values of the time key stay", seven,
         With(With(sevenTimes, "url26", Time(26)), "MRUList", Address(L"ab")), 0, kDelete,
         InSlots(Addresses(L"bcdefg")),
         With(With(InSlots(Times({2, 3, 4, 5, 6, 7})), "url26", Time(26)), "MRUList",
              Address(L"ab"))},
        {"without a time key none is created", seven, std::nullopt, 0, kDelete,
         InSlots(Addresses(L"bcdefg")), std::nullopt},
        {"a time changed elsewhere: nothing is written", seven, sevenTimes, 0, kDelete, seven,
         With(sevenTimes, "url2", Time(99)),
         [](HistoryHarness& h) { h.timeKey.SetStored("url2", Time(99)); }},
        {"unusual stored forms move byte for byte",
         InSlots({Addresses(L"a")[0], unterminated, odd}), InSlots(Times({1, 2, 3})), 0, kDelete,
         InSlots({unterminated, odd}), InSlots(Times({2, 3}))},
        {"the entry's own text leaves it as it was", InSlots({Addresses(L"a")[0], Address(nuls)}),
         InSlots(Times({1, 2})), 1, nuls, InSlots({Addresses(L"a")[0], Address(nuls)}),
         InSlots(Times({1, 2}))},
    };
    for (const TwinCase& c : cases) {
        SCOPED_TRACE(c.name);
        HistoryHarness h(L"history.TwinKeys");
        for (const auto& [name, value] : c.addresses) {
            h.key.SetStored(name, value);
        }
        if (c.times) {
            for (const auto& [name, value] : *c.times) {
                h.timeKey.SetStored(name, value);
            }
            h.timeKey.SetRaw("url1", kRegBinary, {9}, "sub");
        }
        h.history.OnLoad();
        h.Click(c.selected);
        if (c.meanwhile) {
            c.meanwhile(h);
        }
        if (c.replacement) {
            h.history.ReplaceEntry(*c.replacement);
        } else {
            h.history.DeleteSelectedEntry();
        }
        ExpectKey(h.key, c.addresses, c.expectedAddresses);
        EXPECT_EQ(h.timeKey.Exists(), c.expectedTimes.has_value());
        if (c.expectedTimes) {
            ExpectKey(h.timeKey, c.times.value_or(Values{}), *c.expectedTimes);
            EXPECT_EQ(h.timeKey.GetRaw("url1", "sub"), (RawValue{kRegBinary, {9}}));
        }
    }
}

}  // namespace
}  // namespace tilu
