#include "cli/options.h"

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
  const auto takeValue = [&](std::size_t& i, std::string_view joined, std::string_view name) {
    if (!joined.empty()) {
      options.target = joined;
    } else if (i + 1 < args.size()) {
      options.target = args[++i];
    } else {
      options.error = "option '" + std::string(name) + "' needs a value";
    }
  };
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
    } else if (arg == "--target") {
      takeValue(i, {}, arg);
    } else if (arg.starts_with("--target=")) {
      options.target = arg.substr(9);
    } else if (arg.starts_with("--")) {
      options.error = "unknown option " + quoted(arg);
    } else {
      // Short options, perhaps several in one argument.
      for (std::size_t k = 1; k < arg.size(); ++k) {
        if (arg[k] == 'h') {
          options.action = Options::Action::kHelp;
          return options;
        } else if (arg[k] == 'd') {
          options.distinct = true;
        } else if (arg[k] == 't') {
          takeValue(i, arg.substr(k + 1), "-t");
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
