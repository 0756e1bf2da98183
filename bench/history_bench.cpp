// Times the history operations on a full 25-slot key against the same registry calls made
// straight to advapi32 (the floor), in the same run, and prints microseconds per operation and
// the ratio ours / floor. Works in a scratch key of its own, never in the browser's history.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/raw_history.h"
#include "bench/stopwatch.h"
#include "history/history.h"
#include "history/slots.h"
#include "registry/advapi32_registry.h"
#include "registry/wtf8.h"
#include "registry/cqueryreg.h"
#include "tests/support/memory_view.h"

namespace tilu::bench {
namespace {

constexpr char kParentSubkey[] = "Software\\TiluBench";
constexpr char kSubkey[] = "Software\\TiluBench\\History";
constexpr wchar_t kKeyPath[] = L"HKEY_CURRENT_USER\\Software\\TiluBench\\History";
constexpr int kRounds = 9;
constexpr int kReloadsPerRound = 200;
constexpr int kDeletesPerRound = 100;
constexpr double kTargetRatio = 1.15;

std::string Address(int slot) {
    return "http://www.sitio-de-prueba-" + std::to_string(slot) + ".es/ruta/pagina.html";
}

void WriteSlot(int slot, const std::string& text) {
    ScopedKey key;
    RegCreateKeyA(HKEY_CURRENT_USER, kSubkey, key.Out());
    const std::string name = ToWtf8(SlotName(slot));
    RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

void FillKey() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSubkey);
    for (int slot = 1; slot <= SlotCount; ++slot) {
        WriteSlot(slot, Address(slot));
    }
}

void RemoveKey() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kParentSubkey);
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

// (a): fill the list from the full key.
void TimeReload(History& history, const RawHistory& raw, Timings& timings) {
    Stopwatch ours;
    Stopwatch floor;
    std::vector<std::string> texts;
    Interleave(
        kReloadsPerRound, [&] { ours.Time([&] { history.ReloadHistory(); }); },
        [&] { floor.Time([&] { raw.Reload(texts); }); });
    timings.ours.push_back(ours.Microseconds() / kReloadsPerRound);
    timings.floor.push_back(floor.Microseconds() / kReloadsPerRound);
}

// (b): delete the first entry of a full key: read the slots again, rewrite and reload. Before each
// delete the 25th slot is written again and the list reloaded, untimed, so each delete starts from
// 25 entries.
void TimeDelete(History& history, MemoryView& view, const RawHistory& raw, Timings& timings) {
    Stopwatch ours;
    Stopwatch floor;
    std::vector<std::string> texts;
    std::vector<std::string> current;
    Interleave(
        kDeletesPerRound,
        [&] {
            WriteSlot(SlotCount, Address(SlotCount));
            history.ReloadHistory();
            view.List().Select(0);
            ours.Time([&] { history.DeleteSelectedEntry(); });
        },
        [&] {
            WriteSlot(SlotCount, Address(SlotCount));
            raw.Reload(texts);
            floor.Time([&] {
                // The slots read again before the rewrite, which runs only if nothing changed.
                raw.Reload(current);
                if (current == texts) {
                    texts.erase(texts.begin());
                    raw.Rewrite(texts);
                    raw.Reload(texts);
                }
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
    FillKey();
    Advapi32Registry api;
    cQueryReg registry(api);
    MemoryView view;
    History history(registry, view, kKeyPath);
    const RawHistory raw(kSubkey);

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
    RemoveKey();

    std::printf("History on a full %d-slot key, median of %d rounds (target ratio <= %.2f)\n",
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
