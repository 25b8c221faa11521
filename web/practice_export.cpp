// Practice as the web page calls it from JavaScript (web/solve.js): a
// session that holds a deck and the round of its last hand, made once and
// passed back with every call, and worksheets. Answers are blocks
// (web/block.h) of one line of JSON with the head '0', or with the head '!'
// and no lines when the session has no deck or hand yet.

#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "web/block.h"
#include "web/practice_session.h"

namespace {

using vantrel::web::PracticeSession;

std::uint64_t seedOf(std::uint32_t high, std::uint32_t low) {
  return (std::uint64_t{high} << 32) | low;
}

char* answer(const std::optional<std::string>& json) {
  return json ? vantrel::web::makeJsonBlock(*json) : vantrel::web::makeBlock('!', {});
}

}  // namespace

// A new session, which lives as long as the module.
extern "C" EMSCRIPTEN_KEEPALIVE PracticeSession* vantrel_practice_new() {
  return new PracticeSession();
}

// A new deck for the session; 0 for a level (1 to 4) or cards (10 or 13) it
// does not take.
extern "C" EMSCRIPTEN_KEEPALIVE int vantrel_practice_deck(PracticeSession* session, int level,
                                                          int highestCard, int withoutSolution,
                                                          std::uint32_t seedHigh,
                                                          std::uint32_t seedLow) {
  return session->newDeck(level, highestCard, withoutSolution != 0, seedOf(seedHigh, seedLow)) ? 1
                                                                                               : 0;
}

// The next hand of the session's deck.
extern "C" EMSCRIPTEN_KEEPALIVE char* vantrel_practice_next(PracticeSession* session) {
  return answer(session->nextHand());
}

// Checks the answer, length bytes of UTF-8 that may hold any byte.
extern "C" EMSCRIPTEN_KEEPALIVE char* vantrel_practice_check(PracticeSession* session,
                                                             const char* text, std::size_t length) {
  return answer(session->check(std::string_view(text, length)));
}

// count hands of the level for a worksheet, each with a way to 24.
extern "C" EMSCRIPTEN_KEEPALIVE char* vantrel_practice_worksheet(int level, int highestCard,
                                                                 int count, std::uint32_t seedHigh,
                                                                 std::uint32_t seedLow) {
  return answer(PracticeSession::worksheet(level, highestCard, count, seedOf(seedHigh, seedLow)));
}
