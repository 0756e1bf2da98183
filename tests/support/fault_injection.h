// A RegistryApi decorator that makes chosen calls fail, for tests of failure paths and of what a
// process leaves behind when it stops after a number of registry operations. It works over any
// store: the in-memory one natively, the real registry under Windows or Wine.
//
// A call chosen to fail returns its status without reaching the inner store, so it changes
// nothing there and leaves its out-parameters untouched. That includes CloseKey: a failing close
// does not close the inner handle (OpenHandleCount then still counts it).
#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "registry/registry_api.h"

namespace tilu {

enum class Op {
    OpenKeyEx,
    CreateKey,
    CloseKey,
    QueryValueEx,
    SetValueEx,
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

    explicit FaultInjectingRegistry(RegistryApi& inner) : inner_(inner) {}

    // Every later call of `op` fails with `status`.
    void FailOperation(Op op, Status status);
    // The next k calls (of any operation) go through; every call after them fails with `status`,
    // as if the process had stopped after k registry operations.
    void FailAfter(std::size_t k, Status status);
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

    Status OpenKeyEx(RegKey key, const char* subKey, std::uint32_t options, std::uint32_t access,
                     RegKey* result) override;
    Status CreateKey(RegKey key, const char* subKey, RegKey* result) override;
    Status CloseKey(RegKey key) override;
    Status QueryValueEx(RegKey key, const char* valueName, std::uint32_t* reserved,
                        std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override;
    Status SetValueEx(RegKey key, const char* valueName, std::uint32_t reserved, std::uint32_t type,
                      const std::uint8_t* data, std::uint32_t dataSize) override;
    Status DeleteValue(RegKey key, const char* valueName) override;
    Status DeleteKey(RegKey key, const char* subKey) override;
    Status QueryInfoKey(RegKey key, char* className, std::uint32_t* classLength,
                        std::uint32_t* reserved, std::uint32_t* subKeyCount,
                        std::uint32_t* maxSubKeyLength, std::uint32_t* maxClassLength,
                        std::uint32_t* valueCount, std::uint32_t* maxValueNameLength,
                        std::uint32_t* maxValueLength, std::uint32_t* securityDescriptorSize,
                        FileTime* lastWriteTime) override;
    Status EnumKeyEx(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                     std::uint32_t* reserved, char* className, std::uint32_t* classLength,
                     FileTime* lastWriteTime) override;

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
    // Counts the handle an open or create returned with `status`; gives the status back.
    Status Track(Status status, const RegKey* result);
    // Runs `forward` unless a failure is injected; logs the call either way.
    template <class Forward>
    Status Run(Op op, RegKey key, const char* text, Forward forward);

    RegistryApi& inner_;
    std::vector<OpFailure> opFailures_;
    std::optional<CountFailure> countFailure_;
    std::vector<Call> log_;
    std::vector<RegKey> openHandles_;
};

}  // namespace tilu
