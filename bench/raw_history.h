// The floor of the history benchmark: the registry calls that the history operations make,
// issued straight to advapi32 with texts already in ANSI form, and nothing else.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tilu::bench {

// An open registry key, closed when it goes.
class ScopedKey {
public:
    ScopedKey() = default;
    ~ScopedKey() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;

    HKEY* Out() { return &key_; }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

class RawHistory {
public:
    // subkey: below HKEY_CURRENT_USER, in ANSI.
    explicit RawHistory(std::string subkey);

    // Per slot: open for reading, query type and size, query the data of a non-empty REG_SZ,
    // close. The texts read replace `texts`.
    void Reload(std::vector<std::string>& texts) const;
    // Per slot: open for writing, then write the text at that position or delete the slot
    // when there is none, close.
    void Rewrite(const std::vector<std::string>& texts) const;

private:
    std::string subkey_;
    std::vector<std::string> names_;  // url1 to url25
};

}  // namespace tilu::bench
