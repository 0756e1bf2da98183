#include "tests/history/history_harness.h"

#include "history/slots.h"
#include "registry/ansi_text.h"

namespace tilu::testing {

Seed Sz(std::string name, const std::wstring& text) {
    std::string bytes = ToAnsi(text);
    std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
    data.push_back(0);
    return {std::move(name), kRegSz, std::move(data)};
}

std::vector<Seed> Slots(const std::vector<std::wstring>& texts) {
    std::vector<Seed> seeds;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        seeds.push_back(Sz("url" + std::to_string(i + 1), texts[i]));
    }
    return seeds;
}

std::vector<Seed> operator+(std::vector<Seed> a, const std::vector<Seed>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<std::wstring> Layout(std::vector<std::wstring> texts) {
    texts.resize(SlotCount, kAbsent);
    return texts;
}

HistoryHarness::HistoryHarness(const std::wstring& keyName, RegistryApi& api)
    : key(keyName), registry(api), history(registry, view, dialog, key.Path()) {}

void HistoryHarness::Seed(const std::vector<testing::Seed>& seeds) {
    for (const testing::Seed& seed : seeds) {
        key.SetRaw(seed.name, seed.type, seed.bytes);
    }
}

std::vector<std::wstring> HistoryHarness::ReadSlots() const {
    std::vector<std::wstring> slots;
    for (int slot = 1; slot <= SlotCount; ++slot) {
        const std::optional<RawValue> raw = key.GetRaw(ToAnsi(SlotName(slot)));
        if (!raw) {
            slots.push_back(kAbsent);
        } else if (raw->type == kRegSz && !raw->bytes.empty() && raw->bytes.back() == 0) {
            slots.push_back(FromAnsi(std::string_view(
                reinterpret_cast<const char*>(raw->bytes.data()), raw->bytes.size() - 1)));
        } else {
            slots.push_back(L"(type " + std::to_wstring(raw->type) + L", " +
                            std::to_wstring(raw->bytes.size()) + L" bytes)");
        }
    }
    return slots;
}

}  // namespace tilu::testing
