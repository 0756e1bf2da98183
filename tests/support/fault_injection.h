// A RegistryApi decorator that makes chosen calls fail, for tests of failure paths and of what a
// process leaves behind when it stops after a number of registry operations. It works over any
// store: the in-memory one natively, the real registry under Windows or Wine.
//
// A call chosen to fail returns its status without reaching the inner store, so it changes
// nothing there and leaves its out-parameters untouched. That includes CloseKey: a failing close
// does not close the inner handle (OpenHandleCount then still counts it).
#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "registry/registry_api.h"

namespace tilu {

enum class Op {
    OpenKeyEx,
    CreateKey,
    CloseKey,
    QueryValueEx,
    SetValueEx,
    QueryValueBytes,
    SetValueBytes,
    DeleteValue,
    DeleteKey,
    QueryInfoKey,
    EnumKeyEx,
};

// Prints an operation by name (GoogleTest finds it for failure messages).
void PrintTo(Op op, std::ostream* os);

class FaultInjectingRegistry : public RegistryApi {
public:
    // One call as seen by the decorator: its operation, the key handle it was given, its text
    // argument (subkey or value name; empty where there is none) and the status it returned.
    struct Call {
        Op op;
        RegKey key;
        std::string text;
        Status status;
    };
    // Runs before a call reaches the store, as another program at work meanwhile, given the
    // call's number (from 0 since the last Clear) and the call; a status it gives fails the call.
    using Interference = std::function<std::optional<Status>(std::size_t number, const Call&)>;

    explicit FaultInjectingRegistry(RegistryApi& inner) : inner_(inner) {}

    // Every later call of `op` fails with `status`.
    void FailOperation(Op op, Status status);
    // The next k calls (of any operation) go through; every call after them fails with `status`,
    // as if the process had stopped after k registry operations.
    void FailAfter(std::size_t k, Status status);
    // Every later call meets `act` first (until Clear).
    void Before(Interference act) { before_ = std::move(act); }
    // Forgets every failure rule, the call count and the log.
    void Clear();

    // Calls since construction or the last Clear, failed ones included.
    std::size_t OperationCount() const { return log_.size(); }
    const std::vector<Call>& Calls() const { return log_; }
    // The text arguments of the logged calls of one operation, in call order.
    std::vector<std::string> TextsOf(Op op) const;
    // The operations of the logged calls, in call order.
    std::vector<Op> Ops() const;
    // Handles returned by OpenKeyEx or CreateKey through this decorator and not closed yet.
    std::size_t OpenHandleCount() const { return openHandles_.size(); }

    Status OpenKeyEx(RegKey key, const char* subKey, Dword access, RegKey& result) override {
        return Run(Op::OpenKeyEx, key, subKey,
                   [&] { return Track(inner_.OpenKeyEx(key, subKey, access, result), result); });
    }
    Status CreateKey(RegKey key, const char* subKey, RegKey& result) override {
        return Run(Op::CreateKey, key, subKey,
                   [&] { return Track(inner_.CreateKey(key, subKey, result), result); });
    }
    Status CloseKey(RegKey key) override {
        return Run(Op::CloseKey, key, nullptr, [&] { return Untrack(inner_.CloseKey(key), key); });
    }
    Status QueryValueEx(RegKey key, const char* valueName, Dword& type, std::uint8_t* data,
                        Dword& size) override {
        return Run(Op::QueryValueEx, key, valueName,
                   [&] { return inner_.QueryValueEx(key, valueName, type, data, size); });
    }
    Status SetValueEx(RegKey key, const char* valueName, Dword type, const std::uint8_t* data,
                      Dword size) override {
        return Run(Op::SetValueEx, key, valueName,
                   [&] { return inner_.SetValueEx(key, valueName, type, data, size); });
    }
    Status QueryValueBytes(RegKey key, const char* valueName, Dword& type,
                           std::vector<std::uint8_t>& bytes) override {
        return Run(Op::QueryValueBytes, key, valueName,
                   [&] { return inner_.QueryValueBytes(key, valueName, type, bytes); });
    }
    Status SetValueBytes(RegKey key, const char* valueName, Dword type,
                         std::span<const std::uint8_t> bytes) override {
        return Run(Op::SetValueBytes, key, valueName,
                   [&] { return inner_.SetValueBytes(key, valueName, type, bytes); });
    }
    Status DeleteValue(RegKey key, const char* valueName) override {
        return Run(Op::DeleteValue, key, valueName,
                   [&] { return inner_.DeleteValue(key, valueName); });
    }
    Status DeleteKey(RegKey key, const char* subKey) override {
        return Run(Op::DeleteKey, key, subKey, [&] { return inner_.DeleteKey(key, subKey); });
    }
    Status QueryInfoKey(RegKey key, Dword& subKeyCount, Dword& longestSubKey) override {
        return Run(Op::QueryInfoKey, key, nullptr,
                   [&] { return inner_.QueryInfoKey(key, subKeyCount, longestSubKey); });
    }
    Status EnumKeyEx(RegKey key, Dword index, char* name, Dword& nameLength) override {
        return Run(Op::EnumKeyEx, key, nullptr,
                   [&] { return inner_.EnumKeyEx(key, index, name, nameLength); });
    }

private:
    struct OpFailure {
        Op op;
        Status status;
    };
    struct CountFailure {
        std::size_t afterCount;  // log size from which on every call fails
        Status status;
    };

    // The injected status for the next call of `op`, if it is to fail.
    std::optional<Status> InjectedFailure(Op op) const;
    // Counts the handle an open or create stored in `result` with `status`; gives the status
    // back. By reference: it is read once the call has stored it.
    Status Track(Status status, const RegKey& result);
    // Forgets a handle that closed with `status`; gives the status back.
    Status Untrack(Status status, RegKey key);
    // Runs `forward` unless a failure is injected; logs the call either way.
    template <class Forward>
    Status Run(Op op, RegKey key, const char* text, Forward forward) {
        Call call{op, key, text ? std::string(text) : std::string(), kErrorSuccess};
        std::optional<Status> injected = before_ ? before_(log_.size(), call) : std::nullopt;
        if (!injected) {
            injected = InjectedFailure(op);
        }
        const Status status = injected ? *injected : forward();
        call.status = status;
        log_.push_back(std::move(call));
        return status;
    }

    RegistryApi& inner_;
    std::vector<OpFailure> opFailures_;
    std::optional<CountFailure> countFailure_;
    Interference before_;
    std::vector<Call> log_;
    std::vector<RegKey> openHandles_;
};

}  // namespace tilu
