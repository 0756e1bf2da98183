#include "tests/history/history_harness.h"

namespace tilu::testing {

HistoryHarness::HistoryHarness(const std::wstring& keyName, RegistryApi& api)
    : key(keyName), registry(api), history(registry, view, dialog, key.Path()) {}

void HistoryHarness::Seed(const std::vector<testing::Seed>& seeds) {
    SeedKey(key, seeds);
}

}  // namespace tilu::testing
