#pragma once

// vantrel-solve's arguments, read as getopt users expect: options anywhere
// before "--", short ones bundled ("-dt24"), a value after its option or
// joined to it ("-t 24", "-t24", "--target 24", "--target=24", "--deal=5").

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::cli {

struct Options {
  enum class Action { kSolve, kHelp, kVersion };
  // Help and version as they are met, before any option after them is read.
  Action action = Action::kSolve;
  // -d, or a target given: every hand goes to the distinct solver.
  bool distinct = false;
  std::optional<std::string_view> target;  // the last -t or --target
  bool rate = false;                       // --rate
  // The values of --deal, --level, --cards and --seed, unchecked.
  std::optional<std::string_view> deal;
  std::optional<std::string_view> level;
  std::optional<std::string_view> cards;
  std::optional<std::string_view> seed;
  std::vector<std::string_view> operands;
  std::string error;  // what is wrong with the arguments; empty when nothing is
};

Options parseOptions(const std::vector<std::string_view>& args);

}  // namespace vantrel::cli
