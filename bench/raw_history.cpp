#include "bench/raw_history.h"

#include <algorithm>

#include "history/slots.h"

namespace tilu::bench {

RawHistory::RawHistory(std::wstring addresses, std::wstring times)
    : mutex_(CreateMutexW(nullptr, FALSE, (L"Local\\TiluBench:" + addresses).c_str())),
      addresses_(std::move(addresses)),
      times_(std::move(times)) {
    for (int slot = 1; slot <= SlotCount; ++slot) {
        names_.push_back(SlotName(slot));
    }
}

RawHistory::~RawHistory() {
    CloseHandle(mutex_);
}

std::optional<RawValue> RawHistory::ReadValue(HKEY key, const std::wstring& name) const {
    RawValue value{REG_NONE, std::vector<BYTE>(256)};
    LONG status = ERROR_MORE_DATA;
    while (status == ERROR_MORE_DATA) {
        DWORD size = static_cast<DWORD>(value.bytes.size());
        status =
            RegQueryValueExW(key, name.c_str(), nullptr, &value.type, value.bytes.data(), &size);
        value.bytes.resize(size);
    }
    if (status != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

std::vector<RawSlot> RawHistory::Read() const {
    ScopedKey addresses;
    ScopedKey times;
    RegOpenKeyExW(HKEY_CURRENT_USER, addresses_.c_str(), 0, KEY_READ, addresses.Out());
    RegOpenKeyExW(HKEY_CURRENT_USER, times_.c_str(), 0, KEY_READ, times.Out());
    std::vector<RawSlot> slots;
    for (const std::wstring& name : names_) {
        slots.push_back({ReadValue(addresses.Get(), name), ReadValue(times.Get(), name)});
    }
    return slots;
}

std::vector<std::wstring> RawHistory::Texts(const std::vector<RawSlot>& slots) {
    std::vector<std::wstring> texts;
    for (const RawSlot& slot : slots) {
        if (!slot.address || slot.address->type != REG_SZ) {
            continue;
        }
        std::wstring text(slot.address->bytes.size() / sizeof(wchar_t), L'\0');
        std::copy_n(slot.address->bytes.begin(), text.size() * sizeof(wchar_t),
                    reinterpret_cast<BYTE*>(text.data()));
        if (!text.empty() && text.back() == L'\0') {
            text.pop_back();
        }
        if (!text.empty()) {
            texts.push_back(std::move(text));
        }
    }
    return texts;
}

void RawHistory::WriteValue(HKEY key, const std::wstring& name,
                            const std::optional<RawValue>& value) const {
    if (value) {
        RegSetValueExW(key, name.c_str(), 0, value->type, value->bytes.data(),
                       static_cast<DWORD>(value->bytes.size()));
    } else {
        RegDeleteValueW(key, name.c_str());
    }
}

void RawHistory::Rewrite(const std::vector<RawSlot>& now,
                         const std::vector<RawSlot>& target) const {
    ScopedKey addresses;
    ScopedKey times;
    RegOpenKeyExW(HKEY_CURRENT_USER, addresses_.c_str(), 0, KEY_WRITE, addresses.Out());
    RegOpenKeyExW(HKEY_CURRENT_USER, times_.c_str(), 0, KEY_WRITE, times.Out());
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (now[i].address != target[i].address) {
            WriteValue(addresses.Get(), names_[i], target[i].address);
        }
        if (now[i].time != target[i].time) {
            WriteValue(times.Get(), names_[i], target[i].time);
        }
    }
}

void RawHistory::DeleteFirst(std::vector<RawSlot>& loaded) const {
    WaitForSingleObject(mutex_, INFINITE);
    if (Read() != loaded) {
        ReleaseMutex(mutex_);
        return;
    }
    std::vector<RawSlot> target;
    for (const RawSlot& slot : loaded) {
        if (!Texts({slot}).empty()) {
            target.push_back(slot);
        }
    }
    if (!target.empty()) {
        target.erase(target.begin());
    }
    target.resize(loaded.size());
    Rewrite(loaded, target);
    loaded = Read();
    ReleaseMutex(mutex_);
}

void RawHistory::WriteSlot(int slot) const {
    const std::wstring text =
        L"http://www.sitio-de-prueba-" + std::to_wstring(slot) + L".es/ruta/pagina.html";
    const ULONGLONG time = 0x01DB4F9012345678ull + static_cast<ULONGLONG>(slot);
    const RawValue address{REG_SZ,
                           {reinterpret_cast<const BYTE*>(text.c_str()),
                            reinterpret_cast<const BYTE*>(text.c_str() + text.size() + 1)}};
    const RawValue stamp{
        REG_BINARY,
        {reinterpret_cast<const BYTE*>(&time), reinterpret_cast<const BYTE*>(&time + 1)}};
    for (const auto& [subkey, value] : {std::pair{&addresses_, &address}, {&times_, &stamp}}) {
        ScopedKey key;
        RegCreateKeyW(HKEY_CURRENT_USER, subkey->c_str(), key.Out());
        RegSetValueExW(key.Get(), names_[slot - 1].c_str(), 0, value->type, value->bytes.data(),
                       static_cast<DWORD>(value->bytes.size()));
    }
}

}  // namespace tilu::bench
