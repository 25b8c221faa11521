#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "distinct/distinct.h"
#include "formula/formula.h"
#include "rating/deal.h"
#include "rating/rating.h"
#include "rating/ways.h"

namespace {

using vantrel::rating::Hand;
using vantrel::rating::Level;

std::array<std::string, 4> textsOf(const Hand& hand) {
  return {std::to_string(hand[0]), std::to_string(hand[1]), std::to_string(hand[2]),
          std::to_string(hand[3])};
}

vantrel::rating::Rating rateHand(const Hand& hand) {
  const auto texts = textsOf(hand);
  const std::array<std::string_view, 4> numbers = {texts[0], texts[1], texts[2], texts[3]};
  return vantrel::rating::rate(numbers);
}

// Every hand of cards 1..13 and its rating, worked out once.
const std::map<Hand, vantrel::rating::Rating>& everyHand() {
  static const auto ratings = [] {
    std::map<Hand, vantrel::rating::Rating> all;
    for (int a = 1; a <= 13; ++a)
      for (int b = a; b <= 13; ++b)
        for (int c = b; c <= 13; ++c)
          for (int d = c; d <= 13; ++d) all[{a, b, c, d}] = rateHand({a, b, c, d});
    return all;
  }();
  return ratings;
}

TEST(Rating, EachLevelHoldsAQuarterOfTheSolvableHandsAndOnlyThoseWithoutASolutionHaveNone) {
  std::map<Level, int> count;
  for (const auto& [hand, rating] : everyHand()) {
    ++count[rating.level];
    const auto texts = textsOf(hand);
    const std::vector<std::string_view> numbers(texts.begin(), texts.end());
    const bool solvable = !vantrel::distinct::solve(numbers, "24").empty();
    EXPECT_EQ(rating.seconds.has_value(), solvable) << texts[0] << texts[1] << texts[2] << texts[3];
    EXPECT_EQ(rating.level == Level::kNoSolution, !solvable);
    if (rating.seconds) {
      EXPECT_EQ(vantrel::rating::levelOf(*rating.seconds), rating.level);
    }
  }
  EXPECT_EQ(count[Level::kNoSolution], 458);
  for (Level level : vantrel::rating::kLevels) {
    EXPECT_TRUE(count[level] == 340 || count[level] == 341) << count[level];
  }
}

// Ranks with ties given their mean rank.
std::vector<double> ranks(const std::vector<double>& values) {
  std::vector<std::size_t> order(values.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](auto a, auto b) { return values[a] < values[b]; });
  std::vector<double> rank(values.size());
  for (std::size_t i = 0; i < order.size();) {
    std::size_t j = i;
    while (j < order.size() && values[order[j]] == values[order[i]]) ++j;
    for (std::size_t k = i; k < j; ++k) rank[order[k]] = static_cast<double>(i + j - 1) / 2;
    i = j;
  }
  return rank;
}

double spearman(const std::vector<double>& x, const std::vector<double>& y) {
  const std::vector<double> a = ranks(x), b = ranks(y);
  const double mean = static_cast<double>(a.size() - 1) / 2;
  double ab = 0, aa = 0, bb = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    ab += (a[i] - mean) * (b[i] - mean);
    aa += (a[i] - mean) * (a[i] - mean);
    bb += (b[i] - mean) * (b[i] - mean);
  }
  return ab / std::sqrt(aa * bb);
}

TEST(Rating, FollowsPlayersTimesAndTheirMedianRisesFromLevelToLevel) {
  std::ifstream file(VANTREL_TRAINING_FILE);
  ASSERT_TRUE(file) << VANTREL_TRAINING_FILE;
  std::string line;
  std::getline(file, line);  // the head
  std::vector<double> scores, players;
  std::map<Level, std::vector<double>> byLevel;
  while (std::getline(file, line)) {
    std::istringstream fields(line);
    std::string rank, hand, seconds;
    std::getline(fields, rank, ',');
    std::getline(fields, hand, ',');
    std::getline(fields, seconds, ',');
    Hand cards{};
    std::istringstream(hand) >> cards[0] >> cards[1] >> cards[2] >> cards[3];
    const vantrel::rating::Rating rating = everyHand().at(cards);
    ASSERT_TRUE(rating.seconds) << hand;
    scores.push_back(*rating.seconds);
    players.push_back(std::stod(seconds));
    byLevel[rating.level].push_back(players.back());
  }
  ASSERT_EQ(scores.size(), 681u);
  // What it was fitted on; script/fit-rating gives the figure on hands it was not.
  EXPECT_GT(spearman(scores, players), 0.8);
  double before = 0;
  for (Level level : vantrel::rating::kLevels) {
    std::vector<double>& times = byLevel[level];
    ASSERT_FALSE(times.empty());
    std::nth_element(times.begin(), times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2),
                     times.end());
    const double median = times[times.size() / 2];
    EXPECT_GT(median, before) << vantrel::rating::levelName(level);
    before = median;
  }
}

TEST(Deal, DealsEveryHandOfItsLevelsOnceAndTheSameForTheSameSeed) {
  for (const std::vector<Level>& levels : {std::vector{Level::kEasy}, std::vector{Level::kExpert},
                                           std::vector{Level::kNoSolution, Level::kMedium}}) {
    for (int highest : {10, 13}) {
      vantrel::rating::Dealer dealer(levels, highest, 2024);
      std::vector<Hand> dealt;
      while (const auto hand = dealer.next()) dealt.push_back(*hand);
      std::size_t expected = 0;
      for (const auto& [hand, rating] : everyHand()) {
        const bool inRange = hand[3] <= highest;
        const bool ofLevel = std::count(levels.begin(), levels.end(), rating.level) > 0;
        expected += inRange && ofLevel ? 1 : 0;
      }
      EXPECT_EQ(dealt.size(), expected);
      for (const Hand& hand : dealt) {
        EXPECT_TRUE(std::is_sorted(hand.begin(), hand.end()));
        EXPECT_LE(hand[3], highest);
        EXPECT_EQ(std::count(levels.begin(), levels.end(), everyHand().at(hand).level), 1);
      }
      std::vector<Hand> sorted = dealt;
      std::sort(sorted.begin(), sorted.end());
      EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
      EXPECT_EQ(vantrel::rating::deal(5, levels, highest, 2024),
                std::vector<Hand>(dealt.begin(), dealt.begin() + 5));
      EXPECT_NE(vantrel::rating::deal(5, levels, highest, 2025),
                std::vector<Hand>(dealt.begin(), dealt.begin() + 5));
    }
  }
}

TEST(Level, ReadsNumbersAndNamesInEachLanguage) {
  const std::vector<std::pair<std::string_view, std::optional<Level>>> table = {
      {"1", Level::kEasy},    {"简单", Level::kEasy},   {"簡單", Level::kEasy},
      {"Easy", Level::kEasy}, {"2", Level::kMedium},    {"中等", Level::kMedium},
      {"3", Level::kHard},    {"困難", Level::kHard},   {"HARD", Level::kHard},
      {"4", Level::kExpert},  {"极难", Level::kExpert}, {"expert", Level::kExpert},
      {"0", std::nullopt},    {"5", std::nullopt},      {"无解", std::nullopt},
      {"", std::nullopt},     {" easy", std::nullopt},  {"easiest", std::nullopt}};
  for (const auto& [text, level] : table)
    EXPECT_EQ(vantrel::rating::readLevel(text), level) << text;
}

// Every way reads back as a formula worth 24 and ends in a step to 24, in
// small numbers and in numbers too large for machine words alike.
TEST(Ways, EachWayIsAFormulaOfTheHandWorthTheTarget) {
  std::vector<std::array<std::string, 4>> hands;
  for (const auto& [hand, rating] : everyHand()) hands.push_back(textsOf(hand));
  hands.push_back({"100000", "100000", "24", "1"});
  hands.push_back({"3/2", "16", "1", "1"});
  hands.push_back({"0.5", "0.5", "48", "-1"});
  std::size_t total = 0;
  for (const auto& texts : hands) {
    const std::array<std::string_view, 4> numbers = {texts[0], texts[1], texts[2], texts[3]};
    vantrel::rating::forEachWay(numbers, "24", [&](const vantrel::rating::WayView& view) {
      const vantrel::rating::Way way = view.write();
      ++total;
      const vantrel::formula::Reading reading = vantrel::formula::read(way.formula);
      ASSERT_EQ(reading.problem, vantrel::formula::Problem::kNone) << way.formula;
      const auto evaluation = vantrel::formula::evaluate(reading.formula);
      ASSERT_FALSE(evaluation.divisionByZero) << way.formula;
      EXPECT_EQ(evaluation.values.back(), 24) << way.formula;
      ASSERT_EQ(way.steps.size(), 3u);
      EXPECT_EQ(way.steps.back().result, "24");
    });
  }
  EXPECT_GT(total, 10000u);
  std::vector<std::string> formulas;
  const std::array<std::string_view, 4> hard = {"3", "3", "8", "8"};
  vantrel::rating::forEachWay(hard, "24", [&](const vantrel::rating::WayView& view) {
    formulas.push_back(view.write().formula);
  });
  EXPECT_EQ(formulas, std::vector<std::string>{"8 / (3 - 8 / 3)"});
}

}  // namespace
