#include "cli/command_line.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <exception>
#include <istream>
#include <limits>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <thread>

#include "cli/options.h"
#include "cli/quoted.h"
#include "cli/system_streams.h"
#include "distinct/distinct.h"
#include "distinct/exact_number.h"
#include "platform/fp_environment.h"
#include "platform/number_text.h"
#include "rating/deal.h"
#include "rating/rating.h"
#include "solver/solve.h"

namespace vantrel::cli {

namespace {

constexpr std::string_view kProgram = "vantrel-solve";

constexpr std::string_view kHelp =
    "Usage: vantrel-solve A B C D\n"
    "       vantrel-solve [-d] [-t T] NUMBER...\n"
    "       vantrel-solve [-d] [-t T] < FILE\n"
    "       vantrel-solve --rate [A B C D | < FILE]\n"
    "       vantrel-solve --deal N [--level L] [--cards 10|13] [--seed S]\n"
    "\n"
    "Prints every way of making 24 from the four numbers A B C D with + - × / and\n"
    "brackets, one expression per line, followed by a line that counts them.\n"
    "\n"
    "With -d, with a target T given, or with a hand of 1 to 7 numbers other than\n"
    "four, prints instead every genuinely different way of making the target (24\n"
    "unless given), computed exactly, then 共有N种不同的算法！, or the line\n"
    "电脑我也算不出啦：（ alone when there is none. Two ways are the same when\n"
    "they are equal as formulas whatever the numbers' values (each number is a\n"
    "variable of its own, except that a 0 or a 1 stands for itself, and equal\n"
    "numbers may change places), or once every part that does nothing is struck\n"
    "out: a part worth 0 that is added or subtracted, or worth 1 that multiplies\n"
    "or divides. Each different way is shown once, with the fewest brackets, or\n"
    "as what is left with such a part joined last.\n"
    "\n"
    "With no operands, works as a filter on standard input: each non-empty line\n"
    "holds one hand, its numbers separated by blanks, and its result, followed by\n"
    "an empty line, is written before the program waits for more input. A line of\n"
    "four numbers is solved as A B C D above unless -d or -t is given; other lines\n"
    "get the different ways. A malformed line, or one longer than 4096 bytes, is\n"
    "reported with its number and skipped.\n"
    "\n"
    "With --rate, says how hard each hand of four numbers is for a person to make\n"
    "24 from, one line per hand: the hand as given, the score (the seconds an\n"
    "average player needs, by a model fitted on players' recorded times) with one\n"
    "decimal, and the level: 简单, 中等, 困难 or 极难, each a quarter of the solvable\n"
    "hands of cards 1..13; or - and 无解 for a hand without a solution. The three\n"
    "fields are separated by tabs. Hands come as operands or, one per line, on\n"
    "standard input; only hands of four numbers and the target 24 are rated.\n"
    "\n"
    "With --deal N, prints N different solvable hands of cards 1 to 13, one per\n"
    "line, numbers ascending, in random order: of the level L (1 to 4, 简单 to\n"
    "极难, or easy, medium, hard, expert) or of every level; of cards 1 to 10\n"
    "with --cards 10. Asking for more hands than there are gives all of them.\n"
    "The same seed S (a whole number) gives the same hands on every machine;\n"
    "without one, every run differs.\n"
    "\n"
    "Numbers are decimal: an optional sign, digits with an optional fraction and an\n"
    "optional exponent (12, -3, 0.5, 2e1). For the four numbers A B C D they are\n"
    "taken in single precision, so 16777217 reads as 16777216, and one beyond\n"
    "about 3.4e38 in magnitude is refused. For the different ways they are read\n"
    "exactly (0.1 is one tenth) and may be fractions such as 3/4 or -7/2; refused\n"
    "are a fraction over zero and more than 18 digits before or after the decimal\n"
    "point once the exponent is applied (so 1e18 is refused), or above or below\n"
    "the slash. Use -- before operands that could be taken for options.\n"
    "\n"
    "Options:\n"
    "  -d, --distinct    list only the genuinely different ways\n"
    "  -t T, --target T  make T instead of 24 (also --target=T, -tT); implies -d\n"
    "      --rate        rate each hand: its score and level\n"
    "      --deal N      deal N solvable hands\n"
    "      --level L     deal hands of level L only\n"
    "      --cards C     deal from cards 1 to C, 10 or 13 (13 unless given)\n"
    "      --seed S      deal the hands that seed S gives\n"
    "  -h, --help        show this help and exit\n"
    "      --version     show the version and exit\n"
    "\n"
    "Exit status:\n"
    "  0  success\n"
    "  1  an operand is empty\n"
    "  2  a usage error or a malformed input line\n"
    "  3  a read or write error\n";

// Input lines longer than this are refused unread.
constexpr std::size_t kMaxLineLength = 4096;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Writes one line of message to err at once, after whatever out still holds,
// so that the two keep the order of the input when they go to the same place.
void report(std::ostream& out, std::ostream& err, std::string_view message) {
  out.flush();
  std::string line(kProgram);
  line += ": ";
  line += message;
  line += '\n';
  err.write(line.data(), static_cast<std::streamsize>(line.size()));
  err.flush();
}

int usageError(std::ostream& out, std::ostream& err, const std::string& message) {
  report(out, err, message + "; try '" + std::string(kProgram) + " --help'");
  return kUsageError;
}

int ioError(std::ostream& out, std::ostream& err, const std::ios& stream, bool reading) {
  const std::string name = reading ? "standard input: " : "standard output: ";
  report(out, err, name + failureReason(stream, reading));
  return kIoError;
}

// Which solver takes a hand, and for what target.
struct Choice {
  bool distinct = false;  // -d or -t: the distinct solver takes every hand
  std::string_view target = "24";
  bool rate = false;  // --rate: each hand is rated instead

  // A hand of other than four numbers goes to the distinct solver in any
  // case, and a hand to rate is read as the distinct solver reads it.
  bool distinctFor(std::size_t count) const { return distinct || rate || count != 4; }
};

// What is wrong with a field that should hold a number for the solve command,
// if anything. The empty field is left to its input check, which asks for four
// numbers.
std::optional<std::string> solveCommandProblem(std::string_view field) {
  if (field.empty()) return std::nullopt;
  if (!isPlainNumber(field)) return "not a decimal number: " + quoted(field);
  // The solver narrows every number to single precision, as here.
  if (!std::isfinite(static_cast<float>(textToNumber(field)))) {
    return "out of single-precision range (about ±3.4e38): " + quoted(field);
  }
  return std::nullopt;
}

// The same for the distinct solver; the empty field is left to the caller.
std::optional<std::string> distinctProblem(std::string_view field) {
  const std::string most = "more than " + std::to_string(distinct::kMaxDigits) + " digits ";
  switch (distinct::checkNumber(field)) {
    case distinct::NumberProblem::kNone:
    case distinct::NumberProblem::kEmpty:
      return std::nullopt;
    case distinct::NumberProblem::kMalformed:
      return "not an integer, decimal or fraction: " + quoted(field);
    case distinct::NumberProblem::kTooLong:
      if (field.find('/') != std::string_view::npos) {
        return most + "above or below the slash: " + quoted(field);
      }
      return most + "before or after the decimal point, exponent applied: " + quoted(field);
    case distinct::NumberProblem::kZeroDenominator:
      return "a fraction over zero: " + quoted(field);
  }
  return std::nullopt;
}

std::optional<std::string> numberProblem(std::string_view field, bool distinct) {
  return distinct ? distinctProblem(field) : solveCommandProblem(field);
}

// The result lines of a hand whose numbers passed numberProblem.
std::vector<std::string> solveHand(std::span<const std::string_view> numbers, bool distinct,
                                   std::string_view target) {
  if (!distinct) return solve({numbers[0], numbers[1], numbers[2], numbers[3]}).lines;
  return distinct::resultLines(distinct::solve(numbers, target));
}

std::string oneDecimal(double x) {
  const long long tenths = std::llround(x * 10);
  return std::to_string(tenths / 10) + '.' + std::to_string(tenths % 10);
}

// The hand as given, its score and its level, separated by tabs.
std::string ratingLine(std::span<const std::string_view> numbers) {
  const rating::Rating rating = rating::rate(numbers.first<4>());
  std::string line;
  for (std::string_view number : numbers) {
    if (!line.empty()) line += ' ';
    line += number;
  }
  line += '\t';
  line += rating.seconds ? oneDecimal(*rating.seconds) : "-";
  line += '\t';
  line += rating::levelName(rating.level);
  line += '\n';
  return line;
}

std::string rateCount(std::size_t count) {
  return "--rate takes hands of four numbers, got " + std::to_string(count);
}

// Why a hand could not be solved, as the message says it: the distinct solver
// throws only when it runs out of room, its input having been checked.
std::string unsolved(const std::exception& error) {
  return std::string("cannot be solved: ") + error.what();
}

void appendLines(const std::vector<std::string>& lines, std::string& text) {
  for (const std::string& line : lines) {
    text += line;
    text += '\n';
  }
}

int solveOperands(const std::vector<std::string_view>& operands, const Choice& choice,
                  std::ostream& out, std::ostream& err) {
  if (choice.rate && operands.size() != 4) return usageError(out, err, rateCount(operands.size()));
  if (operands.size() > distinct::kMaxNumbers) {
    return usageError(out, err,
                      "expected 1 to " + std::to_string(distinct::kMaxNumbers) + " numbers, got " +
                          std::to_string(operands.size()));
  }
  const bool useDistinct = choice.distinctFor(operands.size());
  for (std::string_view operand : operands) {
    if (const auto problem = numberProblem(operand, useDistinct)) {
      return usageError(out, err, *problem);
    }
  }
  int status = kSuccess;
  std::vector<std::string> lines;
  if (!useDistinct) {
    SolveResult result = solve({operands[0], operands[1], operands[2], operands[3]});
    lines = std::move(result.lines);
    if (result.inputMissing) status = kMissingInput;
  } else {
    for (std::size_t i = 0; i < operands.size(); ++i) {
      if (distinct::checkNumber(operands[i]) == distinct::NumberProblem::kEmpty) {
        report(out, err, "operand " + std::to_string(i + 1) + " is empty");
        return kMissingInput;
      }
    }
    try {
      if (choice.rate) {
        const std::string line = ratingLine(operands);
        out.write(line.data(), static_cast<std::streamsize>(line.size()));
        return out ? kSuccess : ioError(out, err, out, false);
      }
      lines = solveHand(operands, true, choice.target);
    } catch (const std::exception& error) {
      report(out, err, unsolved(error));
      return kUsageError;
    }
  }
  std::string text;
  appendLines(lines, text);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (!out) return ioError(out, err, out, false);
  return status;
}

// One line of input as the batch reads it.
struct Line {
  std::string_view text;
  bool tooLong = false;  // longer than kMaxLineLength; text holds nothing
};

// Reads standard input a line at a time into a buffer of fixed size: a line
// that does not fit is skipped to its end and never held whole.
class LineReader {
 public:
  explicit LineReader(std::istream& in)
      : in_(in), system_(dynamic_cast<const SystemBuffer*>(in.rdbuf())) {}

  // The next line, without its '\n'; nothing at the end of the input or when
  // reading failed.
  std::optional<Line> next() {
    if (in_.eof() || failed()) return std::nullopt;
    in_.getline(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    const auto count = static_cast<std::size_t>(in_.gcount());
    if (failed()) return std::nullopt;
    if (in_.fail() && !in_.eof()) {
      // The buffer filled up before the line ended.
      in_.clear();
      in_.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
      if (failed()) return std::nullopt;
      return Line{{}, true};
    }
    if (count == 0 && in_.eof()) return std::nullopt;
    // gcount() counts the '\n' that ended the line, but not the end of input.
    return Line{{buffer_.data(), in_.eof() ? count : count - 1}, false};
  }

  // True when more input has arrived already, so that reading on cannot wait.
  bool hasMore() const { return !in_.eof() && in_.rdbuf()->in_avail() > 0; }

  // A SystemBuffer reports a failed read as the end of the input.
  bool failed() const { return in_.bad() || (system_ != nullptr && system_->error() != 0); }

 private:
  std::istream& in_;
  const SystemBuffer* system_;
  std::array<char, kMaxLineLength + 1> buffer_{};  // and the terminating NUL getline writes
};

// A non-empty input line on its way through the batch: a hand and then its
// result, or what is wrong with the line.
struct Entry {
  std::array<std::string, distinct::kMaxNumbers> hand;
  std::size_t count = 0;  // the numbers of the hand, or the fields of a line with too many
  bool distinct = false;  // for the distinct solver
  std::uintmax_t lineNumber = 0;
  std::string problem;  // with the line number
  std::string block;    // the result lines, each ended by '\n', and an empty line
};

// Splits a line into the numbers of a hand; the problem with it otherwise.
std::optional<std::string> splitHand(std::string_view line, const Choice& choice, Entry& entry) {
  entry.count = 0;
  for (std::size_t i = 0; i < line.size();) {
    while (i < line.size() && isBlank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !isBlank(line[i])) ++i;
    if (i == start) break;
    if (entry.count < entry.hand.size()) entry.hand[entry.count] = line.substr(start, i - start);
    ++entry.count;
  }
  if (entry.count == 0) return std::nullopt;
  if (entry.count > entry.hand.size()) {
    return "expected 1 to " + std::to_string(entry.hand.size()) +
           " numbers separated by blanks, got " + std::to_string(entry.count);
  }
  if (choice.rate && entry.count != 4) return rateCount(entry.count);
  entry.distinct = choice.distinctFor(entry.count);
  for (std::size_t k = 0; k < entry.count; ++k) {
    if (auto problem = numberProblem(entry.hand[k], entry.distinct)) return problem;
  }
  return std::nullopt;
}

// At most this much work of lines that have already arrived is solved
// together. A line counts 1, but the distinct solver's hands of five numbers
// count 16 and larger ones 256: they take milliseconds to seconds, and their
// results, held until the batch is out, can be large.
constexpr std::size_t kWorkTogether = 512;

std::size_t workOf(const Entry& entry) {
  if (!entry.problem.empty() || !entry.distinct || entry.count < 5) return 1;
  return entry.count == 5 ? 16 : 256;
}

void solveEntry(Entry& entry, const Choice& choice) {
  if (!entry.problem.empty()) return;
  std::array<std::string_view, distinct::kMaxNumbers> numbers;
  std::copy_n(entry.hand.begin(), entry.count, numbers.begin());
  const std::span<const std::string_view> hand(numbers.data(), entry.count);
  try {
    if (choice.rate) {
      entry.block = ratingLine(hand);
      return;
    }
    appendLines(solveHand(hand, entry.distinct, choice.target), entry.block);
    entry.block += '\n';
  } catch (const std::exception& error) {
    entry.problem = "line " + std::to_string(entry.lineNumber) + ": " + unsolved(error);
  }
}

// Solves the hands of the entries on two threads, each taking the next one
// that nobody has taken yet.
void solveEntries(std::span<Entry> entries, const Choice& choice) {
  std::atomic<std::size_t> next = 0;
  const auto work = [&] {
    for (std::size_t i = next++; i < entries.size(); i = next++) solveEntry(entries[i], choice);
  };
  if (entries.size() < 2) {
    work();
    return;
  }
  std::thread helper([&] {
    useDefaultFloatingPoint();
    work();
  });
  work();
  helper.join();
}

// Lines are taken together while they have arrived already and then solved on
// both cores; a line that has to be waited for is not, so each line's result
// is out before the program waits for the next one. Results and messages go
// out in the order of the input.
int solveBatch(const Choice& choice, std::istream& in, std::ostream& out, std::ostream& err) {
  LineReader reader(in);
  int status = kSuccess;
  std::vector<Entry> entries(kWorkTogether);
  std::uintmax_t lineNumber = 0;
  for (bool more = true; more;) {
    std::size_t count = 0;
    std::size_t work = 0;
    do {
      const std::optional<Line> line = reader.next();
      if (!line) {
        more = false;
        break;
      }
      ++lineNumber;
      std::string_view text = line->text;
      if (lineNumber == 1 && text.starts_with(kByteOrderMark)) text.remove_prefix(3);
      if (text.ends_with('\r')) text.remove_suffix(1);  // a line ended by CR LF

      Entry& entry = entries[count];
      std::optional<std::string> problem;
      if (line->tooLong) {
        problem = "longer than " + std::to_string(kMaxLineLength) + " bytes";
      } else {
        problem = splitHand(text, choice, entry);
      }
      if (!problem && entry.count == 0) continue;
      entry.lineNumber = lineNumber;
      entry.problem = problem ? "line " + std::to_string(lineNumber) + ": " + *problem : "";
      entry.block.clear();
      work += workOf(entry);
      ++count;
    } while (work < kWorkTogether && reader.hasMore());

    const std::span<Entry> batch(entries.data(), count);
    solveEntries(batch, choice);
    for (Entry& entry : batch) {
      if (!entry.problem.empty()) {
        report(out, err, entry.problem);
        status = kUsageError;
      } else {
        out.write(entry.block.data(), static_cast<std::streamsize>(entry.block.size()));
      }
      if (!out) return ioError(out, err, out, false);
      // Memory stays bounded: no entry keeps the room of an unusually long result.
      if (entry.block.capacity() > kMaxLineLength) std::string().swap(entry.block);
    }
  }
  if (reader.failed()) return ioError(out, err, in, true);
  return status;
}

// A whole number of decimal digits and nothing else; at most the largest
// number the type holds when clamp, else nothing when it is larger.
std::optional<std::uint64_t> wholeNumber(std::string_view text, bool clamp) {
  std::uint64_t value = 0;
  if (text.empty()) return std::nullopt;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (value > (UINT64_MAX - digit) / 10) {
      if (!clamp) return std::nullopt;
      value = UINT64_MAX;
      continue;
    }
    value = value * 10 + digit;
  }
  return value;
}

// --deal N [--level L] [--cards C] [--seed S]: the hands, one per line.
int dealHands(const Options& options, std::ostream& out, std::ostream& err) {
  if (options.rate) return usageError(out, err, "--rate and --deal do not go together");
  if (options.distinct)
    return usageError(out, err, "--deal deals hands for 24: leave out -d and -t");
  if (!options.operands.empty()) return usageError(out, err, "--deal takes no hands");
  const std::optional<std::uint64_t> count = wholeNumber(*options.deal, true);
  if (!count || *count == 0) {
    return usageError(out, err, "--deal: not a number of hands above 0: " + quoted(*options.deal));
  }
  std::vector<rating::Level> levels(rating::kLevels.begin(), rating::kLevels.end());
  if (options.level) {
    const std::optional<rating::Level> level = rating::readLevel(*options.level);
    if (!level) {
      return usageError(out, err,
                        "--level: not 1 to 4, 简单, 中等, 困难, 极难, easy, medium, hard or "
                        "expert: " +
                            quoted(*options.level));
    }
    levels = {*level};
  }
  int highest = 13;
  if (options.cards) {
    if (*options.cards != "10" && *options.cards != "13") {
      return usageError(out, err, "--cards: not 10 or 13: " + quoted(*options.cards));
    }
    highest = *options.cards == "10" ? 10 : 13;
  }
  std::uint64_t seed = 0;
  if (options.seed) {
    const std::optional<std::uint64_t> given = wholeNumber(*options.seed, false);
    if (!given) {
      return usageError(
          out, err,
          "--seed: not a whole number from 0 to 18446744073709551615: " + quoted(*options.seed));
    }
    seed = *given;
  } else {
    seed = rating::randomSeed();
  }
  const std::size_t most = static_cast<std::size_t>(std::min<std::uint64_t>(*count, SIZE_MAX));
  std::string text;
  for (const rating::Hand& hand : rating::deal(most, levels, highest, seed)) {
    text += std::to_string(hand[0]) + ' ' + std::to_string(hand[1]) + ' ' +
            std::to_string(hand[2]) + ' ' + std::to_string(hand[3]) + '\n';
  }
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  return out ? kSuccess : ioError(out, err, out, false);
}

}  // namespace

int run(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out,
        std::ostream& err) {
  // Whatever was written is only a success once it has reached its file.
  const auto finish = [&](int status) {
    out.flush();
    return out ? status : ioError(out, err, out, false);
  };
  const Options options = parseOptions(args);
  if (!options.error.empty()) return usageError(out, err, options.error);
  if (options.action == Options::Action::kHelp) {
    out << kHelp;
    return finish(kSuccess);
  }
  if (options.action == Options::Action::kVersion) {
    out << kProgram << ' ' << VANTREL_VERSION << '\n';
    return finish(kSuccess);
  }
  if (options.deal) return finish(dealHands(options, out, err));
  for (const auto& [given, name] :
       {std::pair{options.level, "--level"}, std::pair{options.cards, "--cards"},
        std::pair{options.seed, "--seed"}}) {
    if (given) return usageError(out, err, std::string(name) + " goes with --deal");
  }
  Choice choice{options.distinct};
  choice.rate = options.rate;
  if (options.target) {
    if (distinct::checkNumber(*options.target) == distinct::NumberProblem::kEmpty) {
      return usageError(out, err, "target: empty");
    }
    if (const auto problem = distinctProblem(*options.target)) {
      return usageError(out, err, "target: " + *problem);
    }
    choice.target = *options.target;
    distinct::ExactNumber target;
    distinct::readNumber(*options.target, target);
    if (options.rate && !(target.numerator == 24 && target.denominator == 1 && !target.negative)) {
      return usageError(out, err, "--rate rates hands for the target 24 only");
    }
  }
  const int status = options.operands.empty() ? solveBatch(choice, in, out, err)
                                              : solveOperands(options.operands, choice, out, err);
  return status == kIoError ? status : finish(status);
}

}  // namespace vantrel::cli
