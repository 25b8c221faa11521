#include "distinct/forms.h"

namespace vantrel::distinct {

namespace {

// The i-th part in written order, with its sign turned round when the whole
// is negated: the negative parts then come first, as positive ones.
Part partAt(const FormView& form, bool negated, std::size_t i) {
  if (!negated) return form.parts[i];
  const std::size_t positives = form.partCount - form.negatives;
  if (i < form.negatives) return {form.parts[positives + i].form, false};
  return {form.parts[i - form.negatives].form, true};
}

std::uint16_t inversesOf(const FormView& form, bool negated) {
  if (!negated) return form.inverses;
  return static_cast<std::uint16_t>(form.inverses - 2 * form.negatives + form.partCount);
}

int sign(int x) {
  return (x > 0) - (x < 0);
}

std::uint64_t mix(std::uint64_t h) {
  h ^= h >> 31;
  h *= 0x7FB5D329728EA185u;
  h ^= h >> 27;
  h *= 0x81DADEF4BC2DD44Du;
  return h ^ (h >> 33);
}

}  // namespace

Forms::Forms(std::span<const std::uint8_t> likeness) : likeness_(likeness.begin(), likeness.end()) {
  nodes_.reserve(1024);
  parts_.reserve(4096);
  for (std::size_t i = 0; i < likeness.size(); ++i) {
    nodes_.push_back(
        {Kind::kNumber, static_cast<std::uint8_t>(i), 0, 0, 0, 0, 0, mix(likeness[i] + 1u)});
  }
}

FormView Forms::view(FormId id) const {
  const Node& node = nodes_[id];
  return {node.kind,
          node.card,
          node.partCount,
          node.negatives,
          node.brackets,
          node.inverses,
          parts_.data() + node.firstPart};
}

void Forms::Draft::add(const Forms& forms, FormId form, bool negative) {
  const FormView part = forms.view(form);
  parts_[count_++] = {form, negative};
  negatives_ = static_cast<std::uint8_t>(negatives_ + negative);
  const bool bracketed = kind_ == Kind::kProduct && part.kind == Kind::kSum;
  brackets_ = static_cast<std::uint16_t>(brackets_ + part.brackets + bracketed);
  inverses_ = static_cast<std::uint16_t>(inverses_ + part.inverses + negative);
}

void Forms::Draft::splice(const Forms& forms, FormId form, bool negative) {
  const FormView whole = forms.view(form);
  for (std::size_t i = 0; i < whole.partCount; ++i) {
    add(forms, whole.parts[i].form, whole.parts[i].negative != negative);
  }
}

void Forms::Draft::join(const Forms& forms, FormId form, bool negative) {
  if (forms.view(form).kind == kind_) {
    splice(forms, form, negative);
  } else {
    add(forms, form, negative);
  }
}

void Forms::Draft::arrange(const Forms& forms) {
  const auto before = [&](const Part& a, const Part& b) {
    if (a.negative != b.negative) return b.negative;
    return forms.compareParts(a.form, b.form) < 0;
  };
  for (std::size_t i = 1; i < count_; ++i) {
    const Part part = parts_[i];
    std::size_t j = i;
    for (; j > 0 && before(part, parts_[j - 1]); --j) parts_[j] = parts_[j - 1];
    parts_[j] = part;
  }
}

FormView Forms::Draft::view() const {
  return {kind_, 0, count_, negatives_, brackets_, inverses_, parts_.data()};
}

std::uint16_t Forms::Draft::inverses(bool negated) const {
  return inversesOf(view(), negated);
}

FormId Forms::store(const Draft& draft) {
  const auto id = static_cast<FormId>(nodes_.size());
  // Each part mixed on its own before it goes in, and the kind and the
  // number of parts in the seed: else a sum and a product made of the same
  // two forms the other way round could meet.
  std::uint64_t shape =
      mix(static_cast<std::uint64_t>(draft.kind_) + 0x100 + (std::uint64_t{draft.count_} << 16));
  for (std::size_t i = 0; i < draft.count_; ++i) {
    const Part& part = draft.parts_[i];
    shape = mix(shape ^ mix(nodes_[part.form].shape + part.negative));
  }
  nodes_.push_back({draft.kind_, 0, draft.count_, draft.negatives_, draft.brackets_,
                    draft.inverses_, static_cast<std::uint32_t>(parts_.size()), shape});
  parts_.insert(parts_.end(), draft.parts_.begin(), draft.parts_.begin() + draft.count_);
  return id;
}

int Forms::compare(const FormView& a, bool negateA, const FormView& b, bool negateB) const {
  if (a.brackets != b.brackets) return a.brackets < b.brackets ? -1 : 1;
  const std::uint16_t inversesA = inversesOf(a, negateA);
  const std::uint16_t inversesB = inversesOf(b, negateB);
  if (inversesA != inversesB) return inversesA < inversesB ? -1 : 1;
  return compareStructure(a, negateA, b, negateB);
}

int Forms::compareParts(FormId a, FormId b) const {
  if (a == b || nodes_[a].shape == nodes_[b].shape) return 0;
  return compareStructure(view(a), false, view(b), false);
}

int Forms::compareStructure(const FormView& a, bool negateA, const FormView& b,
                            bool negateB) const {
  if (a.kind != b.kind) return a.kind < b.kind ? -1 : 1;
  if (a.kind == Kind::kNumber) return sign(int{likeness_[a.card]} - int{likeness_[b.card]});
  const std::size_t shared = std::min(a.partCount, b.partCount);
  for (std::size_t i = 0; i < shared; ++i) {
    const Part partA = partAt(a, negateA, i);
    const Part partB = partAt(b, negateB, i);
    if (partA.negative != partB.negative) return partA.negative ? 1 : -1;
    if (const int order = compareParts(partA.form, partB.form)) return order;
  }
  return sign(int{b.partCount} - int{a.partCount});
}

std::string Forms::text(FormId id, std::span<const std::string> cardTexts) const {
  std::string out;
  write(id, cardTexts, out);
  return out;
}

void Forms::write(FormId id, std::span<const std::string> cardTexts, std::string& out) const {
  const FormView form = view(id);
  if (form.kind == Kind::kNumber) {
    const std::string_view number = cardTexts[form.card];
    const bool bracketed = number.front() == '-' || number.front() == '+' ||
                           number.find('/') != std::string_view::npos;
    if (bracketed) out += '(';
    out += number;
    if (bracketed) out += ')';
    return;
  }
  const bool product = form.kind == Kind::kProduct;
  for (std::size_t i = 0; i < form.partCount; ++i) {
    const Part part = form.parts[i];
    if (i > 0) {
      if (product) {
        out += part.negative ? " / " : " × ";
      } else {
        out += part.negative ? " - " : " + ";
      }
    }
    const bool bracketed = product && view(part.form).kind == Kind::kSum;
    if (bracketed) out += '(';
    write(part.form, cardTexts, out);
    if (bracketed) out += ')';
  }
}

}  // namespace vantrel::distinct
