#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <string>
#include <vector>

#include "tests/registry/registry_fixture.h"

namespace tilu::testing {
namespace {

using std::string_literals::operator""s;
using ByteVector = std::vector<std::uint8_t>;

constexpr std::int16_t kCreate = -1;
constexpr std::int16_t kDoNotCreate = 0;

class SetValueTest : public RegistryTest {};

struct WriteCase {
    const char* name;
    Data data;
    std::int32_t valueType;
    std::uint32_t storedType;
    std::string stored;
};

TEST_F(SetValueTest, WritesEachTypeAsItsBytes) {
    const WriteCase cases[] = {
        {"text", Data(L"abc"), 1, kRegSz, "abc\0"s},
        {"empty text", Data(L""), 1, kRegSz, "\0"s},
        {"nothing as text", Data(), 1, kRegSz, "\0"s},
        {"number as text", Data(42), 1, kRegSz, "42\0"s},
        {"text with NUL", Data(L"a\0b"s), 1, kRegSz, "a\0b\0"s},
        {"Cyrillic counts its bytes", Data(L"Жук"), 1, kRegSz, "\xD0\x96\xD1\x83\xD0\xBA\0"s},
        {"bytes", Data(ByteVector{1, 2, 3, 4}), 3, kRegBinary, "\1\2\3\4"s},
        {"one byte", Data(ByteVector{0}), 3, kRegBinary, "\0"s},
        {"DWORD 1", Data(1), 4, kRegDword, "\1\0\0\0"s},
        {"DWORD -1", Data(-1), 4, kRegDword, "\xFF\xFF\xFF\xFF"s},
        {"nothing as DWORD", Data(), 4, kRegDword, "\0\0\0\0"s},
        {"text as DWORD", Data(L" -12"), 4, kRegDword, "\xF4\xFF\xFF\xFF"s},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(reg_.SetValue(PathTo(), L"v", c.data, kHkeyCurrentUser, c.valueType, kCreate),
                  kErrorSuccess);
        EXPECT_EQ(scratch_.GetRaw("v"), (RawValue{c.storedType, Bytes(c.stored)}));
    }
}

TEST_F(SetValueTest, ReplacesAnExistingValue) {
    scratch_.SetRaw("v", kRegDword, Bytes("\1\0\0\0"s));
    scratch_.SetRaw("other", kRegSz, Bytes("o\0"s));
    EXPECT_EQ(reg_.SetValue(PathTo(), L"V", L"new", kHkeyCurrentUser, 1, kDoNotCreate),
              kErrorSuccess);
    EXPECT_EQ(scratch_.GetRaw("v"), (RawValue{kRegSz, Bytes("new\0"s)}));
    EXPECT_EQ(scratch_.GetRaw("other"), (RawValue{kRegSz, Bytes("o\0"s)}));
}

TEST_F(SetValueTest, MissingKeyIsCreatedOnlyWhenAsked) {
    EXPECT_EQ(reg_.SetValue(PathTo(L"A\\B"), L"v", L"x", kHkeyCurrentUser, 1, kDoNotCreate),
              kErrorFileNotFound);
    EXPECT_FALSE(scratch_.Exists());
    EXPECT_TRUE(faults_.TextsOf(Op::CreateKey).empty());

    EXPECT_EQ(reg_.SetValue(PathTo(L"A\\B"), L"v", L"x", kHkeyCurrentUser, 1, 1), kErrorSuccess);
    EXPECT_EQ(scratch_.GetRaw("v", "A\\B"), (RawValue{kRegSz, Bytes("x\0"s)}));
}

TEST_F(SetValueTest, OtherTypesWriteNothingAndSaySo) {
    for (const std::int32_t type : {0, 2, 5, 7, 11, -1}) {
        SCOPED_TRACE(type);
        scratch_.SetRaw("keep", kRegSz, Bytes("k\0"s));
        EXPECT_EQ(reg_.SetValue(PathTo(L"New"), L"v", L"x", kHkeyCurrentUser, type, kCreate),
                  kErrorInvalidParameter);
        EXPECT_TRUE(scratch_.Exists("New")) << "the key is created all the same";
        EXPECT_FALSE(scratch_.GetRaw("v", "New").has_value());
        EXPECT_TRUE(faults_.TextsOf(Op::SetValueEx).empty());
    }
}

TEST_F(SetValueTest, DataThatDoesNotConvertThrowsAndWritesNothing) {
    const std::pair<const char*, std::pair<Data, std::int32_t>> cases[] = {
        {"empty byte array", {Data(ByteVector{}), 3}},
        {"text as bytes", {Data(L"ab"), 3}},
        {"nothing as bytes", {Data(), 3}},
        {"bytes as text", {Data(ByteVector{1}), 1}},
        {"letters as DWORD", {Data(L"abc"), 4}},
        {"too large for a DWORD", {Data(L"2147483648"), 4}},
    };
    scratch_.SetRaw("v", kRegSz, Bytes("old\0"s));
    for (const auto& [name, args] : cases) {
        SCOPED_TRACE(name);
        EXPECT_THROW(
            reg_.SetValue(PathTo(), L"v", args.first, kHkeyCurrentUser, args.second, kCreate),
            DataConversionError);
        EXPECT_EQ(scratch_.GetRaw("v"), (RawValue{kRegSz, Bytes("old\0"s)}));
        EXPECT_EQ(faults_.OpenHandleCount(), 0u);
    }
}

TEST_F(SetValueTest, AFailedWriteOrCloseIsReported) {
    const std::tuple<Op, Status, bool> failures[] = {
        {Op::SetValueEx, kErrorAccessDenied, false},
        {Op::CloseKey, kErrorInvalidHandle, true},  // written, but the close's failure counts
    };
    for (const auto& [op, status, written] : failures) {
        SCOPED_TRACE(::testing::PrintToString(op));
        faults_.Clear();
        faults_.FailOperation(op, status);
        EXPECT_EQ(reg_.SetValue(PathTo(), L"v", L"x", kHkeyCurrentUser, 1, kCreate), status);
        EXPECT_EQ(scratch_.GetRaw("v").has_value(), written);
        // A failed close leaves the key open: closed now, for the fixture's count.
        const RegKey opened = faults_.Calls().back().key;
        faults_.Clear();
        if (op == Op::CloseKey) {
            faults_.CloseKey(opened);
        }
        DeleteTreeRaw(TestRegistry(), kCurrentUserKey, scratch_.Subkey());
    }
}

TEST_F(SetValueTest, FailedOpenAndCreateReturnsTheCreateStatus) {
    faults_.FailOperation(Op::OpenKeyEx, kErrorFileNotFound);
    faults_.FailOperation(Op::CreateKey, kErrorAccessDenied);
    EXPECT_EQ(reg_.SetValue(PathTo(), L"v", L"x", kHkeyCurrentUser, 1, kCreate),
              kErrorAccessDenied);
    EXPECT_TRUE(faults_.TextsOf(Op::CloseKey).empty()) << "nothing was opened";
}

TEST_F(SetValueTest, OpensForWritingAndClosesOnce) {
    scratch_.CreateSubkey("");
    reg_.SetValue(PathTo(), L"v", L"x", kHkeyCurrentUser, 1, kCreate);
    EXPECT_EQ(faults_.Ops(), (std::vector<Op>{Op::OpenKeyEx, Op::SetValueEx, Op::CloseKey}));
}

TEST_F(SetValueTest, PathWithoutRootUsesTheCheckedDefault) {
    struct Operation {
        const char* name;
        std::function<Status(const cQueryReg&, RootHandle)> run;
    };
    const Operation operations[] = {
        {"SetValue",
         [](const cQueryReg& reg, RootHandle root) {
             return reg.SetValue(L"Software\\Test", L"v", L"x", root, 1, kDoNotCreate);
         }},
        {"DeleteValue",
         [](const cQueryReg& reg, RootHandle root) {
             return reg.DeleteValue(L"Software\\Test", L"v", root);
         }},
        {"DeleteValue of the key",
         [](const cQueryReg& reg, RootHandle root) {
             return reg.DeleteValue(L"Software\\Test", L"", root);
         }},
    };
    const std::pair<RootHandle, RootHandle> roots[] = {
        {kHkeyLocalMachine, kHkeyLocalMachine},
        {7, kHkeyClassesRoot},
        {static_cast<RootHandle>(0x80000007u), kHkeyClassesRoot},
    };
    for (const Operation& operation : operations) {
        for (const auto& [defaultRoot, used] : roots) {
            SCOPED_TRACE(::testing::Message() << operation.name << " under " << defaultRoot);
            // The open fails, so that nothing outside the scratch key is ever touched.
            faults_.Clear();
            faults_.FailOperation(Op::OpenKeyEx, kErrorFileNotFound);
            EXPECT_EQ(operation.run(reg_, defaultRoot), kErrorFileNotFound);
            ASSERT_EQ(faults_.Calls().size(), 1u);
            EXPECT_EQ(faults_.Calls()[0].key, RootKeyHandle(used));
            EXPECT_EQ(faults_.Calls()[0].text, "Software\\Test");
        }
    }
}

}  // namespace
}  // namespace tilu::testing
