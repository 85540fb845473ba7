// The texture merge of 1,000 entries against one load and save of the same catalogue: ids
// close together and far apart, and catalogues of growing size.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
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

// The best of three loads and saves of the catalogue as it was before the merge.
double LoadSaveSeconds(const GeneratedPackage& package) {
    double best = std::numeric_limits<double>::max();
    for (int round = 0; round < 3; ++round) {
        package.RestoreCatalogue();
        TextureStage stage(package);
        const Clock::time_point start = Clock::now();
        const bool done = stage.LoadAndSave();
        best = std::min(best, Seconds(Clock::now() - start));
        if (!done) {
            return 0;
        }
    }
    return best;
}

void RunMerge(benchmark::State& state, std::int64_t firstId, std::int64_t step) {
    const GeneratedPackage package({state.range(0), firstId, step, kEntries});
    double mergeSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        package.RestoreCatalogue();
        TextureStage stage(package);
        state.ResumeTiming();
        const Clock::time_point start = Clock::now();
        if (!stage.Merge()) {
            state.SkipWithError("the merge failed");
            return;
        }
        mergeSeconds += Seconds(Clock::now() - start);
    }
    const double loadSave = LoadSaveSeconds(package);
    state.counters["MB"] = static_cast<double>(package.CatalogueBytes()) / 1e6;
    state.counters["load_save_ms"] = loadSave * 1e3;
    state.counters["merge_vs_load_save"] =
        loadSave > 0 ? mergeSeconds / static_cast<double>(state.iterations()) / loadSave : 0;
}

void BM_MergeDense(benchmark::State& state) {
    RunMerge(state, 0, kDenseStep);
}
void BM_MergeSparse(benchmark::State& state) {
    RunMerge(state, kSparseFirstId, state.range(1));
}

void BM_LoadSave(benchmark::State& state) {
    const GeneratedPackage package({state.range(0), 0, kDenseStep, 0});
    for (auto _ : state) {
        TextureStage stage(package);
        if (!stage.LoadAndSave()) {
            state.SkipWithError("load or save failed");
            return;
        }
    }
}

}  // namespace

BENCHMARK(BM_LoadSave)
    ->Arg(4000)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeDense)
    ->Arg(4000)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_MergeSparse)
    ->Args({4000, 1000000})
    ->Args({100000, 40000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace quorvel::bench

BENCHMARK_MAIN();
