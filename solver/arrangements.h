#pragma once

// The 24 ways of putting the inputs a, b, c, d into the slots A, B, C, D.

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

#include "solver/template_sweep.h"

namespace vantrel {

// For each input a, b, c, d in turn, the slot (0 = A ... 3 = D) it goes into.
using Arrangement = std::array<std::size_t, 4>;

// All 24, ordered by the slots that a, b, c, d receive: a's slot changes
// slowest. The first puts a, b, c, d into A, B, C, D.
inline constexpr std::array<Arrangement, 24> kArrangements = [] {
  std::array<Arrangement, 24> all{};
  Arrangement slots = {0, 1, 2, 3};
  for (Arrangement& row : all) {
    row = slots;
    std::next_permutation(slots.begin(), slots.end());
  }
  return all;
}();

// The repeat test. The first arrangement puts input i into slot i; this one
// puts it into slot arrangement[i]. Moving every slot's value along that way
// changes nothing exactly when each slot equals the slot its value moves to,
// so the arrangement can be skipped. It looks only at what the slots hold now.
inline bool leavesSlotsUnchanged(const Arrangement& arrangement, const Slots& slots) {
  for (std::size_t input = 0; input < arrangement.size(); ++input) {
    if (slots[input] != slots[arrangement[input]]) return false;
  }
  return true;
}

// Fills the slots as the arrangement says, with values[i] the value of input i.
inline void fillSlots(const Arrangement& arrangement, const Slots& values, Slots& slots) {
  for (std::size_t input = 0; input < values.size(); ++input) {
    slots[arrangement[input]] = values[input];
  }
}

// The positions in kArrangements of the arrangements that run for these
// input values, in order: the first always, each later one unless the repeat
// test finds that it would leave the slots, as the last one to run filled
// them, unchanged.
inline std::vector<std::size_t> arrangementsToRun(const Slots& values) {
  std::vector<std::size_t> run = {0};
  Slots slots = values;
  for (std::size_t k = 1; k < kArrangements.size(); ++k) {
    if (leavesSlotsUnchanged(kArrangements[k], slots)) continue;
    fillSlots(kArrangements[k], values, slots);
    run.push_back(k);
  }
  return run;
}

}  // namespace vantrel
