#include "solver/remove_repeats.h"

#include <bit>
#include <cstdint>
#include <functional>
#include <string_view>

namespace vantrel {

void removeRepeats(std::vector<std::string>& lines) {
  // An open-addressing set of line positions: each slot holds 1 + the position
  // of the first line with that text, or 0 when empty. At most half full.
  const std::size_t capacity = std::bit_ceil(lines.size() * 2 + 2);
  std::vector<std::uint32_t> table(capacity, 0);
  const std::hash<std::string_view> hash;

  std::size_t kept = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    bool repeat = false;
    std::size_t slot = hash(line) & (capacity - 1);
    for (; table[slot] != 0; slot = (slot + 1) & (capacity - 1)) {
      if (lines[table[slot] - 1] == line) {
        repeat = true;
        break;
      }
    }
    if (repeat) continue;
    // Kept lines move down to position kept; the table refers to them there.
    if (kept != i) lines[kept] = std::move(lines[i]);
    table[slot] = static_cast<std::uint32_t>(++kept);
  }
  lines.resize(kept);
}

}  // namespace vantrel
