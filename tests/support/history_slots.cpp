#include "tests/support/history_slots.h"

#include <optional>
#include <string_view>

#include "history/slots.h"
#include "registry/scoped_key.h"
#include "registry/wtf8.h"

#ifdef _WIN32
#include <windows.h>

#include <memory>
#include <type_traits>
#endif

namespace tilu::testing {

Seed Sz(std::string name, const std::wstring& text) {
    std::string bytes = ToWtf8(text);
    std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
    data.push_back(0);
    return {std::move(name), kRegSz, std::move(data)};
}

std::vector<Seed> Slots(const std::vector<std::wstring>& texts) {
    std::vector<Seed> seeds;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        seeds.push_back(Sz(ToWtf8(SlotName(static_cast<int>(i) + 1)), texts[i]));
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

#ifdef _WIN32
namespace {

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using WideKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

// The scratch key through the W functions alone (its path is plain ASCII); null when missing.
WideKey OpenWide(const ScratchKey& key, REGSAM access, bool create) {
    const std::string subkey = key.Subkey();
    const std::wstring path(subkey.begin(), subkey.end());
    HKEY opened = nullptr;
    if (create) {
        RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, access, nullptr, &opened,
                        nullptr);
    } else {
        RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, access, &opened);
    }
    return WideKey(opened);
}

}  // namespace

void SetWide(ScratchKey& key, const std::string& name, const std::wstring& text) {
    const WideKey opened = OpenWide(key, KEY_SET_VALUE, true);
    RegSetValueExW(opened.get(), std::wstring(name.begin(), name.end()).c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

std::optional<RawValue> GetWide(const ScratchKey& key, const std::string& name) {
    const WideKey opened = OpenWide(key, KEY_QUERY_VALUE, false);
    if (!opened) {
        return std::nullopt;
    }
    const std::wstring wideName(name.begin(), name.end());
    DWORD type = 0;
    DWORD size = 0;
    std::optional<RawValue> value;
    if (RegQueryValueExW(opened.get(), wideName.c_str(), nullptr, &type, nullptr, &size) ==
        ERROR_SUCCESS) {
        value = RawValue{type, std::vector<std::uint8_t>(size)};
        RegQueryValueExW(opened.get(), wideName.c_str(), nullptr, nullptr, value->bytes.data(),
                         &size);
    }
    return value;
}
#else
void SetWide(ScratchKey& key, const std::string& name, const std::wstring& text) {
    SeedKey(key, {Sz(name, text)});
}

std::optional<RawValue> GetWide(const ScratchKey& key, const std::string& name) {
    RegistryApi& api = TestRegistry();
    ScopedKey opened(api);
    RawValue value;
    if (opened.Open(kCurrentUserKey, key.Subkey().c_str(), kKeyRead) != kErrorSuccess ||
        api.QueryValueBytes(opened.Get(), name.c_str(), value.type, value.bytes) != kErrorSuccess) {
        return std::nullopt;
    }
    return value;
}
#endif

std::vector<std::wstring> Layout(std::vector<std::wstring> texts) {
    texts.resize(SlotCount, kAbsent);
    return texts;
}

std::vector<std::wstring> ReadSlots(const ScratchKey& key) {
    std::vector<std::wstring> slots;
    for (int slot = 1; slot <= SlotCount; ++slot) {
        const std::optional<RawValue> raw = key.GetRaw(ToWtf8(SlotName(slot)));
        if (!raw) {
            slots.push_back(kAbsent);
        } else if (raw->type == kRegSz && !raw->bytes.empty() && raw->bytes.back() == 0) {
            slots.push_back(FromWtf8(std::string_view(
                reinterpret_cast<const char*>(raw->bytes.data()), raw->bytes.size() - 1)));
        } else {
            slots.push_back(L"(type " + std::to_wstring(raw->type) + L", " +
                            std::to_wstring(raw->bytes.size()) + L" bytes)");
        }
    }
    return slots;
}

}  // namespace tilu::testing
