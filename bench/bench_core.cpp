// Measurements of the calculation core: one projection, and the whole work of the longest
// search the core can be asked for (level 50 at 25,227,500 XP to level 189 in steps of 5 scalps,
// every candidate projected in turn).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/level_table.h"
#include "platform/program_folder.h"
#include "core/projection.h"
#include "core/search.h"

using namespace quorvane;

namespace {

const LevelTable& Table() {
  static const LevelTable table = [] {
    const TableLoad load = LoadLevelTable(DefaultLevelTablePath());
    if (!load.ok()) {
      std::fprintf(stderr, "cannot load %s\n", DefaultLevelTablePath().c_str());
      std::exit(1);
    }
    return load.table;
  }();
  return table;
}

void BM_ProjectionTypical(benchmark::State& state) {
  const LevelTable& t = Table();
  ProjectionInput in{50000, t.levelXp(100), 100, QuestPart::GiveRings, false, Side::Good, &t};
  std::int64_t steps = 0;
  for (auto _ : state) {
    const ProjectionResult r = RunProjection(in);
    benchmark::DoNotOptimize(r.currentXp);
    steps += r.stageSteps;
  }
  state.counters["stage_steps_per_projection"] =
      benchmark::Counter(static_cast<double>(steps) / static_cast<double>(state.iterations()));
  state.counters["time_per_stage_step"] =
      benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ProjectionTypical);

// The same projection with its hand-in steps asked for.
void BM_ProjectionStepsTypical(benchmark::State& state) {
  const LevelTable& t = Table();
  ProjectionInput in{50000, t.levelXp(100), 100, QuestPart::GiveRings, false, Side::Good, &t};
  std::size_t rows = 0;
  for (auto _ : state) {
    const std::vector<HandInStep> steps = ProjectionSteps(in);
    benchmark::DoNotOptimize(steps.data());
    rows = steps.size();
  }
  state.counters["rows"] = benchmark::Counter(static_cast<double>(rows));
}
BENCHMARK(BM_ProjectionStepsTypical);

// Every candidate 0, 5, 10, ... projected until one reaches level 189.
void BM_StraightSearchWorstCase(benchmark::State& state) {
  const LevelTable& t = Table();
  const auto part = static_cast<QuestPart>(state.range(0));
  const int target = 189;
  std::int64_t candidates = 0;
  std::int64_t steps = 0;
  for (auto _ : state) {
    candidates = 0;
    steps = 0;
    for (std::int64_t scalps = 0;; scalps += 5) {
      ++candidates;
      const ProjectionResult r = RunProjection({scalps, 25227500, 50, part, false, Side::Good, &t});
      steps += r.stageSteps;
      if (r.outcome != ProjectionOutcome::Finished) break;
      if (t.levelXp(target) <= r.currentXp || r.currentXp > t.levelXp(target + 1)) break;
    }
  }
  state.counters["candidates"] = benchmark::Counter(static_cast<double>(candidates));
  state.counters["stage_steps"] = benchmark::Counter(static_cast<double>(steps));
  state.counters["time_per_projection"] =
      benchmark::Counter(static_cast<double>(candidates) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["time_per_stage_step"] =
      benchmark::Counter(static_cast<double>(steps) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_StraightSearchWorstCase)
    ->ArgName("part")
    ->Arg(static_cast<int>(QuestPart::GiveMaces))
    ->Arg(static_cast<int>(QuestPart::GiveBelts))
    ->Arg(static_cast<int>(QuestPart::GiveBooks))
    ->Arg(static_cast<int>(QuestPart::GiveRings))
    ->Unit(benchmark::kMillisecond);

// A display that only counts repaints.
class CountingDisplay : public SearchDisplay {
 public:
  void setCandidate(const std::string&, const std::string&, const std::string&) override {}
  void setLevelReached(const std::string&) override {}
  void repaintNow() override { ++repaints; }
  void closeWindow() override {}
  void setScalpsNeeded(const std::string&) override {}
  std::int64_t repaints = 0;
};

// The same worst case through the search, with the Working window hidden (range 1 = 0) or
// shown and repainted every 100 scalps (range 1 = 1); range 2 = 1 tries every candidate.
void BM_SearchWorstCase(benchmark::State& state) {
  const LevelTable& t = Table();
  SearchInput in;
  in.start = ProjectionInput{0, 25227500, 50, static_cast<QuestPart>(state.range(0)), false, Side::Good, &t};
  in.targetLevel = 189;
  in.step = 5;
  in.showWorkingWindow = state.range(1) != 0;
  in.useUpdateInterval = true;
  in.updateInterval = 100;
  const bool straight = state.range(2) != 0;
  SearchResult r;
  std::int64_t repaints = 0;
  for (auto _ : state) {
    CountingDisplay display;
    r = straight ? SearchScalpsNeededStraight(in, display) : SearchScalpsNeeded(in, display);
    repaints = display.repaints;
  }
  state.counters["answer"] = benchmark::Counter(static_cast<double>(r.scalps));
  state.counters["projections"] = benchmark::Counter(static_cast<double>(r.projections));
  state.counters["repaints"] = benchmark::Counter(static_cast<double>(repaints));
}
BENCHMARK(BM_SearchWorstCase)
    ->ArgNames({"part", "shown", "straight"})
    ->ArgsProduct({{static_cast<int>(QuestPart::GiveMaces), static_cast<int>(QuestPart::GiveRings)}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
