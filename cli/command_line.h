#pragma once

// vantrel-solve: the solver from a terminal or a script.

#include <iosfwd>
#include <string_view>
#include <vector>

namespace vantrel::cli {

enum ExitStatus : int {
  kSuccess = 0,
  kMissingInput = 1,  // an operand was empty: the missing-input line was printed
  kUsageError = 2,    // also a malformed input line; the other lines were solved
  kIoError = 3,       // reading standard input or writing standard output failed
};

// Runs the program on its arguments (without the program name), reading
// standard input from in when there are no operands. With no operands it
// solves one line of input at a time and writes each result before it reads
// the next line. Every failure is one line on err.
int run(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out,
        std::ostream& err);

}  // namespace vantrel::cli
