#pragma once

// The solve command: four input texts in, the lines of the result list out.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// Shown alone when one of the four texts is empty.
inline constexpr std::string_view kMissingInputLine = "请输入4个数字！";
// Shown alone when no expression gives 24.
inline constexpr std::string_view kNoSolutionLine = "电脑我也算不出啦：（";

// The texts of the four boxes, left to right.
using InputTexts = std::array<std::string_view, 4>;

struct SolveResult {
  // Exactly one of: the missing-input line alone; the no-solution line alone;
  // the distinct solution lines in order of first appearance followed by the
  // summary line "共有N种算法！".
  std::vector<std::string> lines;
  // True when a text was empty (lines then holds kMissingInputLine alone).
  bool inputMissing = false;
};

SolveResult solve(const InputTexts& texts);

}  // namespace vantrel
