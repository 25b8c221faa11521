// Timings of checking a player's answer, and of reading back and valuing the
// engine's own lines as the rating does. Run:
//   build/bench/bench_practice --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

#include "distinct/distinct.h"
#include "formula/formula.h"
#include "practice/check.h"

namespace {

void checkAnswer(benchmark::State& state, std::vector<std::string_view> hand,
                 std::string_view answer) {
  const vantrel::practice::Puzzle puzzle = vantrel::practice::makePuzzle(hand);
  for (auto _ : state) {
    vantrel::practice::Verdict verdict = vantrel::practice::check(answer, puzzle);
    benchmark::DoNotOptimize(verdict);
  }
}
BENCHMARK_CAPTURE(checkAnswer, right, {"3", "3", "8", "8"}, "8 / (3 - 8 / 3)");
BENCHMARK_CAPTURE(checkAnswer, full_width, {"1", "5", "5", "5"}, "（５－１÷５）×５＝２４");
BENCHMARK_CAPTURE(checkAnswer, wrong_value, {"1", "2", "3", "4"}, "(1 + 2) * 3 + 4");
BENCHMARK_CAPTURE(checkAnswer, seven_cards, {"3", "5", "8", "13", "21", "34", "55"},
                  "((55 - 34) / 21 + 13) * 8 / 5 - 3");
BENCHMARK_CAPTURE(checkAnswer, unclosed, {"3", "3", "8", "8"}, "((((8 / (3 - 8 / 3)");

// About the longest formula read, valued: nearly 1000 units of numbers and
// operators, worth a fraction of about 2,000 digits.
void valueLongest(benchmark::State& state) {
  constexpr std::string_view kPiece = "*.1e-17/7";
  std::string text = "1e17";
  while (text.size() + kPiece.size() <= vantrel::formula::kMaxLength) text += kPiece;
  if (vantrel::formula::read(text).problem != vantrel::formula::Problem::kNone) {
    state.SkipWithError("the formula does not read");
  }
  for (auto _ : state) {
    const vantrel::formula::Reading reading = vantrel::formula::read(text);
    vantrel::formula::Evaluation evaluation = vantrel::formula::evaluate(reading.formula);
    benchmark::DoNotOptimize(evaluation);
  }
}
BENCHMARK(valueLongest);

// Every line the engine lists for a hand, read and valued.
void readLines(benchmark::State& state, std::vector<std::string_view> hand) {
  const std::vector<std::string> lines = vantrel::distinct::solve(hand, "24");
  for (auto _ : state) {
    for (const std::string& line : lines) {
      const vantrel::formula::Reading reading = vantrel::formula::read(line);
      vantrel::formula::Evaluation evaluation = vantrel::formula::evaluate(reading.formula);
      benchmark::DoNotOptimize(evaluation);
    }
  }
  state.counters["lines"] = static_cast<double>(lines.size());
}
BENCHMARK_CAPTURE(readLines, 1_2_3_4, {"1", "2", "3", "4"});
BENCHMARK_CAPTURE(readLines, 3_3_8_8, {"3", "3", "8", "8"});

}  // namespace
