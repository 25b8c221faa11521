#pragma once

// The search for every class of solutions. It knows, for each small group of
// the hand's numbers, every value that group can make; from the target down,
// it splits the numbers in two and looks only for the pairs of values that
// give what is needed. What it finds it keeps as classes of forms that are
// equal as rational functions (by fingerprint), with the best form of each
// class for every way a larger form can take it in, so that the best form of
// every solution is built from the best forms of its parts.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <unordered_map>
#include <vector>

#include "distinct/exact_number.h"
#include "distinct/forms.h"
#include "distinct/value_set.h"

namespace vantrel::distinct {

using ClassId = std::uint32_t;

// Forms that are equal as rational functions.
struct FormClass {
  std::uint64_t print = 0;
  std::uint64_t inversePrint = 0;  // worked out when first needed
  // The best form of each kind, and of each kind negated (or inverted): what
  // a larger sum or product takes in, whole or spliced into its own parts.
  FormId sum = kNoForm;
  FormId negatedSum = kNoForm;
  FormId product = kNoForm;
  FormId invertedProduct = kNoForm;
  FormId number = kNoForm;

  FormId best(const Forms& forms) const;
};

struct SearchCard {
  BigRational value;
  std::uint64_t print;      // the fingerprint of the number alone
  int sameTextBefore = -1;  // the number before it written the same, if any
};

template <class Arithmetic>
class Search {
 public:
  using Number = typename Arithmetic::Number;
  using Mask = std::uint32_t;

  // Forms are stored into forms, which must hold the cards' numbers only.
  Search(std::span<const SearchCard> cards, Forms& forms);

  // Finds the classes of forms over all the numbers whose value is target.
  // False when the arithmetic cannot hold the numbers on the way.
  bool run(const BigRational& target);

  const std::vector<ClassId>& solutions() const { return *solutions_; }
  const FormClass& formClass(ClassId id) const { return classes_[id]; }

 private:
  enum class Operation { kAdd, kSubtract, kSubtractFrom, kMultiply, kDivide, kDivideInto };

  struct MemoKey {
    Mask mask;
    Number value;
    bool operator==(const MemoKey&) const = default;
  };
  struct MemoHash {
    std::size_t operator()(const MemoKey& key) const {
      return Arithmetic::hash(key.value) ^ (std::size_t{key.mask} * 0x9E3779B97F4A7C15u);
    }
  };
  using ClassIndex = std::unordered_map<std::uint64_t, ClassId>;

  const ValueSet<Arithmetic>& valuesOf(Mask mask);
  const std::vector<ClassId>& enumerate(Mask mask, const Number& value);
  void searchSplit(Mask a, Mask b, const Number& value, std::vector<ClassId>& found,
                   ClassIndex& index);
  // The pairs for one operation, with a or b known as x.
  void tryOperation(Operation operation, Mask a, Mask b, bool knownIsA, const Number& x,
                    const Number& value, std::vector<ClassId>& found, ClassIndex& index);
  void combine(Operation operation, Mask a, const Number& x, Mask b, const Number& y,
               std::vector<ClassId>& found, ClassIndex& index);
  ClassId classFor(std::uint64_t print, std::vector<ClassId>& found, ClassIndex& index);
  ClassId plainProduct(Mask mask);
  void offer(ClassId target, ClassId a, ClassId b, Operation operation);
  void consider(ClassId target, Forms::Draft& draft);
  bool cheap(Mask mask) const;
  bool prefixOk(Mask part, Mask whole, const std::vector<Mask>& before) const;
  bool compute(Operation operation, const Number& a, const Number& b, Number& out);

  Forms& forms_;
  std::size_t cardCount_;
  std::vector<Number> cardValues_;
  std::vector<Mask> sameTextBefore_;   // per mask: the cards written like one of its own, before it
  std::vector<Mask> sameValueBefore_;  // likewise for equal values
  std::vector<Mask> valueCanon_;       // per mask: the mask of lowest cards with the same values
  std::vector<std::unique_ptr<ValueSet<Arithmetic>>> values_;
  std::unordered_map<MemoKey, std::vector<ClassId>, MemoHash> memo_;
  std::vector<FormClass> classes_;
  std::vector<ClassId> plainProducts_;  // per mask, once made (0: not yet)
  int cheapSize_ = 2;
  bool overflow_ = false;
  const std::vector<ClassId>* solutions_ = nullptr;
};

}  // namespace vantrel::distinct
