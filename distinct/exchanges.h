#pragma once

// Numbers of equal value may change places: classes that become one by such
// exchanges are one solution. The search keeps one class of each such set
// for the parts of solutions, but whole solutions can still come as several
// classes that are exchanges of each other; this finds them.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "distinct/forms.h"
#include "distinct/search.h"

namespace vantrel::distinct {

class Exchanges {
 public:
  // A formula as steps for a stack: a number is pushed, an operation takes
  // the two on top.
  struct Step {
    Kind kind;          // kNumber, or kSum / kProduct for an operation
    bool negative;      // subtract or divide
    std::uint8_t card;  // for a number
  };

  explicit Exchanges(std::span<const SearchCard> cards);

  // Of each set of forms whose classes are exchanges of each other, keeps the
  // one that comes first by before.
  std::vector<FormId> merge(const Forms& forms, const std::vector<FormId>& list,
                            const std::function<bool(FormId, FormId)>& before) const;
  // For each form of list, the place in list of the form that stands for its
  // set: the one that comes first by before.
  std::vector<std::size_t> group(const Forms& forms, const std::vector<FormId>& list,
                                 const std::function<bool(FormId, FormId)>& before) const;
  // The fingerprint of a formula (see fingerprint.h); nullopt where it
  // divides by zero there.
  std::optional<std::uint64_t> printOf(const std::vector<Step>& formula) const;
  // The place in list of a form whose class is formula's after an exchange.
  std::optional<std::size_t> find(std::vector<Step> formula, const Forms& forms,
                                  std::span<const FormId> list) const;

 private:
  struct Group {
    std::size_t begin;
    std::size_t end;
  };
  struct Seen;

  Seen glance(std::vector<Step> steps, FormId form) const;
  void look(Seen& seen) const;
  bool exchanged(const Seen& a, const Seen& b) const;

  std::vector<std::uint64_t> point_;
  std::vector<std::uint64_t> diagonal_;  // each group's numbers at one value
  std::vector<Group> groups_;
};

}  // namespace vantrel::distinct
