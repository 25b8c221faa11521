#include "solver/solve.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/number_text.h"
#include "solver/arrangements.h"
#include "solver/remove_repeats.h"
#include "solver/template_sweep.h"

namespace vantrel {

namespace {

// Slot values compared bit for bit: two fillings that agree this way give
// exactly the same lines. (memcpy rather than std::bit_cast, which the
// WebAssembly build's standard library lacks; both compile to a plain move.)
struct SlotBits {
  std::uint64_t ab;
  std::uint64_t cd;
  bool operator==(const SlotBits&) const = default;
};

SlotBits bitsOf(const Slots& slots) {
  const auto bits = [&](std::size_t i) {
    std::uint32_t value = 0;
    std::memcpy(&value, &slots[i], sizeof value);
    return std::uint64_t{value};
  };
  return {bits(0) << 32 | bits(1), bits(2) << 32 | bits(3)};
}

// Enough room for most hands' lines, so the list rarely grows while filling.
constexpr std::size_t kTypicalLineCount = 64;

std::string summaryLine(std::size_t count) {
  return "共有" + numberToText(static_cast<int>(count)) + "种算法！";
}

}  // namespace

SolveResult solve(const InputTexts& texts) {
  SolveResult result;
  std::vector<std::string>& lines = result.lines;

  if (std::any_of(texts.begin(), texts.end(), [](std::string_view text) { return text.empty(); })) {
    lines.emplace_back(kMissingInputLine);
    result.inputMissing = true;
    return result;
  }

  Slots values{};
  std::array<std::string, 4> valueTexts;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    values[i] = static_cast<float>(textToNumber(texts[i]));
    valueTexts[i] = numberToText(values[i]);
  }

  // First decide which fillings of the slots to sweep, in arrangement order.
  // Only the first fillingCount entries are used, so the array is left
  // uninitialised rather than cleared on every call.
  struct Filling {
    Slots slots;
    std::array<std::string_view, 4> texts;
  };
  std::array<Filling, kArrangements.size()> fillings;
  std::size_t fillingCount = 0;

  for (std::size_t k : arrangementsToRun(values)) {
    const Arrangement& arrangement = kArrangements[k];
    Filling& filling = fillings[fillingCount];
    fillSlots(arrangement, values, filling.slots);
    for (std::size_t input = 0; input < values.size(); ++input) {
      filling.texts[arrangement[input]] = valueTexts[input];
    }

    // The repeat test only compares with the arrangement that ran last, so an
    // order of the values can come round again. Its lines would all repeat
    // lines already in the list and be removed below: don't sweep it again.
    const SlotBits bits = bitsOf(filling.slots);
    const auto sweptEnd = fillings.begin() + static_cast<std::ptrdiff_t>(fillingCount);
    if (std::any_of(fillings.begin(), sweptEnd,
                    [&](const Filling& earlier) { return bitsOf(earlier.slots) == bits; })) {
      continue;
    }
    ++fillingCount;
  }

  // Then sweep them two at a time, keeping the lines in filling order.
  for (std::size_t i = 0; i < fillingCount; i += 2) {
    const Filling& first = fillings[i];
    const Filling& second = fillings[std::min(i + 1, fillingCount - 1)];
    const std::array<Matches, 2> matches = findMatches(first.slots, second.slots);
    const std::size_t pairSize = std::min<std::size_t>(2, fillingCount - i);
    for (std::size_t lane = 0; lane < pairSize; ++lane) {
      const Filling& filling = fillings[i + lane];
      if (!matches[lane].empty() && lines.empty()) lines.reserve(kTypicalLineCount);
      for (std::size_t index : matches[lane]) {
        lines.push_back(displayLine(kTemplates[index], filling.texts));
      }
    }
  }

  if (lines.empty()) {
    lines.emplace_back(kNoSolutionLine);
    return result;
  }
  removeRepeats(lines);
  lines.push_back(summaryLine(lines.size()));
  return result;
}

}  // namespace vantrel
