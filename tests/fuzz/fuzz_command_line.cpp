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
// characters through, output that is the solvers' and nothing else, and in
// batch mode the results of a plain reading of the same lines; rated hands
// in their three fields, dealt hands four ascending cards, each once. Inputs that
// would give the distinct solver a hand of six or seven numbers, or more than
// eight of five, are passed over: those take long.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <istream>
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

// Well-formed UTF-8 without control characters other than '\n' (and '\t'
// where tabs are allowed).
bool isCleanText(std::string_view text, bool tabs = false) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (lead >= 0x80 && (lead < 0xC2 || lead > 0xF4 || i + length > text.size())) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    if ((lead < 0x20 && lead != '\n' && (lead != '\t' || !tabs)) || lead == 0x7F) return false;
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

// The lines of the solve command for four numbers, else of the distinct solver.
std::string blockOf(const std::vector<std::string_view>& hand) {
  std::vector<std::string> lines =
      hand.size() == 4 ? vantrel::solve({hand[0], hand[1], hand[2], hand[3]}).lines
                       : vantrel::distinct::resultLines(vantrel::distinct::solve(hand, "24"));
  std::string block;
  for (const std::string& line : lines) block += line + '\n';
  return block;
}

// Standard input read the plain way: what the output must be, and how many
// lines are malformed.
std::string expectedBatch(std::string_view input, std::size_t& malformed) {
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
    if (tooLong || fields.size() > 7 ||
        !std::ranges::all_of(fields, fields.size() == 4 ? isNumber : isDistinctNumber)) {
      ++malformed;
      continue;
    }
    out += blockOf(fields) + '\n';
  }
  return out;
}

// --rate: the hand, a score with one decimal or "-", and its level.
void checkRated(std::string_view out, const std::string& detail) {
  for (std::string_view line : linesOf(out)) {
    const std::size_t first = line.find('\t');
    const std::size_t last = line.rfind('\t');
    if (first == std::string_view::npos || first == last)
      fail("a rated line without three fields", detail);
    const std::string_view score = line.substr(first + 1, last - first - 1);
    const std::string_view level = line.substr(last + 1);
    const bool none = level == "无解";
    if (!none && level != "简单" && level != "中等" && level != "困难" && level != "极难") {
      fail("a rated line without a level", detail);
    }
    const bool oneDecimal =
        score.size() >= 3 && score[score.size() - 2] == '.' &&
        std::ranges::all_of(score, [](char c) { return c == '.' || (c >= '0' && c <= '9'); });
    if (none ? score != "-" : !oneDecimal) fail("a score that does not fit its level", detail);
  }
}

// --deal: four ascending cards from 1 to 13 a line, no hand twice.
void checkDealt(std::string_view out, const std::string& detail) {
  std::vector<std::string_view> hands = linesOf(out);
  for (std::string_view line : hands) {
    int a = 0, b = 0, c = 0, d = 0;
    const std::string text(line);
    if (std::sscanf(text.c_str(), "%d %d %d %d", &a, &b, &c, &d) != 4 ||
        !(1 <= a && a <= b && b <= c && c <= d && d <= 13)) {
      fail("a dealt line that is not a hand of four cards", detail);
    }
  }
  std::ranges::sort(hands);
  if (std::ranges::adjacent_find(hands) != hands.end()) fail("a hand dealt twice", detail);
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
  const bool rate = std::ranges::find(args, "--rate") != args.end();
  const bool deal =
      std::ranges::any_of(args, [](std::string_view arg) { return arg.starts_with("--deal"); });
  if (!isCleanText(out.str(), rate)) fail("control characters or bad UTF-8 in the output", detail);
  if (status == 0 && rate && !deal) checkRated(out.str(), detail);
  if (status == 0 && deal && !out.str().starts_with("Usage:")) checkDealt(out.str(), detail);
  // Status 1: the missing-input line of the solve command, or the distinct solver's message.
  const bool quiet = err.str().empty();
  if ((status == 0 && !quiet) || (status == 2 && quiet) ||
      (status == 1 && quiet == out.str().empty()))
    fail("messages with status 0, an error without one, or status 1 with both or neither", detail);

  const bool batch = args.empty() || (args.size() == 1 && args[0] == "--");
  if (batch) {
    std::size_t malformed = 0;
    const std::string expected = expectedBatch(rest, malformed);
    if (out.str() != expected) fail("the output differs from the lines read the plain way", detail);
    if (std::ranges::count(err.str(), '\n') != static_cast<std::ptrdiff_t>(malformed)) {
      fail("not one message for each malformed line", detail);
    }
    return 0;
  }
  // Operands solved, or help or version; with options, only the rules above.
  std::vector<std::string_view> operands;
  for (std::string_view arg : args) {
    if (arg == "--") continue;
    if (arg.starts_with('-') && arg.size() > 1 && !isNumber(arg) && !isDistinctNumber(arg)) {
      return 0;
    }
    operands.push_back(arg);
  }
  if (status == 2) {
    if (!out.str().empty()) fail("output beside a usage error", detail);
    if (std::ranges::count(err.str(), '\n') != 1)
      fail("a usage error in more than one line", detail);
    return 0;
  }
  if (status == 0 && out.str() != blockOf(operands) && !out.str().starts_with("Usage:") &&
      !out.str().starts_with("vantrel-solve ")) {
    fail("the output differs from the solvers' lines", detail);
  }
  return 0;
}
