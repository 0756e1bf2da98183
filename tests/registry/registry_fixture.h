// The fixture of the registry tests: a scratch key named after the running test, and cQueryReg
// over a fault-injecting decorator of the registry under test, so every test can inject
// failures, read the call log and check that no key was left open.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/wtf8.h"
#include "registry/cqueryreg.h"
#include "tests/support/fault_injection.h"
#include "tests/support/test_registry.h"

namespace tilu::testing {

// "registry.<suite>.<test>": unique per test, so test programs sharing a prefix cannot collide.
inline std::wstring CurrentTestKeyName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return FromWtf8(std::string("registry.") + info->test_suite_name() + "." + info->name());
}

inline std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

class RegistryTest : public ::testing::Test {
protected:
    RegistryTest() : scratch_(CurrentTestKeyName()), faults_(TestRegistry()), reg_(faults_) {}

    void TearDown() override {
        EXPECT_EQ(faults_.OpenHandleCount(), 0u) << "a registry key was left open";
    }

    // The scratch key's path with a subpath below it, as cQueryReg takes it.
    std::wstring PathTo(const std::wstring& below = L"") const {
        return below.empty() ? scratch_.Path() : scratch_.Path() + L"\\" + below;
    }

    ScratchKey scratch_;
    FaultInjectingRegistry faults_;
    cQueryReg reg_;
};

}  // namespace tilu::testing
