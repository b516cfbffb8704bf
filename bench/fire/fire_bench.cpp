// Times one whole frame step of every fire kind, and one blur pass, for the
// production engine and the oracle in the same run, and prints their medians
// and ratios.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "display/memory_surface.h"
#include "fire/fire_engine.h"
#include "fire/heat_filters.h"
#include "fire/scripted_frames.h"
#include "oracle/fire_oracle.h"

namespace {

using cindral::display::kBackHeight;
using cindral::display::kBackWidth;
using cindral::display::MemorySurface;
using cindral::fire::FireEngine;
using cindral::fire::LoadAndRunFrames;
using cindral::fire::Rnd;
using cindral::fire::RunScriptedFrames;
using cindral::fire::ScriptedClock;
using cindral::oracle::FireOracle;

constexpr int kWarmUpFrames = 200;  // into the steady state of the fire

template <typename Engine>
void FrameStep(benchmark::State& state) {
    const auto kind = static_cast<std::int16_t>(state.range(0));
    ScriptedClock clock;
    Rnd rnd(1);
    Engine engine(rnd, [&clock] { return clock.Now(); });
    MemorySurface back(kBackWidth, kBackHeight, 32);
    if (!LoadAndRunFrames(engine, clock, kind, 0, back, kWarmUpFrames)) {
        state.SkipWithError("kind has no palette");
        return;
    }
    const auto frame = [&] { engine.Frame(back); };
    const auto burst = [&] { engine.EmitBurst(); };
    for (auto _ : state) {
        RunScriptedFrames(clock, 1, frame, burst, [](int) { return true; });
        benchmark::DoNotOptimize(back.Bytes().data());
    }
}

// The steady-state heat buffer of kind 6, for the blur alone.
std::vector<std::uint8_t> WarmBuffer() {
    ScriptedClock clock;
    Rnd rnd(1);
    FireEngine engine(rnd, [&clock] { return clock.Now(); });
    MemorySurface back(kBackWidth, kBackHeight, 32);
    LoadAndRunFrames(engine, clock, 6, 0, back, kWarmUpFrames);
    return engine.FireBuffer();
}

void BlurOracle(benchmark::State& state) {
    cindral::oracle::HeatGrid grid{324, 244, WarmBuffer()};
    for (auto _ : state) {
        cindral::oracle::OracleBlur(grid);
        benchmark::DoNotOptimize(grid.cells.data());
    }
}

void BlurProduction(benchmark::State& state) {
    std::vector<std::uint8_t> cells = WarmBuffer();
    for (auto _ : state) {
        cindral::fire::vbBlurImg(324, 244, cells.data());
        benchmark::DoNotOptimize(cells.data());
    }
}

// Keeps the median CPU time of every benchmark (the machine may be shared, so
// wall time says less) while the console shows the runs.
class MedianCollector : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, double> medianUs;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                const std::string& args = run.run_name.args;
                medianUs[run.run_name.function_name + (args.empty() ? "" : "/" + args)] =
                    run.GetAdjustedCPUTime() * benchmark::GetTimeUnitMultiplier(run.time_unit) /
                    benchmark::GetTimeUnitMultiplier(benchmark::kMicrosecond);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

void PrintLine(const char* label, double oracleUs, double productionUs) {
    std::printf("%s: oracle %.1f us, production %.1f us, ratio %.2f\n", label, oracleUs,
                productionUs, productionUs > 0 ? oracleUs / productionUs : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
    constexpr int kRepetitions = 7;
    for (int kind = 0; kind < 8; ++kind) {
        benchmark::RegisterBenchmark("frame/oracle", FrameStep<FireOracle>)
            ->Arg(kind)
            ->Unit(benchmark::kMicrosecond)
            ->Repetitions(kRepetitions)
            ->ReportAggregatesOnly(true)
            ->MinTime(0.05);
        benchmark::RegisterBenchmark("frame/production", FrameStep<FireEngine>)
            ->Arg(kind)
            ->Unit(benchmark::kMicrosecond)
            ->Repetitions(kRepetitions)
            ->ReportAggregatesOnly(true)
            ->MinTime(0.05);
    }
    benchmark::RegisterBenchmark("blur/oracle", BlurOracle)
        ->Unit(benchmark::kMicrosecond)
        ->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true)
        ->MinTime(0.05);
    benchmark::RegisterBenchmark("blur/production", BlurProduction)
        ->Unit(benchmark::kMicrosecond)
        ->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true)
        ->MinTime(0.05);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    MedianCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();

    std::printf("\nmedian CPU time of %d repetitions, measured in this run:\n", kRepetitions);
    for (int kind = 0; kind < 8; ++kind) {
        const std::string arg = "/" + std::to_string(kind);
        const auto o = collector.medianUs.find("frame/oracle" + arg);
        const auto p = collector.medianUs.find("frame/production" + arg);
        if (o == collector.medianUs.end() || p == collector.medianUs.end()) continue;
        PrintLine(("preset " + std::to_string(kind)).c_str(), o->second, p->second);
    }
    const auto bo = collector.medianUs.find("blur/oracle");
    const auto bp = collector.medianUs.find("blur/production");
    if (bo != collector.medianUs.end() && bp != collector.medianUs.end()) {
        PrintLine("blur pass", bo->second, bp->second);
    }
    return 0;
}
