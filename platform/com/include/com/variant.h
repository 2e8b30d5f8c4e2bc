#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "com/unknown.h"

namespace com {

enum class VariantType { Empty, Integer, Long, Single, Double, Boolean, String, Object };

// A value of one of the platform's variant types: empty, 16-bit (Integer) and 32-bit (Long)
// whole numbers, Single, Double, Boolean, String (UTF-8) and Object.
//
// Conversions follow the platform's rules:
// - numbers to whole numbers round halves to even (2.5 -> 2) and fail when out of range;
// - texts convert to numbers strictly: the whole text, less outer blanks, must be a number,
//   so "12abc" and "" fail; `val()` is the lenient leading-number parse instead;
// - Boolean True is -1 as a number; any non-zero number is True;
// - Empty is 0, "" and False;
// - an Object converts to nothing else.
class Variant {
public:
  Variant() = default;
  Variant(std::int16_t value) : value_(value) {}
  Variant(std::int32_t value) : value_(value) {}
  Variant(float value) : value_(value) {}
  Variant(double value) : value_(value) {}
  Variant(bool value) : value_(value) {}
  Variant(std::string value) : value_(std::move(value)) {}
  Variant(std::string_view value) : value_(std::string(value)) {}
  // Without it a literal would pick the bool constructor.
  Variant(const char* value) : value_(std::string(value)) {}
  template <Interface I> Variant(ComPtr<I> object) : value_(object.template as<IUnknown>()) {}

  VariantType type() const { return static_cast<VariantType>(value_.index()); }
  bool is_empty() const { return type() == VariantType::Empty; }

  std::optional<std::int16_t> to_int16() const; // CInt
  std::optional<std::int32_t> to_int32() const; // CLng
  std::optional<float> to_single() const;       // CSng
  std::optional<double> to_double() const;      // CDbl
  std::optional<bool> to_bool() const; // CBool: texts "True"/"False" in any case, or numbers
  // CStr: Single with 7 significant digits, Double with 15, Boolean "True"/"False";
  // fails only for an Object.
  std::optional<std::string> to_string() const;
  // Val: a text's leading number (0 when none), a number's value, 0 for anything else.
  double val() const;
  // The object held, or null for any other type.
  ComPtr<IUnknown> object() const;

  friend bool operator==(const Variant&, const Variant&) = default;

private:
  std::variant<std::monostate, std::int16_t, std::int32_t, float, double, bool, std::string,
               ComPtr<IUnknown>>
      value_;
};

} // namespace com
