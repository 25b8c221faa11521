#include "distinct/search.h"

#include <algorithm>
#include <bit>
#include <tuple>

#include "distinct/arithmetic.h"
#include "distinct/distinct.h"
#include "distinct/fingerprint.h"

namespace vantrel::distinct {

FormId FormClass::best(const Forms& forms) const {
  FormId best = kNoForm;
  for (FormId form : {sum, product, number}) {
    if (form == kNoForm) continue;
    if (best == kNoForm || forms.compare(forms.view(form), false, forms.view(best), false) < 0) {
      best = form;
    }
  }
  return best;
}

namespace {

// Numbers in a mask (std::popcount is a library call on plain x86-64).
std::size_t countOf(std::uint32_t mask) {
  static constexpr auto kCounts = [] {
    std::array<std::uint8_t, std::size_t{1} << kMaxNumbers> counts{};
    for (std::size_t m = 1; m < counts.size(); ++m)
      counts[m] = static_cast<std::uint8_t>(counts[m >> 1] + (m & 1));
    return counts;
  }();
  return kCounts[mask];
}

// A mask mixed into a fingerprint, for keys of both.
std::uint64_t maskKey(std::uint32_t mask) {
  return std::uint64_t{mask} * 0x9E3779B97F4A7C15u;
}

// For each mask, the cards before one of its own that the relation joins to it.
template <class Same>
std::vector<std::uint32_t> cardsBefore(std::size_t cardCount, Same same) {
  std::vector<std::uint32_t> before(std::size_t{1} << cardCount, 0);
  for (std::uint32_t mask = 1; mask < before.size(); ++mask) {
    for (std::size_t i = 0; i < cardCount; ++i) {
      if (!(mask >> i & 1)) continue;
      for (std::size_t j = 0; j < i; ++j) {
        if (same(i, j)) before[mask] |= 1u << j;
      }
    }
  }
  return before;
}

}  // namespace

template <class Arithmetic>
Search<Arithmetic>::Search(std::span<const SearchCard> cards, Forms& forms, bool absorb)
    : forms_(forms), cardCount_(cards.size()), absorb_(absorb) {
  for (const SearchCard& card : cards) {
    Number value;
    if (!Arithmetic::from(*card.number, value)) overflow_ = true;
    cardValues_.push_back(value);
    FormClass number;
    number.print = card.print;
    number.number = static_cast<FormId>(classes_.size());
    classes_.push_back(number);
  }
  sameTextBefore_ = cardsBefore(
      cardCount_, [&](std::size_t i, std::size_t j) { return cards[i].alike == cards[j].alike; });
  sameValueBefore_ = cardsBefore(
      cardCount_, [&](std::size_t i, std::size_t j) { return cards[i].equal == cards[j].equal; });
  // Groups of equal values make the same values whichever of them are taken:
  // such masks share one set, that of the lowest cards.
  valueCanon_.assign(std::size_t{1} << cardCount_, 0);
  for (Mask mask = 1; mask < valueCanon_.size(); ++mask) {
    Mask canon = 0;
    for (std::size_t i = 0; i < cardCount_; ++i) {
      // The lowest card of i's value not taken yet.
      if (mask >> i & 1)
        canon |= 1u << (cards[i].equal + countOf(mask & sameValueBefore_[1u << i]));
    }
    valueCanon_[mask] = canon;
  }
  values_.resize(valueCanon_.size());
  plainProducts_.assign(valueCanon_.size(), 0);
  // One for each depth: a search goes one number deeper at each step.
  found_.resize(cardCount_ + 1);
  // Groups up to this size have their values worked out in full; larger ones
  // are searched from the values they must make.
  cheapSize_ =
      cardCount_ <= 5 ? static_cast<int>(std::clamp<std::size_t>(cardCount_ - 1, 1, 3)) : 4;
}

template <class Arithmetic>
bool Search<Arithmetic>::cheap(Mask mask) const {
  return static_cast<int>(countOf(mask)) <= cheapSize_;
}

template <class Arithmetic>
bool Search<Arithmetic>::prefixOk(Mask part, Mask whole, const std::vector<Mask>& before) const {
  // Of cards that are alike, part takes the first ones that whole holds.
  return (before[part] & whole & ~part) == 0;
}

template <class Arithmetic>
const ValueSet<Arithmetic>& Search<Arithmetic>::valuesOf(Mask mask) {
  const Mask canon = valueCanon_[mask];
  std::unique_ptr<ValueSet<Arithmetic>>& slot = values_[canon];
  if (slot) return *slot;
  auto set = std::make_unique<ValueSet<Arithmetic>>();
  if (countOf(canon) == 1) {
    set->insert(cardValues_[static_cast<std::size_t>(std::countr_zero(canon))]);
  } else {
    const Mask low = canon & (0 - canon);
    // At most six values for each pair from the two sides of each split.
    std::size_t most = 0;
    for (Mask a = (canon - 1) & canon; a != 0; a = (a - 1) & canon) {
      if (!(a & low) || !prefixOk(a, canon, sameValueBefore_)) continue;
      most += 6 * valuesOf(a).size() * valuesOf(canon ^ a).size();
    }
    set->reserve(std::min<std::size_t>(most, std::size_t{1} << 16));
    for (Mask a = (canon - 1) & canon; a != 0 && !overflow_; a = (a - 1) & canon) {
      if (!(a & low) || !prefixOk(a, canon, sameValueBefore_)) continue;
      const Mask b = canon ^ a;
      const ValueSet<Arithmetic>& left = valuesOf(a);
      const ValueSet<Arithmetic>& right = valuesOf(b);
      Number out;
      for (const Number& x : left.values()) {
        for (const Number& y : right.values()) {
          if (!Arithmetic::add(x, y, out)) goto overflow;
          set->insert(out);
          if (!Arithmetic::subtract(x, y, out)) goto overflow;
          set->insert(out);
          if (!Arithmetic::subtract(y, x, out)) goto overflow;
          set->insert(out);
          if (!Arithmetic::multiply(x, y, out)) goto overflow;
          set->insert(out);
          if (!Arithmetic::isZero(y)) {
            if (!Arithmetic::divide(x, y, out)) goto overflow;
            set->insert(out);
          }
          if (!Arithmetic::isZero(x)) {
            if (!Arithmetic::divide(y, x, out)) goto overflow;
            set->insert(out);
          }
        }
      }
    }
  }
  slot = std::move(set);
  return *slot;
overflow:
  overflow_ = true;
  slot = std::make_unique<ValueSet<Arithmetic>>();
  return *slot;
}

template <class Arithmetic>
bool Search<Arithmetic>::run(const ExactNumber& target) {
  Number value;
  if (overflow_ || !Arithmetic::from(target, value)) return false;
  target_ = value;
  const Mask all = static_cast<Mask>((1u << cardCount_) - 1);
  solutions_ = enumerate(all, value);
  return !overflow_;
}

template <class Arithmetic>
auto Search<Arithmetic>::Memo::find(Mask mask, const Number& value) const -> const List* {
  for (std::size_t i = start(mask, value);; i = (i + 1) & (slots_.size() - 1)) {
    const Slot& slot = slots_[i];
    if (slot.mask == 0) return nullptr;
    if (slot.mask == mask && slot.value == value) return &slot.list;
  }
}

template <class Arithmetic>
void Search<Arithmetic>::Memo::add(Mask mask, const Number& value, List list) {
  if (2 * (count_ + 1) > slots_.size()) {
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    count_ = 0;
    for (Slot& slot : old) {
      if (slot.mask != 0) add(slot.mask, slot.value, slot.list);
    }
  }
  std::size_t i = start(mask, value);
  while (slots_[i].mask != 0) i = (i + 1) & (slots_.size() - 1);
  slots_[i] = {mask, value, list};
  ++count_;
}

template <class Arithmetic>
auto Search<Arithmetic>::enumerate(Mask mask, const Number& value) -> List {
  if (const List* known = memo_.find(mask, value)) return *known;
  if (overflow_) return {};
  List list{static_cast<std::uint32_t>(pool_.size()), 0};
  if (countOf(mask) == 1) {
    const auto card = static_cast<std::size_t>(std::countr_zero(mask));
    if (cardValues_[card] == value) {
      pool_.push_back(static_cast<ClassId>(card));
      list.count = 1;
    }
    memo_.add(mask, value, list);
    return list;
  }
  Found& found = found_[depth_++];
  found.classes.clear();
  found.index.clear();
  found.steps.clear();
  const Mask low = mask & (0 - mask);
  for (Mask a = (mask - 1) & mask; a != 0 && !overflow_; a = (a - 1) & mask) {
    if (!(a & low) || !prefixOk(a, mask, sameTextBefore_)) continue;
    searchSplit(a, mask ^ a, value, found);
  }
  --depth_;
  // Of classes that are the same once numbers written alike change places,
  // one is enough: the rest are made again by such exchanges. The one kept
  // takes their steps, and their forms where better (they read the same).
  if (sameTextBefore_[mask] & mask) {
    std::unordered_map<std::uint64_t, ClassId> shapes;
    std::unordered_map<ClassId, ClassId> keptFor;
    std::erase_if(found.classes, [&](ClassId id) {
      const auto [kept, fresh] = shapes.try_emplace(forms_.shape(classes_[id].best(forms_)), id);
      if (!fresh) {
        keptFor.emplace(id, kept->second);
        takeForms(classes_[kept->second], classes_[id]);
        if (value == target_) kept_.emplace(classes_[id].print ^ maskKey(mask), kept->second);
      }
      return !fresh;
    });
    for (auto& [id, step] : found.steps) {
      if (const auto kept = keptFor.find(id); kept != keptFor.end()) id = kept->second;
    }
  }
  keepFoundSteps(found);
  list = {static_cast<std::uint32_t>(pool_.size()),
          static_cast<std::uint32_t>(found.classes.size())};
  pool_.insert(pool_.end(), found.classes.begin(), found.classes.end());
  memo_.add(mask, value, list);
  return list;
}

template <class Arithmetic>
void Search<Arithmetic>::searchSplit(Mask a, Mask b, const Number& value, Found& found) {
  static constexpr std::array kOperations = {Operation::kAdd,          Operation::kSubtract,
                                             Operation::kSubtractFrom, Operation::kMultiply,
                                             Operation::kDivide,       Operation::kDivideInto};
  bool knownIsA = cheap(a);
  if (knownIsA && cheap(b)) knownIsA = valuesOf(a).size() <= valuesOf(b).size();
  const ValueSet<Arithmetic>& known = valuesOf(knownIsA ? a : b);
  for (const Number& x : known.values()) {
    for (Operation operation : kOperations) {
      tryOperation(operation, a, b, knownIsA, x, value, found);
      if (overflow_) return;
    }
  }
}

template <class Arithmetic>
void Search<Arithmetic>::tryOperation(Operation operation, Mask a, Mask b, bool knownIsA,
                                      const Number& x, const Number& value, Found& found) {
  // What the other side must make, given x; or, where x decides the value
  // alone (a zero times anything), every value it can make but zero where it
  // divides.
  Number y;
  bool any = false;
  bool anyButZero = false;
  const bool xIsZero = Arithmetic::isZero(x);
  const bool valueIsZero = Arithmetic::isZero(value);
  // Writes the operation as x ∘ y = value (xLeft) or y ∘ x = value.
  bool ok = true;
  switch (operation) {
    case Operation::kAdd:
      ok = Arithmetic::subtract(value, x, y);
      break;
    case Operation::kSubtract:  // a - b
      ok = knownIsA ? Arithmetic::subtract(x, value, y) : Arithmetic::add(value, x, y);
      break;
    case Operation::kSubtractFrom:  // b - a
      ok = knownIsA ? Arithmetic::add(value, x, y) : Arithmetic::subtract(x, value, y);
      break;
    case Operation::kMultiply:
      if (xIsZero) {
        if (!valueIsZero) return;
        any = true;
      } else {
        ok = Arithmetic::divide(value, x, y);
      }
      break;
    case Operation::kDivide:
    case Operation::kDivideInto: {
      // x is the dividend when it is a of a / b or b of b / a.
      const bool dividend = knownIsA == (operation == Operation::kDivide);
      if (dividend) {
        if (valueIsZero) {
          if (!xIsZero) return;
          anyButZero = true;
        } else {
          if (xIsZero) return;
          ok = Arithmetic::divide(x, value, y);
        }
      } else {
        if (xIsZero) return;
        ok = Arithmetic::multiply(value, x, y);
      }
      break;
    }
  }
  if (!ok) {
    overflow_ = true;
    return;
  }
  const Mask other = knownIsA ? b : a;
  const auto pair = [&](const Number& otherValue) {
    if (knownIsA) {
      combine(operation, a, x, b, otherValue, found);
    } else {
      combine(operation, a, otherValue, b, x, found);
    }
  };
  if (any || anyButZero) {
    const Mask known = knownIsA ? a : b;
    const std::span<const ClassId> zeros = listOf(enumerate(known, x));
    if (std::all_of(zeros.begin(), zeros.end(),
                    [&](ClassId id) { return classes_[id].print == 0; })) {
      // Zero whatever its numbers (a 0 among them, or 1 - 1): so is its product
      // with anything, one class, whose best product is the one with the
      // other side's plain product. Dividing it does no better.
      if (operation == Operation::kMultiply && !zeros.empty()) {
        const ClassId zero = classFor(0, found);
        const ClassId product = plainProduct(other);
        // Noting the steps may search more, which moves the pool.
        const std::vector<ClassId> zeroParts(zeros.begin(), zeros.end());
        for (ClassId id : zeroParts) {
          offer(zero, knownIsA ? id : product, knownIsA ? product : id, operation);
          noteZeroSteps(zero, known, id, other, found);
        }
      }
      return;
    }
    const ValueSet<Arithmetic>& all = valuesOf(other);
    for (const Number& otherValue : all.values()) {
      if (anyButZero && Arithmetic::isZero(otherValue)) continue;
      pair(otherValue);
      if (overflow_) return;
    }
    return;
  }
  if (cheap(other) ? valuesOf(other).contains(y) : enumerate(other, y).count != 0) pair(y);
}

template <class Arithmetic>
void Search<Arithmetic>::combine(Operation operation, Mask a, const Number& x, Mask b,
                                 const Number& y, Found& found) {
  const List leftList = enumerate(a, x);
  if (leftList.count == 0) return;
  const List rightList = enumerate(b, y);
  // Nothing below adds to the pool.
  for (ClassId ca : listOf(leftList)) {
    for (ClassId cb : listOf(rightList)) {
      const std::uint64_t pa = classes_[ca].print;
      const std::uint64_t pb = classes_[cb].print;
      std::uint64_t print = 0;
      switch (operation) {
        case Operation::kDivide:
          print = modular::multiply(pa, inverseOf(cb));
          break;
        case Operation::kDivideInto:
          print = modular::multiply(pb, inverseOf(ca));
          break;
        default:
          print = printOf(operation, pa, pb);
      }
      const ClassId target = classFor(print, found);
      offer(target, ca, cb, operation);
      noteSteps(target, operation, a, ca, x, b, cb, y, found);
    }
  }
}

template <class Arithmetic>
std::uint64_t Search<Arithmetic>::inverseOf(ClassId id) {
  FormClass& divisor = classes_[id];
  if (divisor.inversePrint == 0 && divisor.print != 0) {
    divisor.inversePrint = modular::inverse(divisor.print);
  }
  return divisor.inversePrint;
}

template <class Arithmetic>
std::uint64_t Search<Arithmetic>::printOf(Operation operation, std::uint64_t a,
                                          std::uint64_t b) const {
  switch (operation) {
    case Operation::kAdd:
      return modular::add(a, b);
    case Operation::kSubtract:
      return modular::subtract(a, b);
    case Operation::kSubtractFrom:
      return modular::subtract(b, a);
    case Operation::kMultiply:
      return modular::multiply(a, b);
    case Operation::kDivide:
      return b == 0 ? 0 : modular::multiply(a, modular::inverse(b));
    case Operation::kDivideInto:
      return a == 0 ? 0 : modular::multiply(b, modular::inverse(a));
  }
  return 0;
}

// The steps of a class made as a ∘ b, with a's value x and b's value y: a
// side that does nothing struck out at the top, and each side's own steps.
template <class Arithmetic>
void Search<Arithmetic>::noteSteps(ClassId target, Operation operation, Mask a, ClassId ca,
                                   const Number& x, Mask b, ClassId cb, const Number& y,
                                   Found& found) {
  const auto op = static_cast<std::uint8_t>(operation);
  const auto keep = [&](Mask mask, ClassId part) {
    found.steps.push_back(
        {target,
         {mask, classes_[part].print, part, kNoClass, Remnant::kWhole, Remnant::kWhole, op}});
  };
  const bool xZero = Arithmetic::isZero(x);
  const bool yZero = Arithmetic::isZero(y);
  const bool xOne = Arithmetic::isOne(x);
  const bool yOne = Arithmetic::isOne(y);
  // A number worth 0 (or 1) beside a part of the same worth is the part that
  // does nothing, never what is left.
  const bool keepA = ca >= cardCount_;
  const bool keepB = cb >= cardCount_;
  switch (operation) {
    case Operation::kAdd:
      if (yZero && (keepA || !xZero)) keep(a, ca);
      if (xZero && (keepB || !yZero)) keep(b, cb);
      break;
    case Operation::kSubtract:
      if (yZero && (keepA || !xZero)) keep(a, ca);
      break;
    case Operation::kSubtractFrom:
      if (xZero && (keepB || !yZero)) keep(b, cb);
      break;
    case Operation::kMultiply:
      if ((yOne && (keepA || !xOne)) || (absorb_ && xZero && !yZero)) keep(a, ca);
      if ((xOne && (keepB || !yOne)) || (absorb_ && yZero && !xZero)) keep(b, cb);
      break;
    case Operation::kDivide:
      if ((yOne && (keepA || !xOne)) || (absorb_ && xZero)) keep(a, ca);
      break;
    case Operation::kDivideInto:
      if ((xOne && (keepB || !yOne)) || (absorb_ && yZero)) keep(b, cb);
      break;
  }
  const std::uint64_t pa = classes_[ca].print;
  const std::uint64_t pb = classes_[cb].print;
  const std::span<const Remnant> left = stepsOf(ca);
  for (std::uint32_t i = 0; i < left.size(); ++i) {
    found.steps.push_back({target,
                           {left[i].mask | b, printOf(operation, left[i].print, pb), ca, cb, i,
                            Remnant::kWhole, op}});
  }
  const std::span<const Remnant> right = stepsOf(cb);
  for (std::uint32_t i = 0; i < right.size(); ++i) {
    found.steps.push_back({target,
                           {a | right[i].mask, printOf(operation, pa, right[i].print), ca, cb,
                            Remnant::kWhole, i, op}});
  }
}

// The steps of the class of zero whatever its numbers made as a product of
// zero (over known, a class of fingerprint 0) with any part over other: the
// zero's own steps; the other part struck out where it can be worth 1 or be
// absorbed; and what is left of the other part where a step of some part
// over other strikes out a part that does nothing or is absorbed.
template <class Arithmetic>
void Search<Arithmetic>::noteZeroSteps(ClassId target, Mask known, ClassId zero, Mask other,
                                       Found& found) {
  const auto multiply = static_cast<std::uint8_t>(Operation::kMultiply);
  const ClassId product = plainProduct(other);
  const std::span<const Remnant> steps = stepsOf(zero);
  for (std::uint32_t i = 0; i < steps.size(); ++i) {
    found.steps.push_back(
        {target, {steps[i].mask | other, 0, zero, product, i, Remnant::kWhole, multiply}});
  }
  const Number zeroValue = Arithmetic::number(0);
  const Number one = Arithmetic::number(1);
  const auto nonzero = [&](Mask mask) {
    for (std::size_t card = 0; card < cardCount_; ++card) {
      if ((mask >> card & 1) && !Arithmetic::isZero(cardValues_[card])) return true;
    }
    return false;
  };
  if ((absorb_ && nonzero(other)) || makes(other, one)) {
    found.steps.push_back(
        {target, {known, 0, zero, kNoClass, Remnant::kWhole, Remnant::kWhole, multiply}});
  }
  for (Mask left = (other - 1) & other; left != 0; left = (left - 1) & other) {
    const Mask struck = other ^ left;
    const bool single = countOf(left) == 1;
    const Number& card = cardValues_[static_cast<std::size_t>(std::countr_zero(left))];
    if ((makes(struck, zeroValue) && !(single && Arithmetic::isZero(card))) ||
        (makes(struck, one) && !(single && Arithmetic::isOne(card))) ||
        (absorb_ && nonzero(struck) && makes(left, zeroValue))) {
      found.steps.push_back({target,
                             {known | left, 0, zero, plainProduct(left), Remnant::kWhole,
                              Remnant::kWhole, multiply}});
    }
  }
}

template <class Arithmetic>
bool Search<Arithmetic>::makes(Mask mask, const Number& value) {
  return cheap(mask) ? valuesOf(mask).contains(value) : enumerate(mask, value).count != 0;
}

// Moves the steps noted for the classes just found into the store, each
// class's once.
template <class Arithmetic>
void Search<Arithmetic>::keepFoundSteps(Found& found) {
  const auto key = [](const std::pair<ClassId, Remnant>& step) {
    return std::tuple(step.first, step.second.mask, step.second.print);
  };
  std::sort(found.steps.begin(), found.steps.end(),
            [&](const auto& a, const auto& b) { return key(a) < key(b); });
  found.steps.erase(std::unique(found.steps.begin(), found.steps.end(),
                                [&](const auto& a, const auto& b) { return key(a) == key(b); }),
                    found.steps.end());
  for (std::size_t i = 0; i < found.steps.size();) {
    const ClassId id = found.steps[i].first;
    classes_[id].firstStep = static_cast<std::uint32_t>(steps_.size());
    for (; i < found.steps.size() && found.steps[i].first == id; ++i) {
      steps_.push_back(found.steps[i].second);
    }
    classes_[id].stepCount = static_cast<std::uint32_t>(steps_.size() - classes_[id].firstStep);
  }
}

template <class Arithmetic>
ClassId Search<Arithmetic>::keptFor(Mask mask, std::uint64_t print) const {
  const auto kept = kept_.find(print ^ maskKey(mask));
  return kept == kept_.end() ? kNoClass : kept->second;
}

template <class Arithmetic>
FormId Search<Arithmetic>::formOf(const Remnant& step) {
  const auto side = [&](ClassId id, std::uint32_t index) {
    return index == Remnant::kWhole ? classes_[id].best(forms_) : formOf(stepsOf(id)[index]);
  };
  if (step.right == kNoClass) return side(step.left, step.leftStep);
  const FormId left = side(step.left, step.leftStep);
  const FormId right = side(step.right, step.rightStep);
  const auto operation = static_cast<Operation>(step.operation);
  const bool sum = operation == Operation::kAdd || operation == Operation::kSubtract ||
                   operation == Operation::kSubtractFrom;
  Forms::Draft draft(sum ? Kind::kSum : Kind::kProduct);
  const bool swapped = operation == Operation::kSubtractFrom || operation == Operation::kDivideInto;
  draft.join(forms_, swapped ? right : left, false);
  draft.join(forms_, swapped ? left : right,
             operation != Operation::kAdd && operation != Operation::kMultiply);
  draft.arrange(forms_);
  return forms_.store(draft);
}

template <class Arithmetic>
ClassId* Search<Arithmetic>::ClassIndex::find(std::uint64_t print) {
  if (!many_.empty()) {
    const auto found = many_.find(print);
    return found == many_.end() ? nullptr : &found->second;
  }
  for (auto& [seen, id] : few_) {
    if (seen == print) return &id;
  }
  return nullptr;
}

template <class Arithmetic>
void Search<Arithmetic>::ClassIndex::add(std::uint64_t print, ClassId id) {
  constexpr std::size_t kFew = 16;
  if (!many_.empty()) {
    many_.emplace(print, id);
    return;
  }
  few_.emplace_back(print, id);
  if (few_.size() > kFew) many_.insert(few_.begin(), few_.end());
}

template <class Arithmetic>
ClassId Search<Arithmetic>::classFor(std::uint64_t print, Found& found) {
  if (const ClassId* known = found.index.find(print)) return *known;
  const auto id = static_cast<ClassId>(classes_.size());
  FormClass formClass;
  formClass.print = print;
  classes_.push_back(formClass);
  found.classes.push_back(id);
  found.index.add(print, id);
  return id;
}

// A class holding only the product of the mask's numbers, all multiplied,
// which has fewer brackets and - and / than any other form.
template <class Arithmetic>
ClassId Search<Arithmetic>::plainProduct(Mask mask) {
  ClassId& id = plainProducts_[mask];
  if (id != 0) return id;
  if (countOf(mask) == 1) return id = static_cast<ClassId>(std::countr_zero(mask));
  Forms::Draft draft(Kind::kProduct);
  for (std::size_t card = 0; card < cardCount_; ++card) {
    if (mask >> card & 1) draft.add(forms_, static_cast<FormId>(card), false);
  }
  draft.arrange(forms_);
  FormClass product;
  product.product = forms_.store(draft);
  id = static_cast<ClassId>(classes_.size());
  classes_.push_back(product);
  return id;
}

template <class Arithmetic>
void Search<Arithmetic>::offer(ClassId target, ClassId a, ClassId b, Operation operation) {
  const bool sum = operation == Operation::kAdd || operation == Operation::kSubtract ||
                   operation == Operation::kSubtractFrom;
  const bool negateA = operation == Operation::kSubtractFrom || operation == Operation::kDivideInto;
  const bool negateB = operation == Operation::kSubtract || operation == Operation::kDivide;
  const Kind kind = sum ? Kind::kSum : Kind::kProduct;

  // The ways each side can go in: spliced into the new form's parts when it
  // is of the same kind, or as one part.
  struct Way {
    FormId form;
    bool splice;
  };
  const auto waysOf = [&](ClassId id, bool negated, std::array<Way, 2>& ways) {
    const FormClass& c = classes_[id];
    std::size_t count = 0;
    const FormId same =
        sum ? (negated ? c.negatedSum : c.sum) : (negated ? c.invertedProduct : c.product);
    if (same != kNoForm) ways[count++] = {same, true};
    const FormId other =
        sum ? (c.product != kNoForm ? c.product : c.number) : (c.sum != kNoForm ? c.sum : c.number);
    if (other != kNoForm) ways[count++] = {other, false};
    return count;
  };
  std::array<Way, 2> waysA{};
  std::array<Way, 2> waysB{};
  const std::size_t countA = waysOf(a, negateA, waysA);
  const std::size_t countB = waysOf(b, negateB, waysB);
  for (std::size_t i = 0; i < countA; ++i) {
    for (std::size_t j = 0; j < countB; ++j) {
      Forms::Draft draft(kind);
      for (const auto& [way, negated] :
           {std::pair{waysA[i], negateA}, std::pair{waysB[j], negateB}}) {
        if (way.splice) {
          draft.splice(forms_, way.form, negated);
        } else {
          draft.add(forms_, way.form, negated);
        }
      }
      consider(target, draft);
    }
  }
}

template <class Arithmetic>
void Search<Arithmetic>::takeForms(FormClass& kept, const FormClass& other) const {
  const auto take = [&](FormId& mine, FormId theirs, bool negated) {
    if (theirs == kNoForm) return;
    if (mine == kNoForm ||
        forms_.compare(forms_.view(theirs), negated, forms_.view(mine), negated) < 0) {
      mine = theirs;
    }
  };
  take(kept.sum, other.sum, false);
  take(kept.negatedSum, other.negatedSum, true);
  take(kept.product, other.product, false);
  take(kept.invertedProduct, other.invertedProduct, true);
}

template <class Arithmetic>
void Search<Arithmetic>::consider(ClassId target, Forms::Draft& draft) {
  FormClass& c = classes_[target];
  const bool sum = draft.kind() == Kind::kSum;
  FormId& plain = sum ? c.sum : c.product;
  FormId& negated = sum ? c.negatedSum : c.invertedProduct;
  // Brackets and signs first: most drafts lose on them alone.
  const auto mayWin = [&](FormId current, bool negate) {
    if (current == kNoForm) return true;
    const FormView form = forms_.view(current);
    const std::uint16_t inverses =
        negate ? static_cast<std::uint16_t>(form.inverses - 2 * form.negatives + form.partCount)
               : form.inverses;
    if (draft.brackets() != form.brackets) return draft.brackets() < form.brackets;
    return draft.inverses(negate) <= inverses;
  };
  const bool plainMay = mayWin(plain, false);
  const bool negatedMay = mayWin(negated, true);
  if (!plainMay && !negatedMay) return;
  draft.arrange(forms_);
  const FormView view = draft.view();
  const bool plainWins =
      plainMay && (plain == kNoForm || forms_.compare(view, false, forms_.view(plain), false) < 0);
  const bool negatedWins =
      negatedMay &&
      (negated == kNoForm || forms_.compare(view, true, forms_.view(negated), true) < 0);
  if (!plainWins && !negatedWins) return;
  const FormId id = forms_.store(draft);
  if (plainWins) plain = id;
  if (negatedWins) negated = id;
}

template class Search<FastArithmetic>;
template class Search<BigArithmetic>;

}  // namespace vantrel::distinct
