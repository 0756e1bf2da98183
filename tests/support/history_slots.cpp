#include "tests/support/history_slots.h"

#include <optional>
#include <string_view>

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
        seeds.push_back(Sz(ToAnsi(SlotName(static_cast<int>(i) + 1)), texts[i]));
    }
    return seeds;
}

std::vector<Seed> operator+(std::vector<Seed> a, const std::vector<Seed>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

void SeedKey(ScratchKey& key, const std::vector<Seed>& seeds) {
    for (const Seed& seed : seeds) {
        key.SetRaw(seed.name, seed.type, seed.bytes);
    }
}

std::vector<std::wstring> Layout(std::vector<std::wstring> texts) {
    texts.resize(SlotCount, kAbsent);
    return texts;
}

std::vector<std::wstring> ReadSlots(const ScratchKey& key) {
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
