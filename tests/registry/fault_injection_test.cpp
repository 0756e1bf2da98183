#include <gtest/gtest.h>

#include <string>

#include "tests/registry/registry_fixture.h"

namespace tilu::testing {
namespace {

using std::string_literals::operator""s;

class FaultInjectionTest : public RegistryTest {
protected:
    Status Write(const std::string& name) {
        return reg_.SetValue(PathTo(), FromWtf8(name), L"x", kHkeyCurrentUser, 1, -1);
    }
};

TEST_F(FaultInjectionTest, FailAfterLetsKCallsThroughAndTouchesNothingLater) {
    scratch_.CreateSubkey("");
    ASSERT_EQ(Write("first"), kErrorSuccess);  // open, set, close
    const std::size_t before = faults_.OperationCount();
    faults_.FailAfter(1, kErrorAccessDenied);
    EXPECT_EQ(Write("second"), kErrorAccessDenied);  // the open passes, the write fails
    EXPECT_EQ(faults_.OperationCount(), before + 3);
    EXPECT_FALSE(scratch_.GetRaw("second").has_value());
    EXPECT_TRUE(scratch_.GetRaw("first").has_value());
    // The close failed as well and did not reach the store: the handle is still open.
    ASSERT_EQ(faults_.OpenHandleCount(), 1u);
    const RegKey leaked = faults_.Calls().back().key;
    faults_.Clear();
    EXPECT_EQ(faults_.OperationCount(), 0u);
    EXPECT_EQ(faults_.CloseKey(leaked), kErrorSuccess);
}

TEST_F(FaultInjectionTest, FailOperationHitsOnlyThatOperation) {
    scratch_.SetRaw("v", kRegSz, Bytes("old\0"s));
    faults_.FailOperation(Op::DeleteValue, kErrorAccessDenied);
    EXPECT_EQ(reg_.DeleteValue(PathTo(), L"v", kHkeyCurrentUser), kErrorAccessDenied);
    EXPECT_TRUE(scratch_.GetRaw("v").has_value());
    EXPECT_EQ(Write("v"), kErrorSuccess);
    faults_.Clear();
    EXPECT_EQ(reg_.DeleteValue(PathTo(), L"v", kHkeyCurrentUser), kErrorSuccess);
}

TEST_F(FaultInjectionTest, LogsEachCallWithItsStatus) {
    scratch_.CreateSubkey("");
    faults_.FailOperation(Op::SetValueEx, 1234);
    Write("v");
    ASSERT_EQ(faults_.Calls().size(), 3u);
    EXPECT_EQ(faults_.Calls()[0].op, Op::OpenKeyEx);
    EXPECT_EQ(faults_.Calls()[0].status, kErrorSuccess);
    EXPECT_EQ(faults_.Calls()[1].op, Op::SetValueEx);
    EXPECT_EQ(faults_.Calls()[1].text, "v");
    EXPECT_EQ(faults_.Calls()[1].status, 1234);
    EXPECT_EQ(faults_.Calls()[2].op, Op::CloseKey);
    EXPECT_EQ(::testing::PrintToString(faults_.Calls()[2].op), "CloseKey");
}

}  // namespace
}  // namespace tilu::testing
