// The lock that every copy of the program working on one history shares: a change holds it while
// it reads the keys again, rewrites them and fills the list anew, so that two copies' changes
// cannot interleave and one undo the other. Never held while a window waits for the user.
#pragma once

namespace tilu {

class ChangeLock {
public:
    virtual ~ChangeLock() = default;

    // Waits a few seconds at most; false when the lock could not be had. A lock left by a copy
    // that stopped while holding it is taken over: a rewrite stopped at any point leaves the keys
    // sound.
    virtual bool Acquire() = 0;
    virtual void Release() = 0;

    // Holds the lock, if it could be had, for its own lifetime.
    class Hold {
    public:
        explicit Hold(ChangeLock& lock) : lock_(lock), held_(lock.Acquire()) {}
        ~Hold() {
            if (held_) {
                lock_.Release();
            }
        }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

        bool Held() const { return held_; }

    private:
        ChangeLock& lock_;
        bool held_;
    };
};

}  // namespace tilu
