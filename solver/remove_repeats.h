#pragma once

#include <string>
#include <vector>

namespace vantrel {

// Removes every line that equals an earlier one (byte for byte), keeping the
// first copy of each and the order of what is left.
void removeRepeats(std::vector<std::string>& lines);

}  // namespace vantrel
