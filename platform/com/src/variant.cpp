#include "com/variant.h"

#include "com/letter_case.h"
#include "com/numbers.h"

namespace com {
namespace {

template <class... F> struct Overloaded : F... { using F::operator()...; };
template <class... F> Overloaded(F...) -> Overloaded<F...>;

} // namespace

std::optional<double> Variant::to_double() const {
  return std::visit(Overloaded{
                        [](std::monostate) -> std::optional<double> { return 0.0; },
                        [](bool b) -> std::optional<double> { return b ? -1.0 : 0.0; },
                        [](const std::string& s) { return parse_number(s); },
                        [](const ComPtr<IUnknown>&) -> std::optional<double> { return {}; },
                        [](auto number) -> std::optional<double> { return number; },
                    },
                    value_);
}

std::optional<std::int16_t> Variant::to_int16() const {
  const auto number = to_double();
  return number ? com::to_int16(*number) : std::nullopt;
}

std::optional<std::int32_t> Variant::to_int32() const {
  const auto number = to_double();
  return number ? com::to_int32(*number) : std::nullopt;
}

std::optional<float> Variant::to_single() const {
  const auto number = to_double();
  return number ? com::to_single(*number) : std::nullopt;
}

std::optional<bool> Variant::to_bool() const {
  if (const auto* text = std::get_if<std::string>(&value_)) {
    if (equal_ignoring_case(*text, "True"))
      return true;
    if (equal_ignoring_case(*text, "False"))
      return false;
  }
  const auto number = to_double();
  return number ? std::optional<bool>(*number != 0.0) : std::nullopt;
}

std::optional<std::string> Variant::to_string() const {
  return std::visit(
      Overloaded{
          [](std::monostate) -> std::optional<std::string> { return std::string(); },
          [](bool b) -> std::optional<std::string> { return b ? "True" : "False"; },
          [](float f) -> std::optional<std::string> { return number_text(f, single_digits); },
          [](double d) -> std::optional<std::string> { return number_text(d, double_digits); },
          [](const std::string& s) -> std::optional<std::string> { return s; },
          [](const ComPtr<IUnknown>&) -> std::optional<std::string> { return {}; },
          [](auto whole) -> std::optional<std::string> { return std::to_string(whole); },
      },
      value_);
}

double Variant::val() const {
  if (const auto* text = std::get_if<std::string>(&value_))
    return Val(*text);
  return to_double().value_or(0.0);
}

ComPtr<IUnknown> Variant::object() const {
  const auto* object = std::get_if<ComPtr<IUnknown>>(&value_);
  return object ? *object : nullptr;
}

} // namespace com
