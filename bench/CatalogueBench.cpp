// The texture stage against one load and save of the same catalogue, and the load and save
// against reading and copying the file: every ratio measured side by side in one run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <limits>
#include <optional>

#include "bench/GeneratedPackage.h"
#include "catalogue/TextureCatalogue.h"
#include "engine/PackageInstaller.h"
#include "platform/MachineHost.h"
#include "tests/support/QuietRunEvents.h"
#include "tests/support/TestRegistry.h"

namespace quorvel::bench {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::int64_t kEntries = 1000;
constexpr std::int64_t kDenseStep = 2;
// Far apart: the blocks spread over almost the whole 32-bit range, so that trying the ids one
// after the other would visit step / 2 ids for every insertion. 100,000 ids a million apart do
// not fit in 32 bits: that catalogue takes ids 40,000 apart, and ids a million apart are shown
// with 4,000 blocks.
constexpr std::int64_t kSparseFirstId = -2000000000;

// The texture stage of the installer on the package's files, and one load and save of the
// catalogue alone.
class TextureStage {
public:
    explicit TextureStage(const GeneratedPackage& package) : package_(package) {
        registry_.RegisterTrassimo(package.TrassimoPath());
        host_.SetInstallerPath(package.InstallerPath());
    }

    bool LoadAndSave() {
        const std::optional<catalogue::TextureCatalogue> loaded =
            catalogue::TextureCatalogue::Load(host_, package_.CataloguePath());
        return loaded &&
               IsSuccess(host_.ReplaceFileContent(package_.CataloguePath(), loaded->FileBytes()));
    }

    bool Merge() {
        test::QuietRunEvents events;
        PackageInstaller installer(host_, events);
        return installer.LookupTarget() == kStatusSuccess && installer.FindPackage() &&
               installer.OpenScript() && installer.MergeTextures();
    }

private:
    const GeneratedPackage& package_;
    test::TestRegistry registry_;
    platform::MachineHost host_;
};

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

// The whole texture stage (the catalogue's lock, load, every merge, the save) against one
// load and save of the same catalogue, taken in turns in the same run, the best of five each:
// the disk and the page cache make single timings wander. Arguments: blocks, the distance of
// their ids, what the entries do (EntryKind), how many there are.
void BM_TextureStage(benchmark::State& state) {
    const std::int64_t step = state.range(1);
    const GeneratedPackage package({state.range(0), step == kDenseStep ? 0 : kSparseFirstId, step,
                                    state.range(3), static_cast<EntryKind>(state.range(2))});
    constexpr int kRounds = 5;
    double bestStage = std::numeric_limits<double>::max();
    double bestLoadSave = std::numeric_limits<double>::max();
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            state.PauseTiming();
            package.RestoreCatalogue();
            TextureStage loadSave(package);
            state.ResumeTiming();
            Clock::time_point start = Clock::now();
            if (!loadSave.LoadAndSave()) {
                state.SkipWithError("load or save failed");
                return;
            }
            bestLoadSave = std::min(bestLoadSave, Seconds(Clock::now() - start));
            state.PauseTiming();
            package.RestoreCatalogue();
            TextureStage stage(package);
            state.ResumeTiming();
            start = Clock::now();
            if (!stage.Merge()) {
                state.SkipWithError("the merge failed");
                return;
            }
            bestStage = std::min(bestStage, Seconds(Clock::now() - start));
        }
    }
    state.counters["MB"] = static_cast<double>(package.CatalogueBytes()) / 1e6;
    state.counters["load_save_ms"] = bestLoadSave * 1e3;
    state.counters["stage_ms"] = bestStage * 1e3;
    state.counters["stage_vs_load_save"] = bestStage / bestLoadSave;
}

// One load, and one save, of the catalogue against the floor of reading and of writing its
// bytes once: `cat FILE >/dev/null`, and `cp FILE COPY` with the copy flushed to the disk
// (`sync COPY`), as the save flushes the catalogue.
void BM_LoadSaveAgainstCatAndCp(benchmark::State& state) {
    const GeneratedPackage package({state.range(0), 0, kDenseStep, 0});
    const std::string file = package.CatalogueHostPath();
    const std::string cat = "cat '" + file + "' >/dev/null";
    const std::string cp = "cp '" + file + "' '" + file + ".kopie' && sync '" + file + ".kopie'";
    double load = 0;
    double save = 0;
    double reading = 0;
    double copying = 0;
    for (auto _ : state) {
        test::TestRegistry registry;
        platform::MachineHost host;
        Clock::time_point start = Clock::now();
        std::optional<catalogue::TextureCatalogue> loaded =
            catalogue::TextureCatalogue::Load(host, package.CataloguePath());
        load += Seconds(Clock::now() - start);
        start = Clock::now();
        if (!loaded ||
            !IsSuccess(host.ReplaceFileContent(package.CataloguePath(), loaded->FileBytes()))) {
            state.SkipWithError("load or save failed");
            return;
        }
        save += Seconds(Clock::now() - start);
        start = Clock::now();
        const bool catDone = std::system(cat.c_str()) == 0;
        reading += Seconds(Clock::now() - start);
        start = Clock::now();
        const bool cpDone = std::system(cp.c_str()) == 0;
        copying += Seconds(Clock::now() - start);
        if (!catDone || !cpDone) {
            state.SkipWithError("cat or cp failed");
            return;
        }
    }
    state.counters["MB"] = static_cast<double>(package.CatalogueBytes()) / 1e6;
    state.counters["load_vs_cat"] = load / reading;
    state.counters["save_vs_cp_sync"] = save / copying;
}

}  // namespace

// 1,000 entries of each kind into 100,000 and 1,000,000 blocks, ids 2 apart; 40,000 and
// 1,000,000 apart where they fit in 32 bits; then 1,000 to 100,000 entries into 1,000,000 blocks.
constexpr auto kMixed = static_cast<std::int64_t>(EntryKind::kHalfReplacedHalfInserted);
constexpr auto kReplace = static_cast<std::int64_t>(EntryKind::kReplacements);
constexpr auto kInsert = static_cast<std::int64_t>(EntryKind::kInsertions);
constexpr auto kEnd = static_cast<std::int64_t>(EntryKind::kAtTheEnd);
BENCHMARK(BM_TextureStage)
    ->ArgNames({"blocks", "step", "kind", "entries"})
    ->Args({100000, kDenseStep, kMixed, kEntries})
    ->Args({100000, kDenseStep, kReplace, kEntries})
    ->Args({100000, kDenseStep, kInsert, kEntries})
    ->Args({100000, kDenseStep, kEnd, kEntries})
    ->Args({100000, 40000, kMixed, kEntries})
    ->Args({100000, 40000, kInsert, kEntries})
    ->Args({100000, 40000, kEnd, kEntries})
    ->Args({4000, 1000000, kMixed, kEntries})
    ->Args({4000, 1000000, kInsert, kEntries})
    ->Args({1000000, kDenseStep, kMixed, kEntries})
    ->Args({1000000, kDenseStep, kReplace, kEntries})
    ->Args({1000000, kDenseStep, kInsert, kEntries})
    ->Args({1000000, kDenseStep, kEnd, kEntries})
    ->Args({1000000, kDenseStep, kMixed, 10000})
    ->Args({1000000, kDenseStep, kMixed, 100000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK(BM_LoadSaveAgainstCatAndCp)
    ->ArgName("blocks")
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace quorvel::bench

BENCHMARK_MAIN();
