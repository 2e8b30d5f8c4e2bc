#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "com/variant.h"

namespace host {

// A parsed where clause (the language is described at HostQueryFilter). It is parsed by hand
// and evaluated here: no user text ever reaches a query engine.
class WhereClause {
public:
  struct Column {
    int index = -1;
    bool text = false; // text field: compared with 'text' literals; otherwise with numbers
  };
  // Finds a field by name; nullopt when the table has none.
  using Resolver = std::function<std::optional<Column>(const std::string& name)>;
  using Values = std::function<com::Variant(int index)>;

  // HostError (E_INVALIDARG) naming the clause and the position for anything outside the
  // language, an unknown field, or a text field compared with a number (or the reverse).
  static WhereClause parse(const std::string& text, const Resolver& resolve);

  // True for the empty clause.
  bool selects_all() const { return !root_; }
  // An empty value (a blank number) matches no comparison.
  bool matches(const Values& value_of) const;

  struct Node;

private:
  std::shared_ptr<const Node> root_;
};

} // namespace host
