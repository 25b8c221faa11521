#pragma once

// The written forms of solutions: sums and products flattened so that no sum
// holds a sum and no product a product, their parts in a fixed order. Such a
// form needs brackets only around a sum that is a factor of a product, so it
// has the fewest brackets of all the ways to write it.
//
// Forms are kept in one store and referred to by number; a form never
// changes once stored.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::distinct {

// Bracketed sums and products before single numbers.
enum class Kind : std::uint8_t { kProduct, kSum, kNumber };

using FormId = std::uint32_t;
inline constexpr FormId kNoForm = UINT32_MAX;

// One part of a sum or a product: added or subtracted, multiplied or
// divided by.
struct Part {
  FormId form;
  bool negative;
};

// The most parts a sum or product can have: one per number.
inline constexpr std::size_t kMaxParts = 7;

// A form, stored or about to be.
struct FormView {
  Kind kind = Kind::kNumber;
  std::uint8_t card = 0;       // a number: its place in the hand
  std::uint8_t partCount = 0;  // a sum or product: its parts, added or
  std::uint8_t negatives = 0;  // multiplied ones first, then the others
  std::uint16_t brackets = 0;  // in the whole form
  std::uint16_t inverses = 0;  // - and / in the whole form
  const Part* parts = nullptr;
};

class Forms {
 public:
  // The hand's numbers are forms 0 to n - 1. likeness gives each the place
  // of the first number of the hand that is written the same: numbers
  // written alike are told apart nowhere in a form's order or shape.
  explicit Forms(std::span<const std::uint8_t> likeness);

  FormView view(FormId id) const;
  // The form with each number seen only as its text: forms of equal shape
  // are the same text, and tell of the same class once numbers written alike
  // change places (a hash; different shapes meet once in about 2^64).
  std::uint64_t shape(FormId id) const { return nodes_[id].shape; }

  // A sum or a product being put together from parts.
  class Draft {
   public:
    explicit Draft(Kind kind) : kind_(kind) {}
    Kind kind() const { return kind_; }
    // The form as one part.
    void add(const Forms& forms, FormId form, bool negative);
    // The parts of a form of the draft's own kind, each negated when negative.
    void splice(const Forms& forms, FormId form, bool negative);
    // The form spliced in where it is of the draft's kind, else as one part.
    void join(const Forms& forms, FormId form, bool negative);
    // Puts the parts in their order; call before view().
    void arrange(const Forms& forms);
    FormView view() const;
    std::uint16_t brackets() const { return brackets_; }
    // - and / when the whole is negated (or inverted) or not.
    std::uint16_t inverses(bool negated) const;

   private:
    friend class Forms;
    Kind kind_;
    std::array<Part, kMaxParts> parts_{};
    std::uint8_t count_ = 0;
    std::uint8_t negatives_ = 0;
    std::uint16_t brackets_ = 0;
    std::uint16_t inverses_ = 0;
  };

  FormId store(const Draft& draft);

  // Orders forms for choosing between them: fewer brackets first, then fewer
  // - and /, then the order of their parts (see compareParts); forms of one
  // shape are equal. A negated form
  // is compared as the sum or product with its parts' signs turned round.
  // Negative, zero or positive as a comes before b, equals it, or after.
  int compare(const FormView& a, bool negateA, const FormView& b, bool negateB) const;

  // The order of parts within a sum or a product, and the last tie-break
  // between whole forms: bracketed sums and products before single numbers,
  // numbers in the hand's order, and sums and products by their parts in
  // turn, a form with more parts first where one's parts begin the other's.
  // Numbers go by value, then by text.
  int compareParts(FormId a, FormId b) const;

  // The form written out: spaces around the operators, × and /, each number
  // as its text, bracketed when it is negative or a fraction.
  std::string text(FormId id, std::span<const std::string> cardTexts) const;

 private:
  struct Node {
    Kind kind;
    std::uint8_t card;
    std::uint8_t partCount;
    std::uint8_t negatives;
    std::uint16_t brackets;
    std::uint16_t inverses;
    std::uint32_t firstPart;
    std::uint64_t shape;
  };

  int compareStructure(const FormView& a, bool negateA, const FormView& b, bool negateB) const;
  void write(FormId id, std::span<const std::string> cardTexts, std::string& out) const;

  std::vector<std::uint8_t> likeness_;
  std::vector<Node> nodes_;
  std::vector<Part> parts_;
};

}  // namespace vantrel::distinct
