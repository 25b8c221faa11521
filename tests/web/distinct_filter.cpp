// The distinct engine natively, as a filter, for the web tests to hold the
// WebAssembly build against: each line of standard input is a hand of numbers
// separated by blanks; for each, the lines a front end shows (the solutions
// and the summary, or the no-solution line), then an empty line.
//
//   distinct_filter --target T
//
// A target or hand the engine does not take ends it with status 2.

#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "distinct/distinct.h"

int main(int argc, char** argv) {
  namespace distinct = vantrel::distinct;
  if (argc != 3 || std::string_view(argv[1]) != "--target" ||
      distinct::checkNumber(argv[2]) != distinct::NumberProblem::kNone) {
    std::cerr << "usage: distinct_filter --target T\n";
    return 2;
  }
  const std::string_view target = argv[2];
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream words(line);
    std::vector<std::string> texts;
    for (std::string word; words >> word;) texts.push_back(word);
    const std::vector<std::string_view> hand(texts.begin(), texts.end());
    bool valid = !hand.empty() && hand.size() <= distinct::kMaxNumbers;
    for (std::string_view number : hand) {
      valid = valid && distinct::checkNumber(number) == distinct::NumberProblem::kNone;
    }
    if (!valid) {
      std::cerr << "distinct_filter: not a hand: " << line << '\n';
      return 2;
    }
    for (const std::string& out : distinct::resultLines(distinct::solve(hand, target))) {
      std::cout << out << '\n';
    }
    std::cout << '\n';
  }
  return 0;
}
