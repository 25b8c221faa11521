// libFuzzer target: the solve command on four arbitrary texts.
//
// The fuzz input holds the texts a, b, c, d separated by '\n'. A '\\' takes
// the byte after it as it stands, so any byte (a '\n', a '\\', a NUL) can be
// part of any text; the fourth text runs to the end of the input. Texts that
// the input does not reach are empty.
//
// Every result is checked against the rules of the command and against the
// plain reference solver; a broken rule aborts with the inputs printed.

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "solver/expression_templates.h"
#include "solver/solve.h"
#include "tests/solver/reference_solver.h"

namespace {

using vantrel::InputTexts;
using vantrel::SolveResult;

std::array<std::string, 4> splitTexts(const std::uint8_t* data, std::size_t size) {
  std::array<std::string, 4> texts;
  std::size_t current = 0;
  for (std::size_t i = 0; i < size; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == '\\' && i + 1 < size) {
      texts[current] += static_cast<char>(data[++i]);
    } else if (c == '\n' && current + 1 < texts.size()) {
      ++current;
    } else {
      texts[current] += c;
    }
  }
  return texts;
}

void printText(std::string_view text) {
  std::fputc('"', stderr);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    // Printable ASCII and the bytes of UTF-8 sequences as they stand.
    if ((byte >= 0x20 && byte < 0x7f && c != '"' && c != '\\') || byte >= 0x80) {
      std::fputc(c, stderr);
    } else {
      std::fprintf(stderr, "\\x%02x", byte);
    }
  }
  std::fputc('"', stderr);
}

void printLines(const char* title, const std::vector<std::string>& lines) {
  std::fprintf(stderr, "%s (%zu):\n", title, lines.size());
  for (const std::string& line : lines) {
    std::fputs("  ", stderr);
    printText(line);
    std::fputc('\n', stderr);
  }
}

[[noreturn]] void fail(const char* rule, const InputTexts& texts, const SolveResult& result,
                       const std::vector<std::string>* expected = nullptr) {
  std::fprintf(stderr, "\nsolve broke a rule: %s\ninputs:", rule);
  for (std::string_view text : texts) {
    std::fputc(' ', stderr);
    printText(text);
  }
  std::fprintf(stderr, "\ninputMissing: %d\n", result.inputMissing ? 1 : 0);
  printLines("lines", result.lines);
  if (expected != nullptr) printLines("reference lines", *expected);
  std::abort();
}

// The bytes a solution line may hold: those of the templates' patterns apart
// from the operand letters, and those of numbers as the solver writes them.
// Anything else would be a byte of the user's text that reached the list
// without going through the number conversion.
const std::bitset<256>& solutionLineBytes() {
  static const std::bitset<256> bytes = [] {
    std::bitset<256> allowed;
    for (const vantrel::ExpressionTemplate& expression : vantrel::kTemplates) {
      for (const char c : expression.pattern) {
        if (c < 'A' || c > 'D') allowed.set(static_cast<unsigned char>(c));
      }
    }
    for (const char c : std::string_view("0123456789.-+einfa")) {
      allowed.set(static_cast<unsigned char>(c));
    }
    return allowed;
  }();
  return bytes;
}

std::string summaryFor(std::size_t count) {
  return "共有" + std::to_string(count) + "种算法！";
}

void check(const InputTexts& texts, const SolveResult& result) {
  const std::vector<std::string>& lines = result.lines;
  bool anyEmpty = false;
  for (std::string_view text : texts) anyEmpty = anyEmpty || text.empty();

  if (result.inputMissing != anyEmpty)
    fail("inputMissing differs from 'some text is empty'", texts, result);
  if (lines.empty()) fail("the list is empty", texts, result);
  for (const std::string& line : lines) {
    if (line.empty()) fail("an empty line", texts, result);
  }

  if (anyEmpty) {
    if (lines.size() != 1 || lines[0] != vantrel::kMissingInputLine) {
      fail("an empty text must give the missing-input line alone", texts, result);
    }
    return;
  }
  if (lines.size() == 1) {
    if (lines[0] != vantrel::kNoSolutionLine) {
      fail("a single line must be the no-solution line", texts, result);
    }
    return;
  }

  // Solutions: distinct lines, then the summary counting them.
  const std::size_t solutions = lines.size() - 1;
  if (lines.back() != summaryFor(solutions))
    fail("the last line must be the summary", texts, result);
  std::set<std::string_view> seen;
  for (std::size_t i = 0; i < solutions; ++i) {
    const std::string_view line = lines[i];
    if (!seen.insert(line).second) fail("a solution line repeats", texts, result);
    if (line == vantrel::kMissingInputLine || line == vantrel::kNoSolutionLine) {
      fail("a message line among the solutions", texts, result);
    }
    for (const char c : line) {
      if (!solutionLineBytes().test(static_cast<unsigned char>(c))) {
        fail("a solution line holds a byte that no template or number writes", texts, result);
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::array<std::string, 4> owned = splitTexts(data, size);
  const InputTexts texts = {owned[0], owned[1], owned[2], owned[3]};

  const SolveResult result = vantrel::solve(texts);
  check(texts, result);
  // The same lines in the same order as the command done the plain way.
  const std::vector<std::string> expected = vantrel::testing::referenceSolve(texts);
  if (result.lines != expected) {
    fail("the lines differ from the reference solver's", texts, result, &expected);
  }
  return 0;
}
