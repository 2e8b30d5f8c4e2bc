#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "network/state/handler_end.h"

namespace corvane {

// A row beyond a table's declared bound: it ends the handler that reaches for it.
class TableIndexOutOfRange : public HandlerEnd {
public:
  using HandlerEnd::HandlerEnd;
};

// A table with fixed rows 0 .. upper, as the shared state declares them (for example the 300
// closed links at rows 1 .. 300). Rows that were never written read as a default value; storage
// grows only as far as rows are written, so the tables of a million rows cost nothing until used.
template <class Row> class BoundedTable {
public:
  explicit BoundedTable(std::int32_t upper = -1) : upper_(upper) {}

  std::int32_t upper() const { return upper_; }

  Row& operator[](std::int32_t index) {
    check(index);
    const auto position = static_cast<std::size_t>(index);
    if (position >= rows_.size())
      rows_.resize(position + 1);
    return rows_[position];
  }

  const Row& operator[](std::int32_t index) const {
    check(index);
    const auto position = static_cast<std::size_t>(index);
    static const Row unwritten{};
    return position < rows_.size() ? rows_[position] : unwritten;
  }

  // Gives the table the rows 0 .. upper, all reading as default (a re-allocation that discards
  // the contents).
  void reallocate(std::int32_t upper) {
    upper_ = upper;
    rows_.clear();
  }

  // Moves the bound to `upper`, keeping the rows below it (a re-allocation that preserves).
  void resize(std::int32_t upper) {
    upper_ = upper;
    if (rows_.size() > static_cast<std::size_t>(upper + 1))
      rows_.resize(static_cast<std::size_t>(upper + 1));
  }

  // Every row reads as default again; the bound stays.
  void clear() { rows_.clear(); }

private:
  void check(std::int32_t index) const {
    if (index < 0 || index > upper_)
      throw TableIndexOutOfRange("row " + std::to_string(index) + " outside 0.." +
                                 std::to_string(upper_));
  }

  std::int32_t upper_;
  std::vector<Row> rows_;
};

} // namespace corvane
