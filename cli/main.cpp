#include <cstdio>
#include <iostream>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "platform/fp_environment.h"

int main(int argc, char* argv[]) {
  vantrel::useDefaultFloatingPoint();
  std::ios::sync_with_stdio(false);
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  const int status = vantrel::cli::run(args, std::cin, std::cout, std::cerr);
  std::cout.flush();
  return std::cout ? status : vantrel::cli::kUsageError;
}
