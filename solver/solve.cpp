#include "solve.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "arrangements.h"
#include "number_text.h"
#include "remove_repeats.h"
#include "template_sweep.h"

namespace vantrel {

namespace {

// Slot values compared bit for bit: two fillings that agree this way give
// exactly the same lines.
using SlotBits = std::array<std::uint32_t, 4>;

SlotBits bitsOf(const Slots& slots) {
  return {std::bit_cast<std::uint32_t>(slots[0]), std::bit_cast<std::uint32_t>(slots[1]),
          std::bit_cast<std::uint32_t>(slots[2]), std::bit_cast<std::uint32_t>(slots[3])};
}

std::string summaryLine(std::size_t count) {
  return "共有" + numberToText(static_cast<int>(count)) + "种算法！";
}

} // namespace

SolveResult solve(const InputTexts& texts) {
  SolveResult result;
  std::vector<std::string>& lines = result.lines;

  if (std::ranges::any_of(texts, [](std::string_view text) { return text.empty(); })) {
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

  Slots slots{};
  std::array<std::string_view, 4> slotTexts;
  std::array<SlotBits, kArrangements.size()> swept{};
  std::size_t sweptCount = 0;

  for (std::size_t k = 0; k < kArrangements.size(); ++k) {
    const Arrangement& arrangement = kArrangements[k];
    if (k > 0 && leavesSlotsUnchanged(arrangement, slots)) continue;
    for (std::size_t input = 0; input < values.size(); ++input) {
      slots[arrangement[input]] = values[input];
      slotTexts[arrangement[input]] = valueTexts[input];
    }

    // The repeat test only compares with the arrangement that ran last, so an
    // order of the values can come round again. Its lines would all repeat
    // lines already in the list and be removed below: skip the sweep.
    const SlotBits bits = bitsOf(slots);
    const auto sweptEnd = swept.begin() + static_cast<std::ptrdiff_t>(sweptCount);
    if (std::find(swept.begin(), sweptEnd, bits) != sweptEnd) continue;
    swept[sweptCount++] = bits;

    for (std::size_t index : findMatches(slots)) {
      lines.push_back(displayLine(kTemplates[index], slotTexts));
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

} // namespace vantrel
