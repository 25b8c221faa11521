#pragma once

// The solve command done the plain way, for comparison with the real one:
// a scalar step-by-step evaluation of every template, the repeat test from the
// hand-written list of slot pairs below, and the quadratic removal of
// repeated lines.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "solver/template_sweep.h"

namespace vantrel::testing {

// The 24 arrangements as written by hand: the slots that a, b, c, d go into,
// and the pairs of slots of which at least one must differ for the
// arrangement to run ("" for the first, which always runs).
struct ListedArrangement {
  std::string_view slots;
  std::string_view pairs;  // e.g. "BC BD CD"
};
extern const std::array<ListedArrangement, 24> kListedArrangements;

// The templates matching for these slots, as numbers 1..160, evaluated one by
// one without vector arithmetic and with the match test as first written.
std::vector<int> referenceMatches(const Slots& slots);

// Every line that the sweeps append, before repeats are removed; also which
// arrangements (1..24) ran.
struct RawLines {
  std::vector<std::string> lines;
  std::vector<int> arrangements;
};
RawLines referenceRawLines(const std::array<std::string_view, 4>& texts);

// The whole command: input check, sweeps, quadratic repeat removal, summary.
std::vector<std::string> referenceSolve(const std::array<std::string_view, 4>& texts);

// Removes repeats by comparing every pair of lines, first copy kept.
void removeRepeatsQuadratic(std::vector<std::string>& lines);

}  // namespace vantrel::testing
