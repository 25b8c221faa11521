#include "distinct/ideas.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <optional>
#include <unordered_map>

#include "distinct/arithmetic.h"
#include "distinct/fingerprint.h"

namespace vantrel::distinct {

namespace {

// The nodes of the graph, and which of them are joined. A node is a class up
// to exchanges of numbers written alike: the search's class kept for them,
// known by the shape of its best form, or, where the search has none, a
// class by its numbers and fingerprint.
class Graph {
 public:
  struct Node {
    std::uint32_t mask;
    ClassId id;  // kNoClass where the search has none
  };

  // The node, and whether it is new.
  std::pair<std::uint32_t, bool> node(std::uint64_t key, std::uint32_t mask, ClassId id) {
    const auto [place, fresh] = index_.try_emplace(key, static_cast<std::uint32_t>(nodes_.size()));
    if (fresh) {
      nodes_.push_back({mask, id});
      parent_.push_back(place->second);
    }
    return {place->second, fresh};
  }
  const Node& at(std::uint32_t node) const { return nodes_[node]; }
  std::uint32_t size() const { return static_cast<std::uint32_t>(nodes_.size()); }

  std::uint32_t root(std::uint32_t node) {
    while (parent_[node] != node) node = parent_[node] = parent_[parent_[node]];
    return node;
  }
  void join(std::uint32_t a, std::uint32_t b) {
    a = root(a);
    b = root(b);
    if (a != b) parent_[std::max(a, b)] = std::min(a, b);
  }

 private:
  std::vector<Node> nodes_;
  std::vector<std::uint32_t> parent_;
  std::unordered_map<std::uint64_t, std::uint32_t> index_;
};

// The way to write an idea whose solutions have steps: one of its remainders
// (given by their graph nodes) with a neutral part of the other numbers joined
// at the top; nullopt where there is none.
template <class Arithmetic>
std::optional<FormId> joinedForm(Search<Arithmetic>& search, const Graph& graph,
                                 std::span<const std::uint32_t> remainders, bool absorbs,
                                 Forms& forms) {
  const auto all = static_cast<std::uint32_t>((1u << search.cardCount()) - 1);
  // The best way, and its operation: + - × /.
  std::optional<std::pair<Forms::Draft, int>> chosen;
  const auto consider = [&](FormId remainder, FormId neutral, int operation) {
    Forms::Draft draft(operation < 2 ? Kind::kSum : Kind::kProduct);
    draft.join(forms, remainder, false);
    draft.join(forms, neutral, operation % 2 == 1);
    if (chosen) {
      const FormView a = draft.view();
      const FormView b = chosen->first.view();
      if (a.brackets != b.brackets) {
        if (a.brackets > b.brackets) return;
      } else if (a.inverses != b.inverses) {
        if (a.inverses > b.inverses) return;
      } else if (operation != chosen->second) {
        if (operation > chosen->second) return;
      } else if (forms.compare(a, false, b, false) >= 0) {
        return;
      }
    }
    chosen.emplace(draft, operation);
  };
  // Each way of writing a class, by the kind of its top.
  const auto waysOf = [&](ClassId id) {
    const FormClass& c = search.formClass(id);
    std::vector<FormId> ways;
    for (FormId form : {c.sum, c.product, c.number}) {
      if (form != kNoForm) ways.push_back(form);
    }
    return ways;
  };
  for (std::uint32_t node : remainders) {
    const ClassId remainder = graph.at(node).id;
    const std::uint32_t struck = all & ~graph.at(node).mask;
    // A single number worth what the neutral part is worth would be the
    // neutral part itself.
    const bool card = remainder < search.cardCount();
    std::vector<ClassId> zeros;
    std::vector<ClassId> ones;
    if (!(card && Arithmetic::isZero(search.cardValue(remainder)))) {
      const auto found = search.classesOf(struck, Arithmetic::number(0));
      zeros.assign(found.begin(), found.end());
    }
    if (!(card && Arithmetic::isOne(search.cardValue(remainder)))) {
      const auto found = search.classesOf(struck, Arithmetic::number(1));
      ones.assign(found.begin(), found.end());
    }
    if (absorbs) {
      // Of the parts that a zero absorbs, the product has the fewest brackets
      // and - and /, where it is not zero itself.
      bool nonzero = true;
      for (std::size_t i = 0; i < search.cardCount(); ++i) {
        if ((struck >> i & 1) && Arithmetic::isZero(search.cardValue(i))) nonzero = false;
      }
      if (nonzero) ones.push_back(search.plainProduct(struck));
    }
    for (FormId form : waysOf(remainder)) {
      for (ClassId neutral : zeros) {
        for (FormId part : waysOf(neutral)) {
          for (int operation : {0, 1}) consider(form, part, operation);
        }
      }
      for (ClassId neutral : ones) {
        for (FormId part : waysOf(neutral)) {
          for (int operation : {2, 3}) consider(form, part, operation);
        }
      }
    }
  }
  if (!chosen) return std::nullopt;
  return forms.store(chosen->first);
}

}  // namespace

template <class Arithmetic>
bool findIdeas(Search<Arithmetic>& search, const typename Arithmetic::Number& target, Forms& forms,
               const Exchanges& exchanges, std::span<const std::size_t> sameAs,
               const std::function<bool(FormId, FormId)>& before, IdeaList& ideas) {
  const std::vector<ClassId> solutions(search.solutions().begin(), search.solutions().end());
  const auto all = static_cast<std::uint32_t>((1u << search.cardCount()) - 1);
  Graph graph;

  // The classes over a mask worth the target, by fingerprint, and their best
  // forms.
  struct Listed {
    std::unordered_map<std::uint64_t, ClassId> byPrint;
    std::vector<ClassId> classes;
    std::vector<FormId> forms;
    std::optional<Exchanges::Index> index;  // made when first needed
  };
  std::vector<std::optional<Listed>> listed(all + 1);
  const auto listOf = [&](std::uint32_t mask) -> Listed& {
    std::optional<Listed>& list = listed[mask];
    if (!list) {
      list.emplace();
      for (ClassId id : search.classesOf(mask, target)) {
        list->byPrint.emplace(search.formClass(id).print, id);
        list->classes.push_back(id);
        list->forms.push_back(search.formClass(id).best(forms));
      }
    }
    return *list;
  };
  // The class kept for one given by its numbers and fingerprint, or for its
  // negation; form writes it, made only where the search left it out as the
  // same as another once numbers change places, and nothing says which.
  const auto classOf = [&](std::uint32_t mask, std::uint64_t print, bool negated,
                           const std::function<FormId()>& form) {
    Listed& list = listOf(mask);
    const std::uint64_t wanted = negated ? modular::subtract(0, print) : print;
    if (const auto found = list.byPrint.find(wanted); found != list.byPrint.end()) {
      return found->second;
    }
    if (const ClassId kept = search.keptFor(mask, wanted); kept != kNoClass) return kept;
    if (!list.index) list.index.emplace(exchanges, forms, list.forms);
    const auto index = list.index->find(Exchanges::stepsOf(forms, form()), negated);
    return index ? list.classes[*index] : kNoClass;
  };
  const auto nodeOf = [&](std::uint32_t mask, std::uint64_t print, ClassId id) {
    const std::uint64_t key =
        id != kNoClass ? forms.shape(search.formClass(id).best(forms)) : print ^ (mask + 1u);
    return graph.node(key, mask, id);
  };

  // Every node reached from the solutions, joined to the nodes it steps to.
  std::vector<std::uint32_t> solutionNodes;
  std::vector<std::uint32_t> open;
  for (ClassId id : solutions) {
    const auto [node, fresh] = nodeOf(all, search.formClass(id).print, id);
    solutionNodes.push_back(node);
    if (fresh) open.push_back(node);
  }
  while (!open.empty()) {
    const std::uint32_t node = open.back();
    open.pop_back();
    const std::span<const Remnant> stepped = search.stepsOf(graph.at(node).id);
    const std::vector<Remnant> steps(stepped.begin(), stepped.end());
    for (const Remnant& step : steps) {
      const ClassId id = classOf(step.mask, step.print, false, [&] { return search.formOf(step); });
      if (search.overflowed()) return false;
      const auto [next, fresh] = nodeOf(step.mask, step.print, id);
      if (fresh && id != kNoClass) open.push_back(next);
      graph.join(node, next);
    }
  }
  for (std::size_t i = 0; i < solutions.size(); ++i) {
    graph.join(solutionNodes[i], solutionNodes[sameAs[i]]);
  }
  const bool absorbs = Arithmetic::isZero(target);
  if (absorbs) {
    for (std::size_t i = 0; i < solutions.size(); ++i) {
      const FormClass& solution = search.formClass(solutions[i]);
      const ClassId negation =
          classOf(all, solution.print, true, [&] { return solution.best(forms); });
      if (negation != kNoClass) graph.join(solutionNodes[i], nodeOf(all, 0, negation).first);
    }
  }

  // The ideas, in the order of their first solutions, and how each is written.
  std::unordered_map<std::uint32_t, std::size_t> ideaOfRoot;
  ideas.ideaOf.clear();
  for (std::uint32_t node : solutionNodes) {
    ideas.ideaOf.push_back(
        ideaOfRoot.try_emplace(graph.root(node), ideaOfRoot.size()).first->second);
  }
  std::vector<FormId> best(ideaOfRoot.size(), kNoForm);
  std::vector<bool> stepping(ideaOfRoot.size(), false);
  for (std::size_t i = 0; i < solutions.size(); ++i) {
    const std::size_t idea = ideas.ideaOf[i];
    const FormId form = search.formClass(solutions[i]).best(forms);
    if (best[idea] == kNoForm || before(form, best[idea])) best[idea] = form;
    if (!search.stepsOf(solutions[i]).empty()) stepping[idea] = true;
  }
  std::vector<std::vector<std::uint32_t>> remainders(ideaOfRoot.size());
  for (std::uint32_t node = 0; node < graph.size(); ++node) {
    const ClassId id = graph.at(node).id;
    if (id == kNoClass || !search.stepsOf(id).empty()) continue;
    const auto idea = ideaOfRoot.find(graph.root(node));
    if (idea != ideaOfRoot.end() && stepping[idea->second]) {
      remainders[idea->second].push_back(node);
    }
  }
  ideas.written.clear();
  for (std::size_t idea = 0; idea < best.size(); ++idea) {
    const std::optional<FormId> joined =
        joinedForm(search, graph, remainders[idea], absorbs, forms);
    if (search.overflowed()) return false;
    ideas.written.push_back(joined ? *joined : best[idea]);
  }
  return true;
}

template bool findIdeas<FastArithmetic>(Search<FastArithmetic>&, const FastArithmetic::Number&,
                                        Forms&, const Exchanges&, std::span<const std::size_t>,
                                        const std::function<bool(FormId, FormId)>&, IdeaList&);
template bool findIdeas<BigArithmetic>(Search<BigArithmetic>&, const BigArithmetic::Number&, Forms&,
                                       const Exchanges&, std::span<const std::size_t>,
                                       const std::function<bool(FormId, FormId)>&, IdeaList&);

}  // namespace vantrel::distinct
