#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "cli/command_line.h"
#include "distinct/distinct.h"

namespace {

using namespace std::string_literals;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome run(std::vector<std::string_view> args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = vantrel::cli::run(args, in, out, err);
  return {status, out.str(), err.str()};
}

TEST(CommandLine, PrintsTheResultLinesOfFourOperands) {
  const Outcome r = run({"1", "2", "9", "1"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "(1 + 2) × (9 - 1)\n(9 - 1) × (2 + 1)\n(9 - 1) × (1 + 2)\n(2 + 1) × (9 - 1)\n"
            "共有4种算法！\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(run({"1", "1", "1", "1"}).out, "电脑我也算不出啦：（\n");
  EXPECT_EQ(run({"1", "1", "1", "1"}).status, 0);
}

TEST(CommandLine, AcceptsSignsFractionsAndExponents) {
  EXPECT_EQ(run({"--", "-3", "+8", "0.5", "2e1"}).status, 0);
  EXPECT_EQ(run({"-3", "8", "1", "1"}).status, 0);  // a negative number is no option
  EXPECT_EQ(run({"6", "6", "6", "6"}).out, run({"6.0", "+6", "60e-1", "06"}).out);
}

TEST(CommandLine, AnEmptyOperandFailsTheInputCheck) {
  const Outcome r = run({"1", "", "3", "4"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "请输入4个数字！\n");
}

class UsageError : public testing::TestWithParam<std::vector<std::string_view>> {};

TEST_P(UsageError, PrintsOneLineOfReasonAndNothingElse) {
  const Outcome r = run(GetParam());
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(r.err.starts_with("vantrel-solve: ")) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Operands, UsageError,
    testing::Values(std::vector<std::string_view>{"1", "2", "3", "4", "5", "6", "7", "8"},
                    std::vector<std::string_view>{"1", "2", "3", "x"},
                    std::vector<std::string_view>{"nan", "2", "3", "4"},
                    std::vector<std::string_view>{"1", "inf", "3", "4"},
                    std::vector<std::string_view>{"1", "2", "-", "4"},
                    std::vector<std::string_view>{"1", "2", "3", "4abc"},
                    std::vector<std::string_view>{"1", "2", "3", "0x1"},
                    std::vector<std::string_view>{"--frobnicate"},
                    std::vector<std::string_view>{"--", "-1", "2", "3", "4", "5", "6", "7", "8"}));

// Rating and dealing: a hand of other than four numbers, another target, and
// every bad value or combination of the dealing options.
INSTANTIATE_TEST_SUITE_P(
    RateAndDeal, UsageError,
    testing::Values(std::vector<std::string_view>{"--rate", "1", "2", "3"},
                    std::vector<std::string_view>{"--rate", "-t", "25", "1", "2", "3", "4"},
                    std::vector<std::string_view>{"--rate", "1", "2", "3", "x"},
                    std::vector<std::string_view>{"--deal", "0"},
                    std::vector<std::string_view>{"--deal", "five"},
                    std::vector<std::string_view>{"--deal", "-3"},
                    std::vector<std::string_view>{"--deal"},
                    std::vector<std::string_view>{"--deal", "3", "--level", "5"},
                    std::vector<std::string_view>{"--deal", "3", "--level=impossible"},
                    std::vector<std::string_view>{"--deal", "3", "--cards", "12"},
                    std::vector<std::string_view>{"--deal", "3", "--seed", "-1"},
                    std::vector<std::string_view>{"--deal", "3", "--seed", "18446744073709551616"},
                    std::vector<std::string_view>{"--deal", "3", "--level"},
                    std::vector<std::string_view>{"--deal", "3", "1", "2", "3", "4"},
                    std::vector<std::string_view>{"--deal", "3", "--rate"},
                    std::vector<std::string_view>{"--deal", "3", "-d"},
                    std::vector<std::string_view>{"--level", "1"},
                    std::vector<std::string_view>{"--seed", "1", "1", "2", "3", "4"}));

TEST(Rate, APlayersLineForEachHandAndALineForEachProblem) {
  const Outcome operands = run({"--rate", "1", "2", "3", "4"});
  EXPECT_EQ(operands.status, 0);
  EXPECT_TRUE(operands.out.starts_with("1 2 3 4\t")) << operands.out;
  EXPECT_TRUE(operands.out.ends_with("\t简单\n")) << operands.out;

  // As a filter: the hand as given (blanks between its numbers made single),
  // a score with one decimal; a line that is not a hand of four is skipped.
  const Outcome batch = run({"--rate", "-t", "24"}, "1 1 1 1\n3  3 8\n\n06\t+6 6 6\n3 3 8 8\n");
  EXPECT_EQ(batch.status, 2);
  EXPECT_EQ(batch.err, "vantrel-solve: line 2: --rate takes hands of four numbers, got 3\n");
  std::istringstream lines(batch.out);
  std::vector<std::string> fields;
  for (std::string line; std::getline(lines, line);) fields.push_back(line);
  ASSERT_EQ(fields.size(), 3u) << batch.out;
  EXPECT_EQ(fields[0], "1 1 1 1\t-\t无解");
  EXPECT_TRUE(fields[1].starts_with("06 +6 6 6\t")) << fields[1];
  EXPECT_TRUE(fields[2].ends_with("\t极难")) << fields[2];
  for (const std::string& line : {fields[1], fields[2]}) {
    const std::string score =
        line.substr(line.find('\t') + 1, line.rfind('\t') - line.find('\t') - 1);
    EXPECT_EQ(score.find('.'), score.size() - 2) << line;  // one decimal
  }
}

TEST(Deal, TheSameSeedDealsTheSameHands) {
  const Outcome seeded = run({"--deal", "6", "--seed", "7", "--level", "困难"});
  EXPECT_EQ(seeded.status, 0);
  EXPECT_EQ(seeded.err, "");
  EXPECT_EQ(std::count(seeded.out.begin(), seeded.out.end(), '\n'), 6);
  EXPECT_EQ(run({"--seed=7", "--level=hard", "--deal=6"}).out, seeded.out);
  EXPECT_EQ(run({"--deal", "6", "--seed", "7", "--level", "3"}).out, seeded.out);
  EXPECT_NE(run({"--deal", "6", "--seed", "8", "--level", "3"}).out, seeded.out);

  // More than the level holds: all of them, each once, of cards up to 10.
  const Outcome all =
      run({"--deal", "100000", "--cards", "10", "--level", "EXPERT", "--seed", "1"});
  std::istringstream lines(all.out);
  std::vector<std::string> hands;
  for (std::string line; std::getline(lines, line);) {
    int a = 0, b = 0, c = 0, d = 0;
    ASSERT_EQ(std::sscanf(line.c_str(), "%d %d %d %d", &a, &b, &c, &d), 4) << line;
    EXPECT_TRUE(1 <= a && a <= b && b <= c && c <= d && d <= 10) << line;
    hands.push_back(line);
  }
  EXPECT_GT(hands.size(), 20u);
  std::sort(hands.begin(), hands.end());
  EXPECT_EQ(std::adjacent_find(hands.begin(), hands.end()), hands.end());
}

TEST(CommandLine, HelpAndVersion) {
  const Outcome help = run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("Usage: vantrel-solve A B C D\n"));
  EXPECT_EQ(run({"-h"}).out, help.out);
  const Outcome version = run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(version.out.starts_with("vantrel-solve ")) << version.out;
  // After "--", "--help" is an operand, and not a number.
  EXPECT_EQ(run({"--", "--help", "1", "2", "3"}).status, 2);
}

TEST(Batch, PrintsEachHandsBlockFollowedByAnEmptyLine) {
  const Outcome r = run({}, "6 6 6 6\n\n   \n1\t1  1 1\r\n3 3 8 8");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "6 + 6 + 6 + 6\n6 × 6 - 6 - 6\n共有2种算法！\n\n"
            "电脑我也算不出啦：（\n\n"
            "8 / (3 - 8 / 3)\n共有1种算法！\n\n");
}

TEST(Batch, AMalformedLineIsReportedAndSkippedAndTheRestGoesOn) {
  const Outcome r = run({}, "6 6 6 6\n1 2 3 4 5 6 7 8\n1 2 x 4\n3 3 8 8\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out,
            "6 + 6 + 6 + 6\n6 × 6 - 6 - 6\n共有2种算法！\n\n"
            "8 / (3 - 8 / 3)\n共有1种算法！\n\n");
  EXPECT_EQ(r.err,
            "vantrel-solve: line 2: expected 1 to 7 numbers separated by blanks, got 8\n"
            "vantrel-solve: line 3: not a decimal number: 'x'\n");
}

TEST(Batch, SkipsAByteOrderMarkBeforeTheFirstLineOnly) {
  const Outcome r = run({},
                        "\xEF\xBB\xBF"
                        "3 3 8 8\r\n\xEF\xBB\xBF"
                        "3 3 8 8\n");
  EXPECT_EQ(r.out, "8 / (3 - 8 / 3)\n共有1种算法！\n\n");
  EXPECT_EQ(r.err,
            "vantrel-solve: line 2: not a decimal number: '\xEF\xBB\xBF"
            "3'\n");
}

TEST(Numbers, BeyondSinglePrecisionAreRefused) {
  for (const char* number : {"1e999", "-1e39", "3.5e38"}) {
    const Outcome operands = run({"1", "2", number, "4"});
    EXPECT_EQ(operands.status, 2) << number;
    EXPECT_EQ(operands.out, "");
    EXPECT_NE(operands.err.find("single-precision"), std::string::npos) << operands.err;
    EXPECT_EQ(run({}, std::string("1 2 ") + number + " 4\n").status, 2) << number;
  }
  // The largest float and numbers too small for one are still numbers.
  EXPECT_EQ(run({"3.4028235e38", "1e-999", "1", "1"}).status, 0);
}

TEST(Messages, QuoteAShortEscapedPrefixOfTheField) {
  // A field as long as the line allows, starting with a terminal escape,
  // a NUL, a C1 control and a byte that is not UTF-8.
  const std::string field = "\x1b]0;\x07\0\xC2\x9B\xFF"s + std::string(3000, 'x') + "\n";
  const Outcome r = run({}, "1 2 3 " + field);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err,
            "vantrel-solve: line 1: not a decimal number: "
            "'\\x1b]0;\\x07\\x00\\xc2\\x9b\\xffxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx…'\n");
  // Characters are not cut in half, and a line past the bound is not quoted at all.
  EXPECT_EQ(run({"1", "2", "3", std::string(38, 'x') + "好"}).err,
            "vantrel-solve: not a decimal number: '" + std::string(38, 'x') +
                "…'; try 'vantrel-solve --help'\n");
  EXPECT_EQ(run({}, "1 2 3 " + std::string(5000, '4') + "\n3 3 8 8\n").err,
            "vantrel-solve: line 1: longer than 4096 bytes\n");
}

TEST(Batch, MessagesAndResultsKeepTheOrderOfTheInput) {
  std::istringstream in("6 6 6 6\nx\n1 1 1 1\n");
  std::ostringstream both;  // standard output and error to one place, as with 2>&1
  EXPECT_EQ(vantrel::cli::run({}, in, both, both), 2);
  EXPECT_EQ(both.str(),
            "6 + 6 + 6 + 6\n6 × 6 - 6 - 6\n共有2种算法！\n\n"
            "vantrel-solve: line 2: not an integer, decimal or fraction: 'x'\n"
            "电脑我也算不出啦：（\n\n");
}

TEST(Batch, EmptyInputPrintsNothing) {
  const Outcome r = run({}, "");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
}

}  // namespace

namespace {

// What the distinct solver makes of a hand, as vantrel-solve prints it.
std::string distinctBlock(std::vector<std::string_view> hand, std::string_view target = "24") {
  std::string text;
  for (const std::string& line :
       vantrel::distinct::resultLines(vantrel::distinct::solve(hand, target))) {
    text += line + '\n';
  }
  return text;
}

TEST(Distinct, OptionsAndHandSizesChooseTheSolverAndItsTarget) {
  const std::string k3388 = "8 / (3 - 8 / 3)\n共有1种不同的算法！\n";
  const std::string k12345 = distinctBlock({"1", "2", "3", "4", "5"});
  // Arguments, standard input, status, standard output and a part of the messages.
  const std::tuple<std::vector<std::string_view>, std::string, int, std::string, std::string>
      cases[] = {
          {{"--distinct", "3", "3", "8", "8"}, "", 0, k3388, ""},
          {{"-dt24", "3", "3", "8", "8"}, "", 0, k3388, ""},
          {{"3", "3", "8", "8", "--target", "24"}, "", 0, k3388, ""},
          {{"--target=10", "1", "2", "3", "4"},
           "",
           0,
           distinctBlock({"1", "2", "3", "4"}, "10"),
           ""},
          {{"-t", "7", "-7/2", "-2"}, "", 0, distinctBlock({"-7/2", "-2"}, "7"), ""},
          {{"1", "2", "3", "4", "5"}, "", 0, k12345, ""},
          {{"-d", "1", "", "3", "4"}, "", 1, "", ": operand 2 is empty\n"},
          {{"3/4", "1", "2", "3"}, "", 2, "", ": not a decimal number: '3/4'; try"},
          {{"-d", "1", "a"}, "", 2, "", ": not an integer, decimal or fraction: 'a'; try"},
          {{"1", "1e18"}, "", 2, "", ": more than 18 digits before or after the decimal point"},
          {{"1", "1/1234567890123456789"}, "", 2, "", ": more than 18 digits above or below"},
          {{"1", "-t"}, "", 2, "", ": option '-t' needs a value; try"},
          {{"--target=", "1"}, "", 2, "", ": target: empty; try"},
          {{"-t", "x", "1"}, "", 2, "", ": target: not an integer, decimal or fraction: 'x'"},
          // As a filter, four numbers go to the solve command unless -d or -t is given.
          {{},
           "3 3 8 8\n1 2 3 4 5\n9 9 9 9 9 9 9 9\n2 1/0\n",
           2,
           "8 / (3 - 8 / 3)\n共有1种算法！\n\n" + k12345 + "\n",
           ": line 3: expected 1 to 7 numbers separated by blanks, got 8\n"
           "vantrel-solve: line 4: a fraction over zero: '1/0'\n"},
          {{"-t", "10"},
           "1 2 3\n\n3/4 1e-3\n",
           0,
           distinctBlock({"1", "2", "3"}, "10") + "\n" + distinctBlock({"3/4", "1e-3"}, "10") +
               "\n",
           ""},
      };
  for (const auto& [args, input, status, out, err] : cases) {
    SCOPED_TRACE(testing::PrintToString(args) + " < " + input);
    const Outcome r = run(args, input);
    EXPECT_EQ(r.status, status);
    EXPECT_EQ(r.out, out);
    EXPECT_TRUE(err.empty() ? r.err.empty() : r.err.find(err) != std::string::npos) << r.err;
  }
}

}  // namespace
