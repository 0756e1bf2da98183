// Seeding a scratch history key and reading its slots back, for the history and program tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/test_registry.h"

namespace tilu::testing {

// One value to put into the key before a test.
struct Seed {
    std::string name;
    std::uint32_t type;
    std::vector<std::uint8_t> bytes;
};

// A REG_SZ value as the browser writes it: the ANSI text and its NUL.
Seed Sz(std::string name, const std::wstring& text);
// Slots url1, url2, ... holding these texts.
std::vector<Seed> Slots(const std::vector<std::wstring>& texts);
// Seeds joined.
std::vector<Seed> operator+(std::vector<Seed> a, const std::vector<Seed>& b);
// Writes the seeds into the key.
void SeedKey(ScratchKey& key, const std::vector<Seed>& seeds);

// A REG_SZ value as another program writes it with RegSetValueExW: the UTF-16 text, which may
// hold anything UTF-16 can (lone surrogates, NULs), and its NUL. Natively: the store's own form.
void SetWide(ScratchKey& key, const std::string& name, const std::wstring& text);
// A value's type and bytes as RegQueryValueExW gives them, read without the registry module
// (natively the store's own), or nothing when it or its key is missing.
std::optional<RawValue> GetWide(const ScratchKey& key, const std::string& name);

// How a slot reads back: its text for a REG_SZ value, kAbsent when missing, and a type tag for
// anything else.
inline const std::wstring kAbsent = L"(absent)";
// Slots 1 to 25 as they should read: these texts, then absent slots.
std::vector<std::wstring> Layout(std::vector<std::wstring> texts);
// Slots url1 to url25 of the key, as Layout describes them.
std::vector<std::wstring> ReadSlots(const ScratchKey& key);

}  // namespace tilu::testing
