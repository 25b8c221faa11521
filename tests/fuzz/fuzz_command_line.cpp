// libFuzzer target: vantrel-solve's front end on arbitrary arguments and
// standard input, in process with string streams.
//
// The first byte of the fuzz input says how many arguments follow (its value
// modulo 6) and how many bytes each read of standard input gets (1 to 32,
// from its upper bits), so that lines, the byte-order mark and the line bound
// fall across reads. The arguments follow, each ended by a NUL; what is left
// is standard input.
//
// Every run is checked against the rules of the program: an exit status for
// each outcome, messages of one bounded line that no input can write control
// characters through, output that is the solvers' and nothing else, and, when
// the arguments take only the forms -d, --distinct, --target=T and "--",
// the results of a plain reading of the same operands or lines.
//
// Inputs that would give the distinct solver a hand of six or seven numbers,
// or more than eight of five, are passed over: those take long.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <optional>
#include <span>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "distinct/distinct.h"
#include "platform/number_text.h"
#include "solver/solve.h"

namespace {

// Standard input handed out a few bytes at a time.
class Trickle : public std::streambuf {
 public:
  Trickle(std::string_view text, std::size_t chunk) : text_(text), chunk_(chunk) {}

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (position_ == text_.size()) return traits_type::eof();
    const std::size_t size = std::min(chunk_, text_.size() - position_);
    char* start = const_cast<char*>(text_.data() + position_);
    setg(start, start, start + size);
    position_ += size;
    return traits_type::to_int_type(*gptr());
  }

 private:
  std::string_view text_;
  std::size_t chunk_;
  std::size_t position_ = 0;
};

[[noreturn]] void fail(const char* rule, const std::string& detail) {
  std::fprintf(stderr, "\nvantrel-solve broke a rule: %s\n%s\n", rule, detail.c_str());
  std::abort();
}

// Well-formed UTF-8 without control characters other than '\n'.
bool isCleanText(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (lead >= 0x80 && (lead < 0xC2 || lead > 0xF4 || i + length > text.size())) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    if ((lead < 0x20 && lead != '\n') || lead == 0x7F) return false;
    if (lead == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) return false;
    i += length;
  }
  return true;
}

std::vector<std::string_view> linesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    lines.push_back(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return lines;
}

void checkMessages(std::string_view err) {
  for (std::string_view line : linesOf(err)) {
    if (!line.starts_with("vantrel-solve: "))
      fail("a message without the program's name", std::string(line));
    // The program's name, a line number, the reason and 40 bytes quoted,
    // each escaped as four.
    if (line.size() > 280) fail("a message longer than the bound", std::string(line));
  }
  if (!err.empty() && !err.ends_with('\n'))
    fail("a message without its line end", std::string(err));
  if (!isCleanText(err)) fail("control characters or bad UTF-8 in a message", std::string(err));
}

// The blank-separated fields of a line.
std::vector<std::string_view> fieldsOf(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t i = 0; i < line.size();) {
    const std::size_t start = i;
    while (i < line.size() && !vantrel::isBlank(line[i])) ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
    if (i < line.size()) ++i;
  }
  return fields;
}

bool isNumber(std::string_view field) {
  return vantrel::isPlainNumber(field) &&
         std::isfinite(static_cast<float>(vantrel::textToNumber(field)));
}

bool isDistinctNumber(std::string_view field) {
  return vantrel::distinct::checkNumber(field) == vantrel::distinct::NumberProblem::kNone;
}

std::string blockOf(const vantrel::InputTexts& hand) {
  std::string block;
  for (const std::string& line : vantrel::solve(hand).lines) block += line + '\n';
  return block;
}

std::string distinctBlockOf(std::span<const std::string_view> hand, std::string_view target) {
  std::string block;
  for (const std::string& line :
       vantrel::distinct::resultLines(vantrel::distinct::solve(hand, target))) {
    block += line + '\n';
  }
  return block;
}

// The arguments when they take only the plain forms.
struct PlainArgs {
  bool distinct = false;
  std::string_view target = "24";
  std::vector<std::string_view> operands;
};

std::optional<PlainArgs> plainArgs(const std::vector<std::string_view>& args) {
  PlainArgs plain;
  bool ended = false;
  for (std::string_view arg : args) {
    if (!ended && arg == "--") {
      ended = true;
    } else if (!ended && (arg == "-d" || arg == "--distinct")) {
      plain.distinct = true;
    } else if (!ended && arg.starts_with("--target=")) {
      plain.distinct = true;
      plain.target = arg.substr(9);
    } else if (!ended && arg.size() > 1 && arg[0] == '-') {
      return std::nullopt;
    } else {
      plain.operands.push_back(arg);
    }
  }
  return plain;
}

// Standard input read the plain way: what the output must be, and how many
// lines are malformed.
std::string expectedBatch(std::string_view input, const PlainArgs& plain, std::size_t& malformed) {
  std::string out;
  malformed = 0;
  bool first = true;
  for (std::string_view line : linesOf(input)) {
    const bool tooLong = line.size() > 4096;
    if (first && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
    first = false;
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::vector<std::string_view> fields = fieldsOf(line);
    if (!tooLong && fields.empty()) continue;
    const bool distinct = plain.distinct || fields.size() != 4;
    if (tooLong || fields.size() > 7 ||
        !std::ranges::all_of(fields, distinct ? isDistinctNumber : isNumber)) {
      ++malformed;
      continue;
    }
    out += distinct ? distinctBlockOf(fields, plain.target)
                    : blockOf({fields[0], fields[1], fields[2], fields[3]});
    out += '\n';
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::size_t argCount = static_cast<std::size_t>(data[0]) % 6;
  const std::size_t chunk = 1 + static_cast<std::size_t>(data[0] >> 3);
  std::string_view rest = bytes.substr(1);
  std::vector<std::string_view> args;
  while (args.size() < argCount && !rest.empty()) {
    const std::size_t end = std::min(rest.find('\0'), rest.size());
    args.push_back(rest.substr(0, end));
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }

  std::size_t fives = 0;
  for (std::string_view line : linesOf(rest)) {
    const std::size_t count = fieldsOf(line).size();
    if (count == 6 || count == 7 || (count == 5 && ++fives > 8)) return -1;
  }

  Trickle inBuffer(rest, chunk);
  std::istream in(&inBuffer);
  std::ostringstream out;
  std::ostringstream err;
  const int status = vantrel::cli::run(args, in, out, err);

  std::string detail = "status " + std::to_string(status) + "\nargs:";
  for (std::string_view arg : args) detail += " [" + std::string(arg) + "]";
  detail += "\nstdout:\n" + out.str() + "stderr:\n" + err.str();

  if (status < 0 || status > 2) fail("an exit status that no outcome here has", detail);
  checkMessages(err.str());
  if (!isCleanText(out.str())) fail("control characters or bad UTF-8 in the output", detail);
  if ((status == 0 && !err.str().empty()) || (status == 2 && err.str().empty()))
    fail("messages with status 0, or status 2 without one", detail);

  const std::optional<PlainArgs> plain = plainArgs(args);
  if (!plain) return 0;
  if (!isDistinctNumber(plain->target)) {
    if (status != 2 || !out.str().empty()) fail("a target refused but not reported", detail);
    return 0;
  }
  if (plain->operands.empty()) {
    std::size_t malformed = 0;
    const std::string expected = expectedBatch(rest, *plain, malformed);
    if (out.str() != expected) fail("the output differs from the lines read the plain way", detail);
    if (std::ranges::count(err.str(), '\n') != static_cast<std::ptrdiff_t>(malformed)) {
      fail("not one message for each malformed line", detail);
    }
    return 0;
  }
  const std::vector<std::string_view>& operands = plain->operands;
  const bool fourNumbers = operands.size() == 4 && !plain->distinct;
  using vantrel::distinct::NumberProblem;
  const auto refused = [&](std::string_view field) {
    if (fourNumbers) return !field.empty() && !isNumber(field);
    const NumberProblem problem = vantrel::distinct::checkNumber(field);
    return problem != NumberProblem::kNone && problem != NumberProblem::kEmpty;
  };
  const auto empty = [&](std::string_view field) {
    return fourNumbers ? field.empty()
                       : vantrel::distinct::checkNumber(field) == NumberProblem::kEmpty;
  };
  const int expectedStatus = operands.size() > 7 || std::ranges::any_of(operands, refused) ? 2
                             : std::ranges::any_of(operands, empty)                        ? 1
                                                                                           : 0;
  if (status != expectedStatus) fail("an exit status other than the operands call for", detail);
  if (status != 0) {
    if (std::ranges::count(err.str(), '\n') > 1) fail("an error in more than one line", detail);
    if (status == 2 && !out.str().empty()) fail("output beside a usage error", detail);
    if (status == 1 && !fourNumbers && !out.str().empty()) fail("output beside an error", detail);
    if (status == 1 && fourNumbers &&
        out.str() != blockOf({operands[0], operands[1], operands[2], operands[3]}))
      fail("not the missing-input line", detail);
    return 0;
  }
  if (fourNumbers && out.str() != blockOf({operands[0], operands[1], operands[2], operands[3]}))
    fail("the output differs from the solve command's lines", detail);
  if (!fourNumbers && out.str() != distinctBlockOf(operands, plain->target))
    fail("the output differs from the distinct solver's lines", detail);
  return 0;
}
