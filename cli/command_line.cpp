#include "cli/command_line.h"

#include <algorithm>
#include <array>
#include <istream>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>

#include "platform/number_text.h"
#include "solver/solve.h"

namespace vantrel::cli {

namespace {

constexpr std::string_view kProgram = "vantrel-solve";

constexpr std::string_view kHelp =
    "Usage: vantrel-solve A B C D\n"
    "       vantrel-solve < FILE\n"
    "\n"
    "Prints every way of making 24 from the four numbers A B C D with + - × / and\n"
    "brackets, one expression per line, followed by a line that counts them.\n"
    "\n"
    "With no operands, reads standard input: each non-empty line holds four numbers\n"
    "separated by blanks, and each line's result is followed by an empty line.\n"
    "\n"
    "Numbers are decimal: an optional sign, digits with an optional fraction and an\n"
    "optional exponent (12, -3, 0.5, 2e1). Use -- before operands that could be\n"
    "taken for options.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n"
    "\n"
    "Exit status: 0 on success, 1 when an operand is empty, 2 on a usage error.\n";

void writeLines(const std::vector<std::string>& lines, std::string& out) {
  for (const std::string& line : lines) {
    out += line;
    out += '\n';
  }
}

int usageError(std::ostream& err, std::string_view message) {
  err << kProgram << ": " << message << "\nTry '" << kProgram << " --help' for more information.\n";
  return kUsageError;
}

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

// Splits a line into fields separated by blanks.
std::vector<std::string_view> fieldsOf(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && isBlank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !isBlank(line[i])) ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
  return fields;
}

// The first field that is not a plain decimal number, if any. An empty field
// is left to the solver's input check, which asks for four numbers.
std::optional<std::string_view> firstNonNumber(const std::vector<std::string_view>& fields) {
  const auto bad = std::ranges::find_if(
      fields, [](std::string_view field) { return !field.empty() && !isPlainNumber(field); });
  if (bad == fields.end()) return std::nullopt;
  return *bad;
}

int solveOperands(const std::vector<std::string_view>& operands, std::ostream& out,
                  std::ostream& err) {
  if (operands.size() != 4) {
    return usageError(err, "expected four numbers, got " + std::to_string(operands.size()));
  }
  if (const auto bad = firstNonNumber(operands)) {
    return usageError(err, "'" + std::string(*bad) + "' is not a decimal number");
  }
  const SolveResult result = solve({operands[0], operands[1], operands[2], operands[3]});
  std::string text;
  writeLines(result.lines, text);
  out << text;
  return result.inputMissing ? kMissingInput : kSuccess;
}

int solveBatch(std::istream& in, std::ostream& out, std::ostream& err) {
  const std::string input{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::string text;
  int status = kSuccess;
  std::size_t lineNumber = 0;
  for (std::size_t start = 0; start < input.size();) {
    std::size_t end = input.find('\n', start);
    if (end == std::string::npos) end = input.size();
    const std::string_view line = std::string_view(input).substr(start, end - start);
    start = end + 1;
    ++lineNumber;

    const std::vector<std::string_view> fields = fieldsOf(line);
    if (fields.empty()) continue;
    std::string problem;
    if (fields.size() != 4) {
      problem = "expected four numbers separated by blanks";
    } else if (const auto bad = firstNonNumber(fields)) {
      problem = "not a decimal number: '" + std::string(*bad) + "'";
    }
    if (!problem.empty()) {
      out << text;  // keep stdout and stderr in input order
      text.clear();
      err << kProgram << ": line " << lineNumber << ": " << problem << '\n';
      status = kUsageError;
      continue;
    }
    writeLines(solve({fields[0], fields[1], fields[2], fields[3]}).lines, text);
    text += '\n';
  }
  out << text;
  return status;
}

}  // namespace

int run(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out,
        std::ostream& err) {
  std::vector<std::string_view> operands;
  bool optionsEnded = false;
  for (std::string_view arg : args) {
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && (arg == "-h" || arg == "--help")) {
      out << kHelp;
      return kSuccess;
    } else if (!optionsEnded && arg == "--version") {
      out << kProgram << ' ' << VANTREL_VERSION << '\n';
      return kSuccess;
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-' && !isPlainNumber(arg)) {
      return usageError(err, "unknown option '" + std::string(arg) + "'");
    } else {
      operands.push_back(arg);
    }
  }
  if (operands.empty()) return solveBatch(in, out, err);
  return solveOperands(operands, out, err);
}

}  // namespace vantrel::cli
