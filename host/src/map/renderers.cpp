#include "map/renderers.h"

#include <charconv>
#include <optional>

namespace host {
namespace {

bool in_range(int index, std::size_t size) {
  return index >= 0 && static_cast<std::size_t>(index) < size;
}

// A text that is wholly a number (blanks around it allowed), as a single-precision value.
std::optional<float> as_single(const std::string& text) {
  auto first = text.find_first_not_of(' ');
  auto last = text.find_last_not_of(' ');
  if (first == std::string::npos)
    return std::nullopt;
  double value = 0;
  const char* begin = text.data() + first;
  const char* end = text.data() + last + 1;
  if (*begin == '+')
    ++begin;
  const auto result = std::from_chars(begin, end, value);
  if (result.ec != std::errc() || result.ptr != end)
    return std::nullopt;
  return static_cast<float>(value);
}

} // namespace

void ClassBreaksRenderer::SetBreakCount(int count) {
  classes_.resize(count < 0 ? 0 : count);
}

ClassBreaksRenderer::Class* ClassBreaksRenderer::at(int index) {
  return in_range(index, classes_.size()) ? &classes_[index] : nullptr;
}

double ClassBreaksRenderer::Break(int index) {
  const auto* c = at(index);
  return c ? c->upper : 0;
}

void ClassBreaksRenderer::SetBreak(int index, double value) {
  if (auto* c = at(index))
    c->upper = value;
}

std::string ClassBreaksRenderer::Label(int index) {
  const auto* c = at(index);
  return c ? c->label : std::string();
}

void ClassBreaksRenderer::SetLabel(int index, const std::string& label) {
  if (auto* c = at(index))
    c->label = label;
}

com::ComPtr<HostSymbol> ClassBreaksRenderer::Symbol(int index) {
  const auto* c = at(index);
  return c ? c->symbol : nullptr;
}

void ClassBreaksRenderer::SetSymbol(int index, HostSymbol* symbol) {
  if (auto* c = at(index))
    c->symbol = com::ComPtr<HostSymbol>(symbol);
}

int ClassBreaksRenderer::ClassOf(double value) {
  double lower = minimum_;
  for (std::size_t i = 0; i < classes_.size(); ++i) {
    // Class 0 also takes a value equal to the minimum break, so nothing at the bottom of
    // the range goes undrawn.
    const bool above_lower = i == 0 ? value >= lower : value > lower;
    if (above_lower && value <= classes_[i].upper)
      return static_cast<int>(i);
    lower = classes_[i].upper;
  }
  return -1;
}

double ClassBreaksRenderer::LowBreak(int index) {
  const auto* c = at(index);
  return c ? c->low : 0;
}

void ClassBreaksRenderer::SetLowBreak(int index, double value) {
  if (auto* c = at(index))
    c->low = value;
}

void UniqueValueRenderer::SetFieldCount(int count) {
  fields_.resize(count < 0 ? 0 : count);
}

std::string UniqueValueRenderer::Field(int index) {
  return in_range(index, fields_.size()) ? fields_[index].name : std::string();
}

void UniqueValueRenderer::SetField(int index, const std::string& name) {
  if (in_range(index, fields_.size()))
    fields_[index].name = name;
}

bool UniqueValueRenderer::FieldType(int index) {
  return in_range(index, fields_.size()) && fields_[index].numeric;
}

void UniqueValueRenderer::SetFieldType(int index, bool numeric) {
  if (in_range(index, fields_.size()))
    fields_[index].numeric = numeric;
}

UniqueValueRenderer::ValueClass* UniqueValueRenderer::find(const std::string& value) {
  for (auto& c : values_)
    if (c.value == value)
      return &c;
  return nullptr;
}

void UniqueValueRenderer::AddValue(const std::string& value, const std::string& heading,
                                   HostSymbol* symbol) {
  if (find(value))
    return;
  values_.push_back({value, heading, value, com::ComPtr<HostSymbol>(symbol)});
}

std::string UniqueValueRenderer::Value(int index) {
  return in_range(index, values_.size()) ? values_[index].value : std::string();
}

std::string UniqueValueRenderer::Heading(const std::string& value) {
  const auto* c = find(value);
  return c ? c->heading : std::string();
}

std::string UniqueValueRenderer::Label(const std::string& value) {
  const auto* c = find(value);
  return c ? c->label : std::string();
}

void UniqueValueRenderer::SetLabel(const std::string& value, const std::string& label) {
  if (auto* c = find(value))
    c->label = label;
}

com::ComPtr<HostSymbol> UniqueValueRenderer::Symbol(const std::string& value) {
  const auto* c = find(value);
  return c ? c->symbol : nullptr;
}

void UniqueValueRenderer::SetSymbol(const std::string& value, HostSymbol* symbol) {
  if (auto* c = find(value))
    c->symbol = com::ComPtr<HostSymbol>(symbol);
}

UniqueValueIndex::UniqueValueIndex(HostUniqueValueRenderer& renderer)
    : numeric_(renderer.FieldType(0)) {
  const int count = renderer.ValueCount();
  for (int i = 0; i < count; ++i) {
    const auto value = renderer.Value(i);
    texts_.emplace(value, i);
    if (const auto number = as_single(value))
      numbers_.emplace(*number, i);
  }
}

int UniqueValueIndex::find(const std::string& field_value) const {
  if (const auto it = texts_.find(field_value); it != texts_.end())
    return it->second;
  if (!numeric_)
    return -1;
  const auto number = as_single(field_value);
  if (!number)
    return -1;
  const auto it = numbers_.find(*number);
  return it == numbers_.end() ? -1 : it->second;
}

int unique_value_class(HostUniqueValueRenderer& renderer, const std::string& field_value) {
  return UniqueValueIndex(renderer).find(field_value);
}

} // namespace host
