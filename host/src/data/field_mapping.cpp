#include "data/field_mapping.h"

#include <algorithm>

#include "data/host_error.h"
#include "host/fields.h"

namespace host {

namespace {

// Widest numbers a ".dbf" handles well, and the width and decimals used for a number
// whose precision does not fit.
constexpr int max_number_width = 19;
constexpr int default_decimals = 11;

// A real number field. A length without a precision is the width asked for; it keeps about
// half its places for decimals (N(10,4), N(15,6)) and at least one, so that it reads back as a
// real number, and the writer gives up decimals for a value whose whole part needs the room.
DbfColumn real(const FieldDefinition& f, char letter) {
  if (f.precision > 0 && f.scale < f.precision && f.precision < max_number_width)
    return {f.name, letter, f.precision + 1, std::max(f.scale, 0)};
  if (f.scale > 0 && f.scale < max_number_width - 1)
    return {f.name, letter, max_number_width, f.scale};
  if (f.length >= 3 && f.length < max_number_width)
    return {f.name, letter, f.length, std::clamp(f.length / 2 - 1, 1, default_decimals)};
  return {f.name, letter, max_number_width, default_decimals};
}

} // namespace

DbfColumn to_dbf(const FieldDefinition& f) {
  if (f.name.empty() || f.name.size() > 10)
    throw HostError("the field name \"" + f.name + "\" does not fit a .dbf (1 to 10 characters)",
                    com::E_INVALIDARG);
  switch (f.type) {
  case field_small_integer:
    return {f.name, 'N', 5, 0};
  case field_integer:
    return {f.name, 'N', 10, 0};
  case field_single:
    return real(f, 'F');
  case field_double:
    return real(f, 'N');
  case field_string:
    return {f.name, 'C', f.length > 0 ? std::min(f.length, 254) : 50, 0};
  case field_date:
    return {f.name, 'D', 8, 0};
  default:
    throw HostError("a field of type " + std::to_string(f.type) + " (\"" + f.name +
                        "\") cannot be stored in a .dbf",
                    com::E_INVALIDARG);
  }
}

FieldDefinition from_dbf(const DbfColumn& c) {
  switch (c.type) {
  case 'N':
  case 'F':
    if (c.decimals > 0 || c.width > 10)
      return {c.name, c.type == 'F' ? field_single : field_double, c.width, c.width - 1,
              c.decimals};
    return {c.name, c.width <= 5 ? field_small_integer : field_integer, c.width, c.width, 0};
  case 'D':
    return {c.name, field_date, 8, 0, 0};
  case 'L':
    return {c.name, field_string, 1, 0, 0};
  default:
    return {c.name, field_string, c.width, 0, 0};
  }
}

} // namespace host
