// vantrel-solve as a filter against the solve command in process, on the same
// hands: the wall time and peak resident memory of `PROGRAM < HANDS >/dev/null`,
// then the time of solving the same hands here, without reading or writing.
// Prints the medians over the runs and their ratio.
//
//   bench_filter HANDS PROGRAM [RUNS]    (HANDS: four numbers a line)

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fp_environment.h"
#include "platform/number_text.h"
#include "solver/solve.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Streamed {
  double seconds;
  long peakKiB;
};

// One run of the program with the hands as standard input, output dropped.
Streamed runProgram(const char* program, const char* hands) {
  const auto start = Clock::now();
  const pid_t pid = fork();
  if (pid < 0) {
    std::perror("bench_filter: fork");
    std::exit(1);
  }
  if (pid == 0) {
    const int in = open(hands, O_RDONLY);
    const int out = open("/dev/null", O_WRONLY);
    if (in < 0 || out < 0 || dup2(in, STDIN_FILENO) < 0 || dup2(out, STDOUT_FILENO) < 0) _exit(127);
    execl(program, program, static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "bench_filter: %s < %s failed (status %d)\n", program, hands, status);
    std::exit(1);
  }
  const std::chrono::duration<double> elapsed = Clock::now() - start;
  return {elapsed.count(), usage.ru_maxrss};
}

// The hands of the file as the solver takes them, pointing into text.
std::vector<vantrel::InputTexts> handsOf(const std::string& text) {
  std::vector<vantrel::InputTexts> hands;
  vantrel::InputTexts hand;
  std::size_t fields = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '\n') {
      if (fields == 4) hands.push_back(hand);
      fields = 0;
      ++i;
    } else if (vantrel::isBlank(text[i])) {
      ++i;
    } else {
      const std::size_t end = text.find_first_of(" \t\n", i);
      if (fields < 4) hand[fields] = std::string_view(text).substr(i, end - i);
      ++fields;
      i = end == std::string::npos ? text.size() : end;
    }
  }
  return hands;
}

double solveInProcess(const std::vector<vantrel::InputTexts>& hands) {
  std::size_t lines = 0;
  const auto start = Clock::now();
  for (const vantrel::InputTexts& hand : hands) lines += vantrel::solve(hand).lines.size();
  const std::chrono::duration<double> elapsed = Clock::now() - start;
  if (lines == 0) std::exit(1);  // keeps the results alive
  return elapsed.count();
}

template <typename T>
T median(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: bench_filter HANDS PROGRAM [RUNS]\n");
    return 2;
  }
  const char* handsFile = argv[1];
  const char* program = argv[2];
  const int runs = argc == 4 ? std::max(1, std::atoi(argv[3])) : 3;

  // The program runs first, while this process is small: a child's peak
  // memory includes what it shared with its parent before exec.
  std::vector<double> streamedSeconds;
  std::vector<long> peaks;
  for (int run = 0; run < runs; ++run) {
    const Streamed streamed = runProgram(program, handsFile);
    streamedSeconds.push_back(streamed.seconds);
    peaks.push_back(streamed.peakKiB);
  }

  std::ifstream file(handsFile, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  const std::vector<vantrel::InputTexts> hands = handsOf(text);
  vantrel::useDefaultFloatingPoint();
  std::vector<double> inProcessSeconds;
  for (int run = 0; run < runs; ++run) inProcessSeconds.push_back(solveInProcess(hands));

  const double streamed = median(streamedSeconds);
  const double inProcess = median(inProcessSeconds);
  std::printf("%zu hands, medians of %d runs\n", hands.size(), runs);
  std::printf("  %s < hands > /dev/null: %.2f s wall, peak RSS %.1f MB (largest %.1f MB)\n",
              program, streamed, static_cast<double>(median(peaks)) / 1024.0,
              static_cast<double>(*std::max_element(peaks.begin(), peaks.end())) / 1024.0);
  std::printf("  solve() in process: %.2f s\n", inProcess);
  std::printf("  ratio streamed / in process: %.2f\n", streamed / inProcess);
  return 0;
}
