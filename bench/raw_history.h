// The floor of the history benchmark: the system calls that the history operations make on both
// keys, issued straight to advapi32's W functions and to a named mutex, and nothing else.
#pragma once

#include <windows.h>

#include <optional>
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

struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;

    bool operator==(const RawValue&) const = default;
};

// A slot's address and time as stored; absent ones empty.
struct RawSlot {
    std::optional<RawValue> address;
    std::optional<RawValue> time;

    bool operator==(const RawSlot&) const = default;
};

class RawHistory {
public:
    // The two keys below HKEY_CURRENT_USER.
    RawHistory(std::wstring addresses, std::wstring times);
    ~RawHistory();
    RawHistory(const RawHistory&) = delete;
    RawHistory& operator=(const RawHistory&) = delete;

    // Per key: open for reading; per slot, query the whole value (again with the size needed
    // when it is larger than 256 bytes); close.
    std::vector<RawSlot> Read() const;
    // The texts of the slots' REG_SZ addresses that are not empty, in slot order.
    static std::vector<std::wstring> Texts(const std::vector<RawSlot>& slots);
    // Per key: open for writing; per slot whose value is to change, write or delete; close.
    void Rewrite(const std::vector<RawSlot>& now, const std::vector<RawSlot>& target) const;
    // The program's delete of the first entry, under a named mutex: the slots read again and, if
    // they still read as `loaded`, both keys rewritten with every entry one slot up and `loaded`
    // read anew.
    void DeleteFirst(std::vector<RawSlot>& loaded) const;

    // Untimed set-up: slot `slot` of both keys as the browser writes it, an address with its NUL
    // and a FILETIME, creating the keys.
    void WriteSlot(int slot) const;

private:
    std::optional<RawValue> ReadValue(HKEY key, const std::wstring& name) const;
    void WriteValue(HKEY key, const std::wstring& name, const std::optional<RawValue>& value) const;

    HANDLE mutex_;
    std::wstring addresses_;
    std::wstring times_;
    std::vector<std::wstring> names_;  // url1 to url25
};

}  // namespace tilu::bench
