#pragma once

// The search for every class of solutions. It knows, for each small group of
// the hand's numbers, every value that group can make; from the target down,
// it splits the numbers in two and looks only for the pairs of values that
// give what is needed. What it finds it keeps as classes of forms that are
// equal as rational functions (by fingerprint), with the best form of each
// class for every way a larger form can take it in, so that the best form of
// every solution is built from the best forms of its parts. With each class
// it keeps the classes one step away (see ideas.h), from every way the class
// is made of two parts: a part that does nothing struck out at the top, and
// the steps of either part.

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

inline constexpr ClassId kNoClass = UINT32_MAX;

// What is left of a class once one step strikes out a part that does nothing
// (see ideas.h): the class of the numbers left, by their mask and its
// fingerprint, and how it is made from the parts of the class, to be written
// out when needed (Search::formOf).
struct Remnant {
  static constexpr std::uint32_t kWhole = UINT32_MAX;

  std::uint32_t mask;
  std::uint64_t print;
  // left ∘ right by operation (as the search's), each side whole or as one of
  // its steps; right is kNoClass where left is all that is left.
  ClassId left;
  ClassId right;
  std::uint32_t leftStep;
  std::uint32_t rightStep;
  std::uint8_t operation;
};

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
  // Its steps, when the search keeps them.
  std::uint32_t firstStep = 0;
  std::uint32_t stepCount = 0;

  FormId best(const Forms& forms) const;
};

// The numbers come sorted by value, then by text.
struct SearchCard {
  const ExactNumber* number;
  std::uint64_t print;  // the fingerprint of the number alone
  std::size_t alike;    // the first number written the same
  std::size_t equal;    // the first number of the same value
};

template <class Arithmetic>
class Search {
 public:
  using Number = typename Arithmetic::Number;
  using Mask = std::uint32_t;

  // Forms are stored into forms, which must hold the cards' numbers only.
  // absorb: a part worth 0 also absorbs what multiplies it or divides it (a
  // step for a target of 0).
  Search(std::span<const SearchCard> cards, Forms& forms, bool absorb);

  // Finds the classes of forms over all the numbers whose value is target.
  // False when the arithmetic cannot hold the numbers on the way.
  bool run(const ExactNumber& target);

  std::span<const ClassId> solutions() const { return listOf(solutions_); }
  const FormClass& formClass(ClassId id) const { return classes_[id]; }
  // The classes over mask whose value is value, found now if not yet.
  std::span<const ClassId> classesOf(Mask mask, const Number& value) {
    return listOf(enumerate(mask, value));
  }
  std::span<const Remnant> stepsOf(ClassId id) const {
    return {steps_.data() + classes_[id].firstStep, classes_[id].stepCount};
  }
  // The class kept for one over mask, worth the target, that was left out as
  // the same as it once numbers written alike change places; kNoClass if
  // none was.
  ClassId keptFor(Mask mask, std::uint64_t print) const;
  // A form of a step's class.
  FormId formOf(const Remnant& step);
  // The class of the product of the mask's numbers.
  ClassId plainProduct(Mask mask);
  std::size_t cardCount() const { return cardCount_; }
  const Number& cardValue(std::size_t card) const { return cardValues_[card]; }
  bool overflowed() const { return overflow_; }

 private:
  enum class Operation { kAdd, kSubtract, kSubtractFrom, kMultiply, kDivide, kDivideInto };

  // Where a list of classes stands in the pool.
  struct List {
    std::uint32_t offset = 0;
    std::uint32_t count = 0;
  };

  // The lists of classes found, by mask and value.
  class Memo {
   public:
    Memo() : slots_(64) {}
    const List* find(Mask mask, const Number& value) const;
    void add(Mask mask, const Number& value, List list);

   private:
    struct Slot {
      Mask mask = 0;  // 0: empty
      Number value{};
      List list;
    };
    std::size_t start(Mask mask, const Number& value) const {
      return (Arithmetic::hash(value) ^ static_cast<std::size_t>(mask * 0x9E3779B97F4A7C15u)) &
             (slots_.size() - 1);
    }
    std::vector<Slot> slots_;
    std::size_t count_ = 0;
  };
  // The classes found so far for one mask and value, by fingerprint: looked
  // through in turn while few, in a hash map once many.
  class ClassIndex {
   public:
    // The class with this fingerprint, or where to put it.
    ClassId* find(std::uint64_t print);
    void add(std::uint64_t print, ClassId id);

    void clear() {
      few_.clear();
      many_.clear();
    }

   private:
    std::vector<std::pair<std::uint64_t, ClassId>> few_;
    std::unordered_map<std::uint64_t, ClassId> many_;
  };

  // The classes found for the mask and value being searched, at one depth of
  // the search; kept from one search to the next at that depth.
  struct Found {
    std::vector<ClassId> classes;
    ClassIndex index;
    std::vector<std::pair<ClassId, Remnant>> steps;
  };

  const ValueSet<Arithmetic>& valuesOf(Mask mask);
  List enumerate(Mask mask, const Number& value);
  std::span<const ClassId> listOf(List list) const {
    return {pool_.data() + list.offset, list.count};
  }
  void searchSplit(Mask a, Mask b, const Number& value, Found& found);
  // The pairs for one operation, with a or b known as x.
  void tryOperation(Operation operation, Mask a, Mask b, bool knownIsA, const Number& x,
                    const Number& value, Found& found);
  void combine(Operation operation, Mask a, const Number& x, Mask b, const Number& y, Found& found);
  ClassId classFor(std::uint64_t print, Found& found);
  std::uint64_t printOf(Operation operation, std::uint64_t a, std::uint64_t b) const;
  std::uint64_t inverseOf(ClassId id);
  void noteSteps(ClassId target, Operation operation, Mask a, ClassId ca, const Number& x, Mask b,
                 ClassId cb, const Number& y, Found& found);
  void noteZeroSteps(ClassId target, Mask known, ClassId zero, Mask other, Found& found);
  void keepFoundSteps(Found& found);
  bool makes(Mask mask, const Number& value);
  void offer(ClassId target, ClassId a, ClassId b, Operation operation);
  void consider(ClassId target, Forms::Draft& draft);
  // Gives kept each form of other that is better than its own.
  void takeForms(FormClass& kept, const FormClass& other) const;
  bool cheap(Mask mask) const;
  bool prefixOk(Mask part, Mask whole, const std::vector<Mask>& before) const;

  Forms& forms_;
  std::size_t cardCount_;
  std::vector<Number> cardValues_;
  std::vector<Mask> sameTextBefore_;   // per mask: the cards written like one of its own, before it
  std::vector<Mask> sameValueBefore_;  // likewise for equal values
  std::vector<Mask> valueCanon_;       // per mask: the mask of lowest cards with the same values
  std::vector<std::unique_ptr<ValueSet<Arithmetic>>> values_;
  Memo memo_;
  std::vector<ClassId> pool_;  // every list of classes, one after another
  std::vector<Found> found_;   // per depth
  std::size_t depth_ = 0;
  std::vector<FormClass> classes_;
  std::vector<ClassId> plainProducts_;  // per mask, once made (0: not yet)
  int cheapSize_ = 2;
  bool overflow_ = false;
  bool absorb_ = false;
  Number target_{};
  std::vector<Remnant> steps_;  // every class's steps, one class after another
  // Classes worth the target left out for one kept, by mask and fingerprint.
  std::unordered_map<std::uint64_t, ClassId> kept_;
  List solutions_;
};

}  // namespace vantrel::distinct
