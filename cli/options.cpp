#include "cli/options.h"

#include <algorithm>
#include <array>
#include <utility>

#include "cli/quoted.h"
#include "distinct/distinct.h"
#include "platform/number_text.h"

namespace vantrel::cli {

namespace {

// A negative number, or a text that could only be meant as one ("-1/0",
// "-1e99"), is an operand rather than an option.
bool isOption(std::string_view arg) {
  return arg.size() > 1 && arg[0] == '-' && !isPlainNumber(arg) &&
         distinct::checkNumber(arg) == distinct::NumberProblem::kMalformed;
}

}  // namespace

Options parseOptions(const std::vector<std::string_view>& args) {
  Options options;
  bool optionsEnded = false;
  // The value of the option name: what follows it in its argument, or else the next argument.
  const auto takeValue = [&](std::size_t& i, std::string_view joined, std::string_view name,
                             std::optional<std::string_view>& value) {
    if (!joined.empty()) {
      value = joined;
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      options.error = "option '" + std::string(name) + "' needs a value";
    }
  };
  // The long options that take a value.
  const std::array<std::pair<std::string_view, std::optional<std::string_view>*>, 5> valued = {{
      {"--target", &options.target},
      {"--deal", &options.deal},
      {"--level", &options.level},
      {"--cards", &options.cards},
      {"--seed", &options.seed},
  }};
  for (std::size_t i = 0; i < args.size() && options.error.empty(); ++i) {
    const std::string_view arg = args[i];
    if (optionsEnded || !isOption(arg)) {
      options.operands.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help") {
      options.action = Options::Action::kHelp;
      return options;
    } else if (arg == "--version") {
      options.action = Options::Action::kVersion;
      return options;
    } else if (arg == "--distinct") {
      options.distinct = true;
    } else if (arg == "--rate") {
      options.rate = true;
    } else if (arg.starts_with("--")) {
      const std::string_view name = arg.substr(0, arg.find('='));
      const auto option = std::find_if(valued.begin(), valued.end(),
                                       [&](const auto& entry) { return entry.first == name; });
      if (option == valued.end()) {
        options.error = "unknown option " + quoted(arg);
      } else if (name.size() < arg.size()) {
        *option->second = arg.substr(name.size() + 1);
      } else {
        takeValue(i, {}, arg, *option->second);
      }
    } else {
      // Short options, perhaps several in one argument.
      for (std::size_t k = 1; k < arg.size(); ++k) {
        if (arg[k] == 'h') {
          options.action = Options::Action::kHelp;
          return options;
        } else if (arg[k] == 'd') {
          options.distinct = true;
        } else if (arg[k] == 't') {
          takeValue(i, arg.substr(k + 1), "-t", options.target);
          break;
        } else {
          options.error = "unknown option " + quoted(arg);
          break;
        }
      }
    }
  }
  options.distinct = options.distinct || options.target.has_value();
  return options;
}

}  // namespace vantrel::cli
