#include "web/practice_session.h"

#include <array>
#include <cstdio>
#include <vector>

#include "rating/deal.h"
#include "rating/rating.h"

namespace vantrel::web {

namespace {

// A JSON string: the text between quotes, with what JSON requires escaped.
// The texts written here are UTF-8 already, which JSON carries as it is.
void appendString(std::string& json, std::string_view text) {
  json += '"';
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      std::array<char, 8> escaped{};
      std::snprintf(escaped.data(), escaped.size(), "\\u%04x", static_cast<unsigned>(c));
      json += escaped.data();
    } else {
      json += c;
    }
  }
  json += '"';
}

template <typename Each>
void appendArray(std::string& json, std::size_t count, Each each) {
  json += '[';
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) json += ',';
    each(i);
  }
  json += ']';
}

void appendHand(std::string& json, const rating::Hand& hand) {
  appendArray(json, hand.size(), [&](std::size_t i) { json += std::to_string(hand[i]); });
}

std::string_view levelKey(rating::Level level) {
  switch (level) {
    case rating::Level::kNoSolution:
      return "noSolution";
    case rating::Level::kEasy:
      return "easy";
    case rating::Level::kMedium:
      return "medium";
    case rating::Level::kHard:
      return "hard";
    case rating::Level::kExpert:
      return "expert";
  }
  return "";
}

std::string_view operationKey(rating::Operation operation) {
  switch (operation) {
    case rating::Operation::kAdd:
      return "add";
    case rating::Operation::kSubtract:
      return "subtract";
    case rating::Operation::kMultiply:
      return "multiply";
    case rating::Operation::kDivide:
      return "divide";
  }
  return "";
}

std::string_view verdictKey(practice::VerdictKind kind) {
  using practice::VerdictKind;
  switch (kind) {
    case VerdictKind::kRight:
      return "right";
    case VerdictKind::kNoSolutionClaimed:
      return "noSolutionClaimed";
    case VerdictKind::kUnreadable:
      return "unreadable";
    case VerdictKind::kNotInHand:
      return "notInHand";
    case VerdictKind::kUsedTooOften:
      return "usedTooOften";
    case VerdictKind::kCardLeftOut:
      return "cardLeftOut";
    case VerdictKind::kDivisionByZero:
      return "divisionByZero";
    case VerdictKind::kWrongValue:
      return "wrongValue";
    case VerdictKind::kWrongNote:
      return "wrongNote";
  }
  return "";
}

std::string_view problemKey(formula::Problem problem) {
  using formula::Problem;
  switch (problem) {
    case Problem::kNone:
      return "";
    case Problem::kEmpty:
      return "empty";
    case Problem::kTooLong:
      return "tooLong";
    case Problem::kTooDeep:
      return "tooDeep";
    case Problem::kUnexpectedCharacter:
      return "unexpectedCharacter";
    case Problem::kMalformedNumber:
      return "malformedNumber";
    case Problem::kNumberTooLong:
      return "numberTooLong";
    case Problem::kMissingNumber:
      return "missingNumber";
    case Problem::kMissingOperator:
      return "missingOperator";
    case Problem::kSign:
      return "sign";
    case Problem::kUnclosedBracket:
      return "unclosedBracket";
    case Problem::kUnopenedBracket:
      return "unopenedBracket";
    case Problem::kMismatchedBracket:
      return "mismatchedBracket";
    case Problem::kMisplacedEquals:
      return "misplacedEquals";
  }
  return "";
}

// The verdicts that point at a stretch of the answer.
bool pointsAtPlace(practice::VerdictKind kind) {
  using practice::VerdictKind;
  return kind == VerdictKind::kUnreadable || kind == VerdictKind::kNotInHand ||
         kind == VerdictKind::kUsedTooOften || kind == VerdictKind::kDivisionByZero ||
         kind == VerdictKind::kWrongNote;
}

std::optional<rating::Level> levelOf(int level) {
  if (level < 1 || level > static_cast<int>(rating::kLevels.size())) return std::nullopt;
  return rating::kLevels[static_cast<std::size_t>(level - 1)];
}

bool takesCards(int highestCard) {
  return highestCard == 10 || highestCard == 13;
}

std::array<std::string, 4> textsOf(const rating::Hand& hand) {
  return {std::to_string(hand[0]), std::to_string(hand[1]), std::to_string(hand[2]),
          std::to_string(hand[3])};
}

}  // namespace

bool PracticeSession::newDeck(int level, int highestCard, bool withoutSolution,
                              std::uint64_t seed) {
  const std::optional<rating::Level> chosen = levelOf(level);
  if (!chosen || !takesCards(highestCard)) return false;
  deck_.emplace(*chosen, highestCard, withoutSolution, seed);
  return true;
}

std::optional<std::string> PracticeSession::nextHand() {
  if (!deck_) return std::nullopt;
  round_.emplace(deck_->next());
  const practice::Round& round = *round_;
  std::string json = "{\"hand\":";
  appendHand(json, round.hand());
  json += ",\"level\":";
  appendString(json, levelKey(round.rating().level));
  json += ",\"seconds\":";
  if (const std::optional<double> seconds = round.rating().seconds) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.2f", *seconds);
    json += text.data();
  } else {
    json += "null";
  }
  json += ",\"ways\":";
  const std::vector<std::string>& ways = round.ways();
  appendArray(json, ways.size(), [&](std::size_t i) { appendString(json, ways[i]); });
  json += ",\"hint\":";
  if (const std::optional<rating::Way>& hint = round.hint()) {
    json += "{\"steps\":";
    appendArray(json, hint->steps.size(), [&](std::size_t i) {
      const rating::Step& step = hint->steps[i];
      json += "{\"operation\":";
      appendString(json, operationKey(step.operation));
      json += ",\"left\":";
      appendString(json, step.left);
      json += ",\"right\":";
      appendString(json, step.right);
      json += ",\"result\":";
      appendString(json, step.result);
      json += '}';
    });
    json += ",\"formula\":";
    appendString(json, hint->formula);
    json += '}';
  } else {
    json += "null";
  }
  json += '}';
  return json;
}

std::optional<std::string> PracticeSession::check(std::string_view answer) const {
  if (!round_) return std::nullopt;
  const practice::Round::Outcome outcome = round_->check(answer);
  const practice::Verdict& verdict = outcome.verdict;
  std::string json = "{\"kind\":";
  appendString(json, verdictKey(verdict.kind));
  json += ",\"problem\":";
  if (verdict.problem == formula::Problem::kNone) {
    json += "null";
  } else {
    appendString(json, problemKey(verdict.problem));
  }
  json += ",\"where\":";
  if (pointsAtPlace(verdict.kind)) {
    json +=
        '[' + std::to_string(verdict.where.begin) + ',' + std::to_string(verdict.where.end) + ']';
  } else {
    json += "null";
  }
  json += ",\"number\":";
  appendString(json, verdict.number);
  json += ",\"cardsLeftOut\":";
  appendArray(json, verdict.cardsLeftOut.size(),
              [&](std::size_t i) { json += std::to_string(verdict.cardsLeftOut[i]); });
  json += ",\"right\":";
  json += outcome.right ? "true" : "false";
  json += ",\"way\":";
  json += outcome.way ? std::to_string(*outcome.way) : "null";
  json += '}';
  return json;
}

std::optional<std::string> PracticeSession::worksheet(int level, int highestCard, int count,
                                                      std::uint64_t seed) {
  const std::optional<rating::Level> chosen = levelOf(level);
  if (!chosen || !takesCards(highestCard) || count < 0) return std::nullopt;
  const std::array levels = {*chosen};
  const std::vector<rating::Hand> hands =
      rating::deal(static_cast<std::size_t>(count), levels, highestCard, seed);
  std::string json = "{\"hands\":";
  appendArray(json, hands.size(), [&](std::size_t i) {
    const std::array<std::string, 4> texts = textsOf(hands[i]);
    const std::array<std::string_view, 4> views = {texts[0], texts[1], texts[2], texts[3]};
    json += "{\"hand\":";
    appendHand(json, hands[i]);
    json += ",\"formula\":";
    if (const std::optional<rating::Way> way = rating::easiestWay(views)) {
      appendString(json, way->formula);
    } else {
      json += "null";
    }
    json += '}';
  });
  json += "}";
  return json;
}

}  // namespace vantrel::web
