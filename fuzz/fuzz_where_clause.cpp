// The where-clause parser on any text, over a table with a text and a number field, and the
// evaluation of whatever it accepts. Anything outside the language is a HostError; nothing may
// crash.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "data/host_error.h"
#include "data/where_clause.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const host::WhereClause::Resolver resolve =
      [](const std::string& name) -> std::optional<host::WhereClause::Column> {
    if (name == "NAME")
      return host::WhereClause::Column{0, true};
    if (name == "ID")
      return host::WhereClause::Column{1, false};
    return std::nullopt;
  };
  try {
    const auto clause = host::WhereClause::parse(text, resolve);
    for (const double id : {0.0, -1.5, 1e300})
      clause.matches([&](int index) {
        return index == 0 ? com::Variant(std::string("Main Street")) : com::Variant(id);
      });
    clause.matches([](int) { return com::Variant(); });
  } catch (const host::HostError&) {
  }
  return 0;
}
