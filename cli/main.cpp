#include <unistd.h>

#include <istream>
#include <ostream>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "cli/system_streams.h"
#include "platform/fp_environment.h"

int main(int argc, char* argv[]) {
  using vantrel::cli::FileInput;
  using vantrel::cli::FileOutput;
  vantrel::useDefaultFloatingPoint();

  // Line by line on a terminal, in large blocks elsewhere; and whenever input
  // would have to be waited for, what has been solved so far goes out first.
  FileOutput outBuffer(STDOUT_FILENO, FileOutput::isTerminal(STDOUT_FILENO));
  std::ostream out(&outBuffer);
  FileInput inBuffer(STDIN_FILENO, &out);
  std::istream in(&inBuffer);
  FileOutput errBuffer(STDERR_FILENO, true);
  std::ostream err(&errBuffer);

  const std::vector<std::string_view> args(argv + 1, argv + argc);
  return vantrel::cli::run(args, in, out, err);
}
