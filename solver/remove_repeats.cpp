#include "remove_repeats.h"

#include <string_view>
#include <unordered_set>

namespace vantrel {

void removeRepeats(std::vector<std::string>& lines) {
  std::vector<bool> first(lines.size());
  {
    // The views point into lines, so decide everything before moving any line.
    std::unordered_set<std::string_view> seen;
    seen.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) first[i] = seen.insert(lines[i]).second;
  }
  std::size_t kept = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!first[i]) continue;
    if (kept != i) lines[kept] = std::move(lines[i]);
    ++kept;
  }
  lines.resize(kept);
}

} // namespace vantrel
