#include "tests/support/test_lock.h"

#ifndef _WIN32
#include <chrono>
#include <map>

namespace tilu::testing {

TestLock::TestLock(const std::wstring& keyPath) {
    static std::mutex guard;
    static std::map<std::wstring, std::shared_ptr<std::timed_mutex>> byKey;
    const std::lock_guard<std::mutex> held(guard);
    std::shared_ptr<std::timed_mutex>& shared = byKey[keyPath];
    if (!shared) {
        shared = std::make_shared<std::timed_mutex>();
    }
    mutex_ = shared;
}

bool TestLock::Acquire() {
    return mutex_->try_lock_for(std::chrono::seconds(3));
}

void TestLock::Release() {
    mutex_->unlock();
}

}  // namespace tilu::testing
#endif
