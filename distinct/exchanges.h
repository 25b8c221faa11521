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
#include <unordered_map>
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

  // For each form of list, the place in list of the form that stands for its
  // set: the one that comes first by before.
  std::vector<std::size_t> group(const Forms& forms, const std::vector<FormId>& list,
                                 const std::function<bool(FormId, FormId)>& before) const;
  // The fingerprint of a formula (see fingerprint.h); nullopt where it
  // divides by zero there.
  std::optional<std::uint64_t> printOf(const std::vector<Step>& formula) const;
  // A form as steps.
  static std::vector<Step> stepsOf(const Forms& forms, FormId form);

 private:
  struct Seen;

 public:
  // Forms among which to find the one whose class a formula's is after an
  // exchange.
  class Index {
   public:
    Index(const Exchanges& exchanges, const Forms& forms, std::span<const FormId> list);
    ~Index();
    Index(Index&&) noexcept;
    Index& operator=(Index&&) noexcept;

    // The place in list of a form whose class is formula's after an
    // exchange (or that of formula negated).
    std::optional<std::size_t> find(std::vector<Step> formula, bool negated);

   private:
    const Exchanges* exchanges_;
    std::vector<Seen> seen_;
    // The forms by their value on the diagonal, and those that share one by
    // their sketch once looked at.
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> byDiagonal_;
    std::unordered_map<std::uint64_t, std::unordered_map<std::uint64_t, std::vector<std::size_t>>>
        bySketch_;
  };

 private:
  struct Group {
    std::size_t begin;
    std::size_t end;
  };

  Seen glance(std::vector<Step> steps, FormId form, bool negated = false) const;
  std::uint64_t valueOf(const Seen& seen, std::span<const std::uint64_t> point) const;
  void look(Seen& seen) const;
  bool exchanged(const Seen& a, const Seen& b) const;

  std::vector<std::uint64_t> point_;
  std::vector<std::uint64_t> diagonal_;  // each group's numbers at one value
  std::vector<Group> groups_;
};

}  // namespace vantrel::distinct
