#pragma once

// Practice as the web page has it from the WebAssembly module: one deck and
// the round of the hand it dealt last, kept between the page's calls, and
// worksheets. Every answer is one line of JSON.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "practice/deck.h"
#include "practice/round.h"

namespace vantrel::web {

class PracticeSession {
 public:
  // A new deck (see practice::Deck): level 1 (easy) to 4 (expert),
  // highestCard 10 or 13. False, with the deck unchanged, for others.
  bool newDeck(int level, int highestCard, bool withoutSolution, std::uint64_t seed);

  // Deals the deck's next hand and makes it the round's:
  // {"hand":[3,3,8,8],"level":"medium","seconds":12.3 or null,
  //  "ways":["8 / (3 - 8 / 3)"],
  //  "hint":{"steps":[{"operation":"divide","left":"8","right":"3","result":"8/3"}, ...],
  //          "formula":"8 / (3 - 8 / 3)"} or null}
  // None before the first deck.
  std::optional<std::string> nextHand();

  // Checks an answer (UTF-8) against the round's hand:
  // {"kind":"wrongValue","problem":null,"where":null,"number":"47/2",
  //  "cardsLeftOut":[],"right":false,"way":null}
  // kind and problem name practice::VerdictKind and formula::Problem without
  // their k; where is [begin, end) in UTF-16 units, for the kinds that point
  // at a place; way is the place of a right formula in ways. None before the
  // first hand.
  std::optional<std::string> check(std::string_view answer) const;

  // count different hands of the level (as newDeck takes it), all with a
  // solution, each with the way a hint shows:
  // {"hands":[{"hand":[3,3,8,8],"formula":"8 / (3 - 8 / 3)"}, ...]}
  // None for a level or cards newDeck refuses.
  static std::optional<std::string> worksheet(int level, int highestCard, int count,
                                              std::uint64_t seed);

 private:
  std::optional<practice::Deck> deck_;
  std::optional<practice::Round> round_;
};

}  // namespace vantrel::web
