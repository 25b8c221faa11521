#include "solver/template_sweep.h"

#include <algorithm>
#include <cmath>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#elif defined(__wasm_simd128__)
#include <wasm_simd128.h>
#endif

#include "platform/number_text.h"
#include "solver/formula.h"

namespace vantrel {

namespace {

// Two sweeps at once: each operand slot holds one value per sweep, and the
// processor's two-lane double arithmetic does both with one instruction.
using Lanes = double __attribute__((vector_size(2 * sizeof(double))));
using LaneOperands = std::array<Lanes, 4>;

using LaneMask = decltype(Lanes{} < Lanes{});

// Bit i set when lane i of a comparison holds.
inline int laneBits(LaneMask mask) {
#if defined(__SSE2__)
  return _mm_movemask_pd(reinterpret_cast<__m128d>(mask));
#elif defined(__wasm_simd128__)
  return static_cast<int>(wasm_i64x2_bitmask(reinterpret_cast<v128_t>(mask)));
#else
  return (mask[0] != 0 ? 1 : 0) | (mask[1] != 0 ? 2 : 0);
#endif
}

constexpr double kGuardLimit = 1e-07;

// The match test in the form the hot loop uses. A double rounds to the float
// 24 exactly when it lies within half a float step (2^-20) of 24, both ends
// included since 24's last significand bit is even, and no other float is
// within 1e-07 of 24. NaNs fail both comparisons. The tests hold this against
// isTwentyFour.
constexpr double kLowestMatch = 24.0 - 0x1p-20;
constexpr double kHighestMatch = 24.0 + 0x1p-20;

// Every pattern names A, B, C, D once each and in that order, so it is five
// literal pieces around the four operands: "(A + B) × (C - D)" is "(", " + ",
// ") × (", " - ", ")".
using PatternPieces = std::array<std::string_view, 5>;

constexpr PatternPieces splitPattern(std::string_view pattern) {
  PatternPieces pieces;
  std::size_t start = 0;
  for (std::size_t operand = 0; operand < 4; ++operand) {
    const std::size_t at = pattern.find(static_cast<char>('A' + operand), start);
    if (at == std::string_view::npos) throw "pattern must name A, B, C, D in order";
    pieces[operand] = pattern.substr(start, at - start);
    start = at + 1;
  }
  pieces[4] = pattern.substr(start);
  if (pieces[4].find_first_of("ABCD") != std::string_view::npos) throw "operand named twice";
  return pieces;
}

constexpr auto kPatternPieces = [] {
  std::array<PatternPieces, kTemplates.size()> all;
  for (std::size_t i = 0; i < kTemplates.size(); ++i) all[i] = splitPattern(kTemplates[i].pattern);
  return all;
}();

template <std::size_t N>
inline void tryTemplate(const LaneOperands& x, std::array<Matches, 2>& matches) {
  constexpr ExpressionTemplate expression = kTemplates[N];
  constexpr formula::Program value = formula::compile(expression.value);
  const Lanes result = formula::evaluate<value>(x);
  int lanes = laneBits(result >= kLowestMatch) & laneBits(result <= kHighestMatch);
  if constexpr (!expression.guard.empty()) {
    // A template whose divisor group is within 1e-07 of zero (or NaN) is
    // skipped; computing its value anyway is harmless, as nothing traps.
    constexpr formula::Program guard = formula::compile(expression.guard);
    const Lanes divisor = formula::evaluate<guard>(x);
    lanes &= laneBits(divisor > kGuardLimit) | laneBits(divisor < -kGuardLimit);
  }
  if (lanes != 0) [[unlikely]] {
    if ((lanes & 1) != 0) matches[0].push_back(N);
    if ((lanes & 2) != 0) matches[1].push_back(N);
  }
}

template <std::size_t... N>
inline void tryAll(const LaneOperands& x, std::array<Matches, 2>& matches,
                   std::index_sequence<N...>) {
  (tryTemplate<N>(x, matches), ...);
}

}  // namespace

bool isTwentyFour(double value) {
  const auto templateValue = static_cast<float>(value);
  return std::fabs(static_cast<double>(templateValue) - 24.0) <= 1e-07;
}

// Flattened so that all 160 templates become one block of arithmetic in which
// shared subexpressions such as A + B or C / D are computed once. With GCC on
// x86-64, where the processor has AVX2 a copy using its three-operand
// instructions is picked at load time; the arithmetic is the same IEEE double
// arithmetic either way (contraction into fused multiply-adds is off for the
// solver). Clang cannot combine the two attributes and gets one copy.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define VANTREL_SWEEP_COPIES gnu::target_clones("avx2", "default")
#else
#define VANTREL_SWEEP_COPIES
#endif
[[gnu::flatten, VANTREL_SWEEP_COPIES]] std::array<Matches, 2> findMatches(const Slots& first,
                                                                          const Slots& second) {
  LaneOperands x;
  for (std::size_t i = 0; i < x.size(); ++i) x[i] = Lanes{first[i], second[i]};
  std::array<Matches, 2> matches;
  tryAll(x, matches, std::make_index_sequence<kTemplates.size()>{});
  return matches;
}

Matches findMatches(const Slots& slots) {
  return findMatches(slots, slots)[0];
}

std::string displayLine(const ExpressionTemplate& expression,
                        const std::array<std::string_view, 4>& operandTexts) {
  const PatternPieces& pieces = kPatternPieces[static_cast<std::size_t>(expression.number - 1)];
  std::size_t length = 0;
  for (std::size_t i = 0; i < operandTexts.size(); ++i) {
    length += pieces[i].size() + operandTexts[i].size();
  }
  length += pieces.back().size();

  // Pieces and operands are a few bytes each: a plain byte loop is cheaper
  // than a library call per piece.
  std::string line(length, '\0');
  char* out = line.data();
  const auto put = [&out](std::string_view text) {
    for (char c : text) *out++ = c;
  };
  for (std::size_t i = 0; i < operandTexts.size(); ++i) {
    put(pieces[i]);
    put(operandTexts[i]);
  }
  put(pieces.back());
  return line;
}

void sweep(const Slots& slots, std::vector<std::string>& lines) {
  const Matches matches = findMatches(slots);
  if (matches.empty()) return;
  const std::array<std::string, 4> texts = {numberToText(slots[0]), numberToText(slots[1]),
                                            numberToText(slots[2]), numberToText(slots[3])};
  const std::array<std::string_view, 4> views = {texts[0], texts[1], texts[2], texts[3]};
  for (std::size_t index : matches) lines.push_back(displayLine(kTemplates[index], views));
}

}  // namespace vantrel
