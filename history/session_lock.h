// The change lock as a named mutex in the session's namespace, so that every copy of the program
// the user runs shares it, and only those on the same history key.
#pragma once

#include <windows.h>

#include <string>

#include "history/change_lock.h"

namespace tilu {

class SessionLock : public ChangeLock {
public:
    // The mutex of the history kept in `keyPath`; made on the first Acquire, so that start-up
    // does not wait on it.
    explicit SessionLock(const std::wstring& keyPath);
    ~SessionLock() override;
    SessionLock(const SessionLock&) = delete;
    SessionLock& operator=(const SessionLock&) = delete;

    bool Acquire() override;
    void Release() override;

private:
    std::wstring name_;
    HANDLE mutex_ = nullptr;
};

}  // namespace tilu
