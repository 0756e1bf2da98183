#include "bench/raw_history.h"

#include "history/slots.h"
#include "registry/wtf8.h"

namespace tilu::bench {

RawHistory::RawHistory(std::string subkey) : subkey_(std::move(subkey)) {
    for (int slot = 1; slot <= SlotCount; ++slot) {
        names_.push_back(ToWtf8(SlotName(slot)));
    }
}

void RawHistory::Reload(std::vector<std::string>& texts) const {
    texts.clear();
    for (const std::string& name : names_) {
        ScopedKey key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey_.c_str(), 0, KEY_READ, key.Out()) !=
            ERROR_SUCCESS) {
            continue;
        }
        DWORD type = 0;
        DWORD size = 0;
        DWORD probe = 0;
        RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&probe),
                         &size);
        if (type == REG_SZ && size != 0) {
            std::string data(size, '\0');
            RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(data.data()), &size);
            data.pop_back();
            if (!data.empty()) {
                texts.push_back(std::move(data));
            }
        }
    }
}

void RawHistory::Rewrite(const std::vector<std::string>& texts) const {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        ScopedKey key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey_.c_str(), 0, KEY_WRITE, key.Out()) !=
            ERROR_SUCCESS) {
            continue;
        }
        if (i < texts.size()) {
            RegSetValueExA(key.Get(), names_[i].c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(texts[i].c_str()),
                           static_cast<DWORD>(texts[i].size() + 1));
        } else {
            RegDeleteValueA(key.Get(), names_[i].c_str());
        }
    }
}

}  // namespace tilu::bench
