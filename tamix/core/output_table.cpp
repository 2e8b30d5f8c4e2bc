#include "output_table.h"

#include "error.h"
#include "files/file_error.h"
#include "files/replace_together.h"
#include "link_piece.h"
#include "output_table_dbf.h"
#include "output_table_lines.h"
#include "result_field.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

namespace tamix {
namespace {

constexpr int widest_text = 254;
constexpr int widest_number = 32;
// What dBASE readers take for an empty number.
constexpr char null_number = '*';

[[noreturn]] void fail(const std::filesystem::path& path, const std::string& why) {
  throw Error(code::output_file_failed, "output table " + path.string() + ": " + why);
}

// The files an output table may have; the ".prj" is its caller's, given to the lines later.
constexpr const char* table_extensions[] = {".dbf", ".shp", ".shx", ".cpg", ".prj"};

// The files of the old table that the new one does not replace: its ".prj", and its lines when
// the new table has none.
std::vector<std::filesystem::path> files_not_in(const std::filesystem::path& path,
                                                const OutputSet& set) {
  std::vector<std::filesystem::path> left;
  for (const char* extension : table_extensions) {
    const auto file = with_extension(path, extension);
    std::error_code error;
    if (std::filesystem::exists(file, error) &&
        std::ranges::none_of(set,
                             [&](const auto& replacing) { return replacing->target() == file; }))
      left.push_back(file);
  }
  return left;
}

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

// The bytes of UTF-8 `text` that fit in `width` without splitting a character; a text field
// ends at a zero byte, as the readers of the table see it.
std::size_t fitting_length(const std::string& text, std::size_t width) {
  const std::size_t length = std::min(text.size(), text.find('\0'));
  if (length <= width)
    return length;
  std::size_t end = width;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
    --end;
  return end;
}

bool read_number(const std::string& text, double& value) {
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (begin != end && *begin == '+')
    ++begin;
  const auto [stop, error] = std::from_chars(begin, end, value);
  return error == std::errc() && stop == end && std::isfinite(value);
}

} // namespace

void parse_row_text(std::string_view text, std::vector<std::string>& values) {
  std::size_t count = 0;
  const auto next_value = [&]() -> std::string& {
    if (count == values.size())
      values.emplace_back();
    std::string& value = values[count++];
    value.clear();
    return value;
  };
  std::size_t at = 0;
  if (text.find_first_not_of(" \t") == std::string_view::npos) {
    values.clear();
    return;
  }
  while (true) {
    std::string& value = next_value();
    while (at < text.size() && is_blank(text[at]))
      ++at;
    if (at < text.size() && text[at] == '"') {
      ++at;
      while (at < text.size()) {
        if (text[at] == '"' && at + 1 < text.size() && text[at + 1] == '"') {
          value += '"';
          at += 2;
        } else if (text[at] == '"') {
          ++at;
          break;
        } else {
          value += text[at++];
        }
      }
      while (at < text.size() && text[at] != ',') {
        if (!is_blank(text[at]))
          value += text[at];
        ++at;
      }
    } else {
      while (at < text.size() && text[at] != ',')
        value += text[at++];
      while (!value.empty() && is_blank(value.back()))
        value.pop_back();
    }
    if (at >= text.size())
      break;
    ++at; // the comma
  }
  values.resize(count);
}

std::vector<std::string> parse_row_text(std::string_view text) {
  std::vector<std::string> values;
  parse_row_text(text, values);
  return values;
}

OutputTable::OutputTable(std::filesystem::path path) : path_(std::move(path)) {
  finish_earlier_set(path_);
  table_ = std::make_unique<DbfWriter>(with_extension(path_, ".dbf"));
}

OutputTable::~OutputTable() {
  try {
    close();
  } catch (const std::exception&) {
    // Dropped without close(): the rows written so far are all that can be kept.
  }
}

void OutputTable::add_field(const std::string& name, OutputFieldType type, int width,
                            int decimals) {
  if (rows_ > 0)
    throw Error(code::general_error, "fields must come before the first row");
  const bool text = type == OutputFieldType::text;
  if (!text && type != OutputFieldType::number)
    throw Error(code::out_of_bounds, "field type " + std::to_string(int(type)) + " is unknown");
  if (!text && width == 0 && decimals == 0) {
    width = default_number_width;
    decimals = default_number_decimals;
  }
  if (width < 1 || width > (text ? widest_text : widest_number) || decimals < 0 ||
      (!text && decimals >= width))
    throw Error(code::out_of_bounds, "field " + name + " cannot be " + std::to_string(width) +
                                         " wide with " + std::to_string(decimals) + " decimals");
  if (!table_)
    fail(path_, "the table is closed");
  const std::size_t offset = table_->add_field(name, text ? 'C' : 'N', width, text ? 0 : decimals);
  fields_.push_back({type, width, decimals, offset});
}

void OutputTable::write_row(std::string_view row_text, std::uint32_t link_count) {
  if (!table_)
    fail(path_, "the table is closed");
  parse_row_text(row_text, values_);
  if (values_.size() > fields_.size())
    throw Error(code::out_of_bounds, "a row of " + std::to_string(values_.size()) + " values for " +
                                         std::to_string(fields_.size()) + " fields");
  if (fields_.empty())
    throw Error(code::general_error, "a table without fields holds no rows");
  finish_pending_line();
  if (link_count > 0 && !lines_)
    start_lines();

  char* record = table_->next_record();
  for (std::size_t k = 0; k < fields_.size(); ++k) {
    const Field& field = fields_[k];
    char* at = record + field.offset;
    const std::string empty;
    const std::string& value = k < values_.size() ? values_[k] : empty;
    const auto width = static_cast<std::size_t>(field.width);
    double number = 0;
    if (field.type == OutputFieldType::text) {
      std::memcpy(at, value.data(), fitting_length(value, width));
    } else if (read_number(value, number)) {
      std::memcpy(at, dbf_number_text(number, field.width, field.decimals).data(), width);
    } else {
      std::memset(at, null_number, width);
    }
  }
  ++rows_;
  links_expected_ = link_count;
  pending_line_ = true;
  if (link_count == 0)
    finish_pending_line();
}

void OutputTable::start_lines() {
  lines_ = std::make_unique<LineShapeWriter>(path_);
  // The rows before the first with links have no line.
  for (std::uint32_t row = 0; row < rows_; ++row)
    lines_->write_null();
}

void OutputTable::add_link(std::span<const Point> points, double from, double to) {
  if (!pending_line_ || links_expected_ == 0)
    throw Error(code::out_of_bounds, "the row expects no more links");
  if (!(from >= 0 && from <= 1 && to >= 0 && to <= 1))
    throw Error(code::out_of_bounds, "a fraction of a link lies outside 0..1");
  link_piece(points, from, to, walked_, piece_);
  if (!piece_.empty()) {
    // A piece that starts where the line stands continues its part; any other starts a part.
    const bool joins = !line_points_.empty() && line_points_.back() == piece_.front();
    if (!joins)
      line_parts_.push_back(static_cast<std::int32_t>(line_points_.size()));
    line_points_.insert(line_points_.end(), piece_.begin() + (joins ? 1 : 0), piece_.end());
  }
  if (--links_expected_ == 0)
    finish_pending_line();
}

void OutputTable::finish_pending_line() {
  if (!pending_line_)
    return;
  pending_line_ = false;
  links_expected_ = 0;
  if (lines_) {
    if (line_points_.empty())
      lines_->write_null();
    else
      lines_->write_line(line_points_, line_parts_);
  }
  line_points_.clear();
  line_parts_.clear();
}

void OutputTable::close() {
  if (!table_)
    return;
  // The files are let go even when finishing them fails: a table is closed once.
  const auto table = std::move(table_);
  finish_pending_line();
  const auto lines = std::move(lines_);
  OutputSet set;
  table->finish(set);
  if (lines)
    lines->finish(set);
  // They go with the record that decides the new set: a kill leaves the old table whole or the
  // new one without them, never the old lines beside the new rows.
  replace_output_set(set, files_not_in(path_, set));
}

} // namespace tamix
