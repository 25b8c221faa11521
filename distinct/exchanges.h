#pragma once

// Numbers of equal value may change places: classes that become one by such
// exchanges are one solution. The search keeps one class of each such set
// for the parts of solutions, but whole solutions can still come as several
// classes that are exchanges of each other; this finds them.

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "distinct/exact_number.h"
#include "distinct/forms.h"

namespace vantrel::distinct {

class Exchanges {
 public:
  // hand in the search's order (equal values side by side), and the point
  // at which the fingerprints are taken.
  Exchanges(std::span<const ExactNumber> hand, std::span<const std::uint64_t> point);

  // Of each set of forms whose classes are exchanges of each other, keeps the
  // one that comes first by before.
  std::vector<FormId> merge(const Forms& forms, const std::vector<FormId>& list,
                            const std::function<bool(FormId, FormId)>& before) const;

 private:
  struct Group {
    std::size_t begin;
    std::size_t end;
  };
  struct Seen;

  Seen look(const Forms& forms, FormId form) const;
  bool exchanged(const Seen& a, const Seen& b) const;

  std::vector<std::uint64_t> point_;
  std::vector<std::uint64_t> diagonal_;  // each group's numbers at one value
  std::vector<Group> groups_;
};

}  // namespace vantrel::distinct
