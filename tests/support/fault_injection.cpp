#include "tests/support/fault_injection.h"

#include <algorithm>
#include <ostream>

namespace tilu {
namespace {

const char* OpName(Op op) {
    switch (op) {
        case Op::OpenKeyEx:
            return "OpenKeyEx";
        case Op::CreateKey:
            return "CreateKey";
        case Op::CloseKey:
            return "CloseKey";
        case Op::QueryValueEx:
            return "QueryValueEx";
        case Op::SetValueEx:
            return "SetValueEx";
        case Op::DeleteValue:
            return "DeleteValue";
        case Op::DeleteKey:
            return "DeleteKey";
        case Op::QueryInfoKey:
            return "QueryInfoKey";
        case Op::EnumKeyEx:
            return "EnumKeyEx";
    }
    return "?";
}

}  // namespace

void PrintTo(Op op, std::ostream* os) {
    *os << OpName(op);
}

void FaultInjectingRegistry::FailOperation(Op op, Status status) {
    opFailures_.push_back({op, status});
}

void FaultInjectingRegistry::FailAfter(std::size_t k, Status status) {
    countFailure_ = CountFailure{log_.size() + k, status};
}

void FaultInjectingRegistry::Clear() {
    opFailures_.clear();
    countFailure_.reset();
    log_.clear();
}

std::vector<std::string> FaultInjectingRegistry::TextsOf(Op op) const {
    std::vector<std::string> texts;
    for (const Call& call : log_) {
        if (call.op == op) {
            texts.push_back(call.text);
        }
    }
    return texts;
}

std::vector<Op> FaultInjectingRegistry::Ops() const {
    std::vector<Op> ops;
    for (const Call& call : log_) {
        ops.push_back(call.op);
    }
    return ops;
}

std::optional<Status> FaultInjectingRegistry::InjectedFailure(Op op) const {
    if (countFailure_ && log_.size() >= countFailure_->afterCount) {
        return countFailure_->status;
    }
    // The latest rule for an operation wins.
    for (auto it = opFailures_.rbegin(); it != opFailures_.rend(); ++it) {
        if (it->op == op) {
            return it->status;
        }
    }
    return std::nullopt;
}

Status FaultInjectingRegistry::Track(Status status, const RegKey* result) {
    if (status == kErrorSuccess && result) {
        openHandles_.push_back(*result);
    }
    return status;
}

template <class Forward>
Status FaultInjectingRegistry::Run(Op op, RegKey key, const char* text, Forward forward) {
    const std::optional<Status> injected = InjectedFailure(op);
    const Status status = injected ? *injected : forward();
    log_.push_back({op, key, text ? std::string(text) : std::string(), status});
    return status;
}

Status FaultInjectingRegistry::OpenKeyEx(RegKey key, const char* subKey, std::uint32_t options,
                                         std::uint32_t access, RegKey* result) {
    return Run(Op::OpenKeyEx, key, subKey, [&] {
        return Track(inner_.OpenKeyEx(key, subKey, options, access, result), result);
    });
}

Status FaultInjectingRegistry::CreateKey(RegKey key, const char* subKey, RegKey* result) {
    return Run(Op::CreateKey, key, subKey,
               [&] { return Track(inner_.CreateKey(key, subKey, result), result); });
}

Status FaultInjectingRegistry::CloseKey(RegKey key) {
    return Run(Op::CloseKey, key, nullptr, [&] {
        const Status status = inner_.CloseKey(key);
        if (status == kErrorSuccess) {
            const auto it = std::find(openHandles_.begin(), openHandles_.end(), key);
            if (it != openHandles_.end()) {
                openHandles_.erase(it);
            }
        }
        return status;
    });
}

Status FaultInjectingRegistry::QueryValueEx(RegKey key, const char* valueName,
                                            std::uint32_t* reserved, std::uint32_t* type,
                                            std::uint8_t* data, std::uint32_t* dataSize) {
    return Run(Op::QueryValueEx, key, valueName,
               [&] { return inner_.QueryValueEx(key, valueName, reserved, type, data, dataSize); });
}

Status FaultInjectingRegistry::SetValueEx(RegKey key, const char* valueName, std::uint32_t reserved,
                                          std::uint32_t type, const std::uint8_t* data,
                                          std::uint32_t dataSize) {
    return Run(Op::SetValueEx, key, valueName,
               [&] { return inner_.SetValueEx(key, valueName, reserved, type, data, dataSize); });
}

Status FaultInjectingRegistry::DeleteValue(RegKey key, const char* valueName) {
    return Run(Op::DeleteValue, key, valueName, [&] { return inner_.DeleteValue(key, valueName); });
}

Status FaultInjectingRegistry::DeleteKey(RegKey key, const char* subKey) {
    return Run(Op::DeleteKey, key, subKey, [&] { return inner_.DeleteKey(key, subKey); });
}

Status FaultInjectingRegistry::QueryInfoKey(
    RegKey key, char* className, std::uint32_t* classLength, std::uint32_t* reserved,
    std::uint32_t* subKeyCount, std::uint32_t* maxSubKeyLength, std::uint32_t* maxClassLength,
    std::uint32_t* valueCount, std::uint32_t* maxValueNameLength, std::uint32_t* maxValueLength,
    std::uint32_t* securityDescriptorSize, FileTime* lastWriteTime) {
    return Run(Op::QueryInfoKey, key, nullptr, [&] {
        return inner_.QueryInfoKey(key, className, classLength, reserved, subKeyCount,
                                   maxSubKeyLength, maxClassLength, valueCount, maxValueNameLength,
                                   maxValueLength, securityDescriptorSize, lastWriteTime);
    });
}

Status FaultInjectingRegistry::EnumKeyEx(RegKey key, std::uint32_t index, char* name,
                                         std::uint32_t* nameLength, std::uint32_t* reserved,
                                         char* className, std::uint32_t* classLength,
                                         FileTime* lastWriteTime) {
    return Run(Op::EnumKeyEx, key, nullptr, [&] {
        return inner_.EnumKeyEx(key, index, name, nameLength, reserved, className, classLength,
                                lastWriteTime);
    });
}

}  // namespace tilu
