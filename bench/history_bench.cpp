// Times the history operations on full 25-slot keys of addresses and times against the same
// registry calls made straight to advapi32's W functions (the floor), in the same run, and prints
// microseconds per operation and the ratio ours / floor. Works in scratch keys of its own, never
// in the browser's history.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/raw_history.h"
#include "bench/stopwatch.h"
#include "history/history.h"
#include "history/session_lock.h"
#include "history/slots.h"
#include "registry/advapi32_registry.h"
#include "registry/cqueryreg.h"
#include "tests/support/memory_view.h"

namespace tilu::bench {
namespace {

constexpr wchar_t kParentSubkey[] = L"Software\\TiluBench";
constexpr wchar_t kSubkey[] = L"Software\\TiluBench\\TypedURLs";
constexpr wchar_t kTimeSubkey[] = L"Software\\TiluBench\\TypedURLsTime";
constexpr wchar_t kRoot[] = L"HKEY_CURRENT_USER\\";
constexpr int kRounds = 9;
constexpr int kReloadsPerRound = 200;
constexpr int kDeletesPerRound = 100;
constexpr double kTargetRatio = 1.15;

void FillKeys(const RawHistory& raw) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kParentSubkey);
    for (int slot = 1; slot <= SlotCount; ++slot) {
        raw.WriteSlot(slot);
    }
}

void RemoveKeys() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kParentSubkey);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Timings {
    std::vector<double> ours;
    std::vector<double> floor;
};

// Runs `ours` and `floor` `times` times each, interleaved and alternating which goes first, so
// that a load spike on the machine falls on both alike.
template <class Ours, class Floor>
void Interleave(int times, Ours ours, Floor floor) {
    for (int i = 0; i < times; ++i) {
        if (i % 2 == 0) {
            ours();
            floor();
        } else {
            floor();
            ours();
        }
    }
}

// (a): fill the list from the full keys.
void TimeReload(History& history, const RawHistory& raw, Timings& timings) {
    Stopwatch ours;
    Stopwatch floor;
    std::vector<std::wstring> texts;
    Interleave(
        kReloadsPerRound, [&] { ours.Time([&] { history.ReloadHistory(); }); },
        [&] { floor.Time([&] { texts = RawHistory::Texts(raw.Read()); }); });
    timings.ours.push_back(ours.Microseconds() / kReloadsPerRound);
    timings.floor.push_back(floor.Microseconds() / kReloadsPerRound);
}

// (b): delete the first entry of full keys: read the slots again, rewrite and reload. Before each
// delete the 25th slot is written again and the list reloaded, untimed, so each delete starts from
// 25 entries.
void TimeDelete(History& history, MemoryView& view, const RawHistory& raw, Timings& timings) {
    Stopwatch ours;
    Stopwatch floor;
    std::vector<RawSlot> loaded;
    std::vector<std::wstring> texts;
    Interleave(
        kDeletesPerRound,
        [&] {
            raw.WriteSlot(SlotCount);
            history.ReloadHistory();
            view.List().Select(0);
            ours.Time([&] { history.DeleteSelectedEntry(); });
        },
        [&] {
            raw.WriteSlot(SlotCount);
            loaded = raw.Read();
            floor.Time([&] {
                raw.DeleteFirst(loaded);
                texts = RawHistory::Texts(loaded);
            });
        });
    timings.ours.push_back(ours.Microseconds() / kDeletesPerRound);
    timings.floor.push_back(floor.Microseconds() / kDeletesPerRound);
}

// Prints one line and says whether the ratio is within the target.
bool Report(const char* what, const Timings& timings) {
    const double ours = Median(timings.ours);
    const double floor = Median(timings.floor);
    const double ratio = ours / floor;
    std::printf("%-34s ours %9.1f us/op   floor %9.1f us/op   ratio %.3f\n", what, ours, floor,
                ratio);
    return ratio <= kTargetRatio;
}

int Run() {
    const RawHistory raw(kSubkey, kTimeSubkey);
    FillKeys(raw);
    Advapi32Registry api;
    cQueryReg registry(api);
    MemoryView view;
    const std::wstring addresses = std::wstring(kRoot) + kSubkey;
    SessionLock lock(addresses);
    History history(registry, view, {addresses, std::wstring(kRoot) + kTimeSubkey}, lock);

    Timings reload;
    Timings erase;
    // One warm-up round, not counted.
    TimeReload(history, raw, reload);
    TimeDelete(history, view, raw, erase);
    reload = {};
    erase = {};
    for (int round = 0; round < kRounds; ++round) {
        TimeReload(history, raw, reload);
        TimeDelete(history, view, raw, erase);
    }
    RemoveKeys();

    std::printf(
        "History on full %d-slot keys of addresses and times, median of %d rounds (target ratio <= "
        "%.2f)\n",
        SlotCount, kRounds, kTargetRatio);
    const bool reloadMet = Report("(a) ReloadHistory", reload);
    const bool deleteMet = Report("(b) delete, rewrite and reload", erase);
    const bool met = reloadMet && deleteMet;
    std::printf("%s\n", met ? "target met" : "target missed");
    return met ? 0 : 1;
}

}  // namespace
}  // namespace tilu::bench

int main() {
    return tilu::bench::Run();
}
