#pragma once

// Solutions that a player sees as one idea. The idea of a solution is what is
// left once every part that does nothing is struck out: a part worth 0 that
// is added or subtracted, or a part worth 1 that multiplies or divides,
// whatever it is made of and wherever it is.
//
// In the search's terms: a form holds such a neutral part N at a node R + N,
// N + R, R - N, R × N, N × R or R / N (N - R and N / R never count), unless R
// is a single number worth what N is worth (then that number is the neutral
// part). A step goes from a class to the class of one of its forms with such
// a node replaced by R. For a target of 0, Z × R, R × Z and Z / R with Z worth
// 0 and R not may also be replaced by Z, and a solution and its negation are
// one idea. Steps take numbers away, so they end; the classes where they end
// are a class's remainders (a class without a step is its own). Two solutions
// are one idea when, after an exchange of equal numbers, their remainders
// share a class, and so on through a third.
//
// That makes the ideas the connected parts of the graph whose nodes are the
// classes reached from the solutions by steps (over fewer numbers too) and
// whose edges are the steps, exchanges and negations.

#include <cstddef>
#include <functional>
#include <span>
#include <vector>

#include "distinct/exchanges.h"
#include "distinct/forms.h"
#include "distinct/search.h"

namespace vantrel::distinct {

struct IdeaList {
  std::vector<std::size_t> ideaOf;  // for each solution of the search, in its order
  std::vector<FormId> written;      // for each idea, how it is written
};

// The ideas of the solutions of search, which has run to target keeping its
// steps. exchanges tells classes that are the same once equal numbers change
// places; sameAs gives, for each solution, the solution that stands for its
// exchanges; before is the order in which forms are chosen. Forms are stored
// into forms. False when the search's arithmetic can no longer hold a number.
//
// An idea whose solutions have no step is written as the best of their forms.
// Any other is written as one of its remainders, R, with a neutral part N of
// the numbers struck out joined to it at the top and written last: R + N,
// R - N, R × N or R / N, where N is worth 0 for + and -, 1 for × and /, or,
// for a target of 0, anything but 0 for × and /. Of these, the one with the
// fewest brackets, then the fewest - and /, then + before - before × before
// /, then by the order of R and then of N.
template <class Arithmetic>
bool findIdeas(Search<Arithmetic>& search, const typename Arithmetic::Number& target, Forms& forms,
               const Exchanges& exchanges, std::span<const std::size_t> sameAs,
               const std::function<bool(FormId, FormId)>& before, IdeaList& ideas);

}  // namespace vantrel::distinct
