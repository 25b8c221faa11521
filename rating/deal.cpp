#include "rating/deal.h"

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <utility>

namespace vantrel::rating {

namespace {

// splitmix64: the same numbers from a seed on every machine, which the
// standard library's distributions do not promise.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }

  // Uniform in [0, bound), without the bias of a plain remainder.
  std::uint64_t below(std::uint64_t bound) {
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % bound;
    for (;;) {
      const std::uint64_t x = next();
      if (x < limit) return x % bound;
    }
  }

 private:
  std::uint64_t state_;
};

Level levelOf(const Hand& hand) {
  std::array<std::string, 4> texts;
  std::array<std::string_view, 4> numbers;
  for (std::size_t i = 0; i < hand.size(); ++i) {
    texts[i] = std::to_string(hand[i]);
    numbers[i] = texts[i];
  }
  return rate(numbers).level;
}

}  // namespace

Dealer::Dealer(std::span<const Level> levels, int highestCard, std::uint64_t seed)
    : levels_(levels.begin(), levels.end()) {
  for (int a = 1; a <= highestCard; ++a) {
    for (int b = a; b <= highestCard; ++b) {
      for (int c = b; c <= highestCard; ++c) {
        for (int d = c; d <= highestCard; ++d) order_.push_back({a, b, c, d});
      }
    }
  }
  Random random(seed);
  for (std::size_t i = order_.size(); i > 1; --i) {
    std::swap(order_[i - 1], order_[random.below(i)]);
  }
}

std::optional<Hand> Dealer::next() {
  while (position_ < order_.size()) {
    const Hand& hand = order_[position_++];
    if (std::find(levels_.begin(), levels_.end(), levelOf(hand)) != levels_.end()) return hand;
  }
  return std::nullopt;
}

std::vector<Hand> deal(std::size_t count, std::span<const Level> levels, int highestCard,
                       std::uint64_t seed) {
  Dealer dealer(levels, highestCard, seed);
  std::vector<Hand> hands;
  while (hands.size() < count) {
    const std::optional<Hand> hand = dealer.next();
    if (!hand) break;
    hands.push_back(*hand);
  }
  return hands;
}

std::uint64_t randomSeed() {
  std::random_device device;
  return (std::uint64_t{device()} << 32) ^ device();
}

}  // namespace vantrel::rating
