#include "history/session_lock.h"

#include <algorithm>

namespace tilu {
namespace {

// Far longer than another copy's change takes (milliseconds), even on a loaded machine; short
// enough that the window does not wait long behind a copy that hangs.
constexpr DWORD kWaitMilliseconds = 3000;

// "Local\" puts the mutex in the session's namespace; the rest of its name may hold no backslash
// (CreateMutexW, MSDN).
std::wstring MutexName(std::wstring keyPath) {
    std::replace(keyPath.begin(), keyPath.end(), L'\\', L'/');
    return L"Local\\TiluHistory:" + keyPath;
}

}  // namespace

SessionLock::SessionLock(const std::wstring& keyPath) : name_(MutexName(keyPath)) {}

SessionLock::~SessionLock() {
    if (mutex_) {
        CloseHandle(mutex_);
    }
}

bool SessionLock::Acquire() {
    if (!mutex_) {
        mutex_ = CreateMutexW(nullptr, FALSE, name_.c_str());
        if (!mutex_) {
            return false;
        }
    }
    // WAIT_ABANDONED: the last holder ended without releasing it; the mutex is ours now
    // (WaitForSingleObject, MSDN).
    const DWORD waited = WaitForSingleObject(mutex_, kWaitMilliseconds);
    return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

void SessionLock::Release() {
    ReleaseMutex(mutex_);
}

}  // namespace tilu
