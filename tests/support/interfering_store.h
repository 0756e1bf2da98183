// Another program at work during the registry module's reads: `after` runs after each value
// query with the query's number (from 0) and value name, and may change the stored value, or the
// status and outputs the reader gets.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "tests/support/fault_injection.h"

namespace tilu::testing {

class InterferingStore : public FaultInjectingRegistry {
public:
    using After = std::function<void(int query, const std::string& valueName, Status& status,
                                     std::uint32_t* type, std::uint32_t* size)>;
    InterferingStore(RegistryApi& inner, After after)
        : FaultInjectingRegistry(inner), after_(std::move(after)) {}

    Status QueryValueEx(RegKey key, const char* valueName, Dword& type, std::uint8_t* data,
                        Dword& size) override {
        Status status = FaultInjectingRegistry::QueryValueEx(key, valueName, type, data, size);
        after_(queries_++, valueName ? valueName : "", status, &type, &size);
        return status;
    }

private:
    After after_;
    int queries_ = 0;
};

}  // namespace tilu::testing
