// A registry key opened by the module, closed when it goes out of scope, so every path that
// opened a key closes it. Statuses are the service's own, passed back untouched.
#pragma once

#include "registry/registry_api.h"

namespace tilu {

class ScopedKey {
public:
    explicit ScopedKey(RegistryApi& api) : api_(api) {}
    ~ScopedKey() { Close(); }
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;

    // On failure nothing is held.
    Status Open(RegKey parent, const char* subKey, Dword access) {
        Close();
        return Hold(api_.OpenKeyEx(parent, subKey, access, key_));
    }
    Status Create(RegKey parent, const char* subKey) {
        Close();
        return Hold(api_.CreateKey(parent, subKey, key_));
    }
    // Closes the key now and gives the close's status; 0 when nothing is held.
    Status Close() {
        if (!open_) {
            return kErrorSuccess;
        }
        open_ = false;
        return api_.CloseKey(key_);
    }

    RegKey Get() const { return key_; }
    bool IsOpen() const { return open_; }

private:
    Status Hold(Status status) {
        open_ = status == kErrorSuccess;
        return status;
    }

    RegistryApi& api_;
    RegKey key_ = 0;
    bool open_ = false;
};

}  // namespace tilu
