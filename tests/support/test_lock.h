// The change lock of a history kept in the test registry. Under Windows or Wine it is the
// program's own, a named mutex in the session; natively, where the test registry is in memory,
// an in-process mutex shared by every lock made for the same key.
#pragma once

#include <string>

#ifdef _WIN32
#include "history/session_lock.h"
#else
#include <memory>
#include <mutex>

#include "history/change_lock.h"
#endif

namespace tilu::testing {

#ifdef _WIN32
using TestLock = SessionLock;
#else
class TestLock : public ChangeLock {
public:
    explicit TestLock(const std::wstring& keyPath);

    bool Acquire() override;
    void Release() override;

private:
    std::shared_ptr<std::timed_mutex> mutex_;
};
#endif

}  // namespace tilu::testing
