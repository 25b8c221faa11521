#include "cli/command_line.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <istream>
#include <limits>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <thread>

#include "cli/quoted.h"
#include "cli/system_streams.h"
#include "platform/fp_environment.h"
#include "platform/number_text.h"
#include "solver/solve.h"

namespace vantrel::cli {

namespace {

constexpr std::string_view kProgram = "vantrel-solve";

constexpr std::string_view kHelp =
    "Usage: vantrel-solve A B C D\n"
    "       vantrel-solve < FILE\n"
    "\n"
    "Prints every way of making 24 from the four numbers A B C D with + - × / and\n"
    "brackets, one expression per line, followed by a line that counts them.\n"
    "\n"
    "With no operands, works as a filter on standard input: each non-empty line\n"
    "holds four numbers separated by blanks, and its result, followed by an empty\n"
    "line, is written before the program waits for more input. A malformed line,\n"
    "or one longer than 4096 bytes, is reported with its number and skipped.\n"
    "\n"
    "Numbers are decimal: an optional sign, digits with an optional fraction and an\n"
    "optional exponent (12, -3, 0.5, 2e1). They are taken in single precision, so\n"
    "16777217 reads as 16777216, and one beyond about 3.4e38 in magnitude is\n"
    "refused. Use -- before operands that could be taken for options.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n"
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

// What is wrong with a field that should hold a number, if anything. The empty
// field is left to the solver's input check, which asks for four numbers.
std::optional<std::string> numberProblem(std::string_view field) {
  if (field.empty()) return std::nullopt;
  if (!isPlainNumber(field)) return "not a decimal number: " + quoted(field);
  // The solver narrows every number to single precision, as here.
  if (!std::isfinite(static_cast<float>(textToNumber(field)))) {
    return "out of single-precision range (about ±3.4e38): " + quoted(field);
  }
  return std::nullopt;
}

void appendLines(const std::vector<std::string>& lines, std::string& text) {
  for (const std::string& line : lines) {
    text += line;
    text += '\n';
  }
}

int solveOperands(const std::vector<std::string_view>& operands, std::ostream& out,
                  std::ostream& err) {
  if (operands.size() != 4) {
    return usageError(out, err, "expected four numbers, got " + std::to_string(operands.size()));
  }
  for (std::string_view operand : operands) {
    if (const auto problem = numberProblem(operand)) return usageError(out, err, *problem);
  }
  const SolveResult result = solve({operands[0], operands[1], operands[2], operands[3]});
  std::string text;
  appendLines(result.lines, text);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (!out) return ioError(out, err, out, false);
  return result.inputMissing ? kMissingInput : kSuccess;
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

// Splits a line into the four fields of a hand; the problem with it otherwise.
std::optional<std::string> splitHand(std::string_view line, std::array<std::string, 4>& hand,
                                     std::size_t& fieldCount) {
  fieldCount = 0;
  for (std::size_t i = 0; i < line.size();) {
    while (i < line.size() && isBlank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !isBlank(line[i])) ++i;
    if (i == start) break;
    if (fieldCount < hand.size()) hand[fieldCount] = line.substr(start, i - start);
    ++fieldCount;
  }
  if (fieldCount == 0) return std::nullopt;
  if (fieldCount != hand.size()) {
    return "expected four numbers separated by blanks, got " + std::to_string(fieldCount);
  }
  for (std::string_view field : hand) {
    if (auto problem = numberProblem(field)) return problem;
  }
  return std::nullopt;
}

// A non-empty input line on its way through the batch: a hand and then its
// result, or what is wrong with the line.
struct Entry {
  std::array<std::string, 4> hand;
  std::string problem;  // with the line number
  std::string block;    // the result lines, each ended by '\n', and an empty line
};

// At most this many lines that have already arrived are solved together.
constexpr std::size_t kLinesTogether = 512;

// Solves the hands of the entries, every other one on a second thread.
void solveEntries(std::span<Entry> entries) {
  const auto solveEvery2nd = [&entries](std::size_t first) {
    for (std::size_t i = first; i < entries.size(); i += 2) {
      Entry& entry = entries[i];
      if (!entry.problem.empty()) continue;
      appendLines(solve({entry.hand[0], entry.hand[1], entry.hand[2], entry.hand[3]}).lines,
                  entry.block);
      entry.block += '\n';
    }
  };
  if (entries.size() < 2) {
    solveEvery2nd(0);
    return;
  }
  std::thread helper([&] {
    useDefaultFloatingPoint();
    solveEvery2nd(1);
  });
  solveEvery2nd(0);
  helper.join();
}

// Lines are taken together while they have arrived already and then solved on
// both cores; a line that has to be waited for is not, so each line's result
// is out before the program waits for the next one. Results and messages go
// out in the order of the input.
int solveBatch(std::istream& in, std::ostream& out, std::ostream& err) {
  LineReader reader(in);
  int status = kSuccess;
  std::vector<Entry> entries(kLinesTogether);
  std::uintmax_t lineNumber = 0;
  for (bool more = true; more;) {
    std::size_t count = 0;
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
      std::size_t fieldCount = 0;
      std::optional<std::string> problem;
      if (line->tooLong) {
        problem = "longer than " + std::to_string(kMaxLineLength) + " bytes";
      } else {
        problem = splitHand(text, entry.hand, fieldCount);
      }
      if (!problem && fieldCount == 0) continue;
      entry.problem = problem ? "line " + std::to_string(lineNumber) + ": " + *problem : "";
      entry.block.clear();
      ++count;
    } while (count < entries.size() && reader.hasMore());

    const std::span<Entry> batch(entries.data(), count);
    solveEntries(batch);
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

}  // namespace

int run(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out,
        std::ostream& err) {
  // Whatever was written is only a success once it has reached its file.
  const auto finish = [&](int status) {
    out.flush();
    return out ? status : ioError(out, err, out, false);
  };
  std::vector<std::string_view> operands;
  bool optionsEnded = false;
  for (std::string_view arg : args) {
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && (arg == "-h" || arg == "--help")) {
      out << kHelp;
      return finish(kSuccess);
    } else if (!optionsEnded && arg == "--version") {
      out << kProgram << ' ' << VANTREL_VERSION << '\n';
      return finish(kSuccess);
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-' && !isPlainNumber(arg)) {
      return usageError(out, err, "unknown option " + quoted(arg));
    } else {
      operands.push_back(arg);
    }
  }
  const int status =
      operands.empty() ? solveBatch(in, out, err) : solveOperands(operands, out, err);
  return status == kIoError ? status : finish(status);
}

}  // namespace vantrel::cli
