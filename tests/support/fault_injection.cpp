#include "tests/support/fault_injection.h"

#include <algorithm>
#include <array>
#include <ostream>

namespace tilu {
namespace {

// In the order of Op.
constexpr std::array<const char*, 11> kOpNames{
    "OpenKeyEx",     "CreateKey",   "CloseKey",  "QueryValueEx", "SetValueEx", "QueryValueBytes",
    "SetValueBytes", "DeleteValue", "DeleteKey", "QueryInfoKey", "EnumKeyEx",
};

}  // namespace

void PrintTo(Op op, std::ostream* os) {
    *os << kOpNames.at(static_cast<std::size_t>(op));
}

void FaultInjectingRegistry::FailOperation(Op op, Status status) {
    opFailures_.push_back({op, status});
}

void FaultInjectingRegistry::FailAfter(std::size_t k, Status status) {
    countFailure_ = CountFailure{log_.size() + k, status};
}

void FaultInjectingRegistry::Clear() {
    opFailures_.clear();
    before_ = nullptr;
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

Status FaultInjectingRegistry::Track(Status status, const RegKey& result) {
    if (status == kErrorSuccess) {
        openHandles_.push_back(result);
    }
    return status;
}

Status FaultInjectingRegistry::Untrack(Status status, RegKey key) {
    if (status == kErrorSuccess) {
        const auto it = std::find(openHandles_.begin(), openHandles_.end(), key);
        if (it != openHandles_.end()) {
            openHandles_.erase(it);
        }
    }
    return status;
}

}  // namespace tilu
