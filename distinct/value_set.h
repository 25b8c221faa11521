#pragma once

// A set of exact values that keeps them in the order they came.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantrel::distinct {

template <class Arithmetic>
class ValueSet {
 public:
  using Number = typename Arithmetic::Number;

  ValueSet() : slots_(16, 0) {}

  // Room for count values without growing.
  void reserve(std::size_t count) {
    std::size_t size = 16;
    while (size < 2 * count) size *= 2;
    values_.reserve(count);
    if (size > slots_.size()) {
      slots_.assign(size, 0);
      rehash();
    }
  }

  bool contains(const Number& value) const {
    for (std::size_t i = Arithmetic::hash(value) & mask();; i = (i + 1) & mask()) {
      const std::uint32_t slot = slots_[i];
      if (slot == 0) return false;
      if (values_[slot - 1] == value) return true;
    }
  }

  void insert(const Number& value) {
    std::size_t i = Arithmetic::hash(value) & mask();
    for (;; i = (i + 1) & mask()) {
      const std::uint32_t slot = slots_[i];
      if (slot == 0) break;
      if (values_[slot - 1] == value) return;
    }
    values_.push_back(value);
    slots_[i] = static_cast<std::uint32_t>(values_.size());
    if (values_.size() * 2 > slots_.size()) grow();
  }

  const std::vector<Number>& values() const { return values_; }
  std::size_t size() const { return values_.size(); }

 private:
  std::size_t mask() const { return slots_.size() - 1; }

  void grow() {
    slots_.assign(slots_.size() * 2, 0);
    rehash();
  }

  void rehash() {
    for (std::size_t v = 0; v < values_.size(); ++v) {
      std::size_t i = Arithmetic::hash(values_[v]) & mask();
      while (slots_[i] != 0) i = (i + 1) & mask();
      slots_[i] = static_cast<std::uint32_t>(v + 1);
    }
  }

  std::vector<Number> values_;
  std::vector<std::uint32_t> slots_;  // 1 + the place of a value, or 0
};

}  // namespace vantrel::distinct
