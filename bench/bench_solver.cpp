// Timings of the solve command and of the distinct solutions. Run:
//   build/bench/bench_solver --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <string>
#include <string_view>
#include <vector>

#include "distinct/distinct.h"
#include "platform/fp_environment.h"
#include "rating/rating.h"
#include "rating/ways.h"
#include "solver/solve.h"
#include "solver/template_sweep.h"

namespace {

void solveHand(benchmark::State& state, vantrel::InputTexts hand) {
  for (auto _ : state) {
    vantrel::SolveResult result = vantrel::solve(hand);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK_CAPTURE(solveHand, 1_2_3_4, vantrel::InputTexts{"1", "2", "3", "4"});
BENCHMARK_CAPTURE(solveHand, 1_1_1_24, vantrel::InputTexts{"1", "1", "1", "24"});
BENCHMARK_CAPTURE(solveHand, 3_3_8_8, vantrel::InputTexts{"3", "3", "8", "8"});
BENCHMARK_CAPTURE(solveHand, 6_6_6_6, vantrel::InputTexts{"6", "6", "6", "6"});

// One sweep of the 160 templates, without building any line.
void sweepOnly(benchmark::State& state) {
  vantrel::Slots slots = {1, 2, 3, 4};
  for (auto _ : state) {
    benchmark::DoNotOptimize(slots);
    vantrel::Matches matches = vantrel::findMatches(slots);
    benchmark::DoNotOptimize(matches);
  }
}
BENCHMARK(sweepOnly);

// Every hand of four cards from 1 to 13, as 1,820 multisets.
std::vector<std::array<std::string, 4>> allHands() {
  std::vector<std::array<std::string, 4>> hands;
  for (int a = 1; a <= 13; ++a)
    for (int b = a; b <= 13; ++b)
      for (int c = b; c <= 13; ++c)
        for (int d = c; d <= 13; ++d)
          hands.push_back(
              {std::to_string(a), std::to_string(b), std::to_string(c), std::to_string(d)});
  return hands;
}

void solveAllHands(benchmark::State& state) {
  const auto hands = allHands();
  for (auto _ : state) {
    for (const auto& hand : hands) {
      vantrel::SolveResult result = vantrel::solve({hand[0], hand[1], hand[2], hand[3]});
      benchmark::DoNotOptimize(result);
    }
  }
  state.counters["hands"] = static_cast<double>(hands.size());
}
BENCHMARK(solveAllHands)->Unit(benchmark::kMillisecond);

// The distinct solutions of every hand of 1..13, one after the other.
void distinctAllHands(benchmark::State& state) {
  const auto hands = allHands();
  for (auto _ : state) {
    for (const auto& hand : hands) {
      const std::vector<std::string_view> numbers(hand.begin(), hand.end());
      std::vector<std::string> lines = vantrel::distinct::solve(numbers, "24");
      benchmark::DoNotOptimize(lines);
    }
  }
  state.counters["hands"] = static_cast<double>(hands.size());
}
BENCHMARK(distinctAllHands)->Unit(benchmark::kMillisecond);

// The rating of every hand of 1..13: its distinct solutions and more. Meant to
// cost at most twice distinctAllHands.
void rateAllHands(benchmark::State& state) {
  const auto hands = allHands();
  for (auto _ : state) {
    for (const auto& hand : hands) {
      const std::array<std::string_view, 4> numbers = {hand[0], hand[1], hand[2], hand[3]};
      benchmark::DoNotOptimize(vantrel::rating::rate(numbers));
    }
  }
  state.counters["hands"] = static_cast<double>(hands.size());
}
BENCHMARK(rateAllHands)->Unit(benchmark::kMillisecond);

// The ways of every hand of 1..13 alone, the rating's own part of its work.
void waysAllHands(benchmark::State& state) {
  const auto hands = allHands();
  for (auto _ : state) {
    std::size_t count = 0;
    for (const auto& hand : hands) {
      const std::array<std::string_view, 4> numbers = {hand[0], hand[1], hand[2], hand[3]};
      vantrel::rating::forEachWay(numbers, "24", [&](const vantrel::rating::WayView&) { ++count; });
    }
    benchmark::DoNotOptimize(count);
  }
}
BENCHMARK(waysAllHands)->Unit(benchmark::kMillisecond);

// One hand, with the most memory the process has taken so far (run one such
// case alone to read its own peak). script/bench-web times 1 2 3 4 5 6 in the
// page against this.
void distinctHand(benchmark::State& state, std::vector<std::string_view> hand) {
  std::size_t count = 0;
  for (auto _ : state) {
    std::vector<std::string> lines = vantrel::distinct::solve(hand, "24");
    count = lines.size();
    benchmark::DoNotOptimize(lines);
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["solutions"] = static_cast<double>(count);
  state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK_CAPTURE(distinctHand, 1_2_3_4_5, {"1", "2", "3", "4", "5"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(distinctHand, 1_2_3_4_5_6, {"1", "2", "3", "4", "5", "6"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(distinctHand, 3_5_8_13_21_34_55, {"3", "5", "8", "13", "21", "34", "55"})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  vantrel::useDefaultFloatingPoint();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
