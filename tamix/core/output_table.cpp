#include "output_table.h"

#include "error.h"
#include "result_field.h"

#include <shapefil.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace tamix {
namespace {

constexpr int widest_text = 254;
constexpr int widest_number = 32;

[[noreturn]] void fail(const std::filesystem::path& path, const std::string& why) {
  throw Error(code::output_file_failed, "output table " + path.string() + ": " + why);
}

std::filesystem::path with_extension(std::filesystem::path path, const char* extension) {
  path += extension;
  return path;
}

void remove_old_files(const std::filesystem::path& path) {
  for (const char* extension : {".dbf", ".shp", ".shx", ".cpg", ".prj"}) {
    std::error_code error;
    std::filesystem::remove(with_extension(path, extension), error);
    if (error) fail(path, "the old " + std::string(extension) + " cannot be deleted");
  }
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// Cuts UTF-8 text to at most `width` bytes without splitting a character.
std::string cut_to_width(std::string text, std::size_t width) {
  if (text.size() <= width) return text;
  std::size_t end = width;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  text.resize(end);
  return text;
}

bool read_number(const std::string& text, double& value) {
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (begin != end && *begin == '+') ++begin;
  const auto [stop, error] = std::from_chars(begin, end, value);
  return error == std::errc() && stop == end && std::isfinite(value);
}

// The point `distance` along the line (clamped to its ends; the ends themselves exactly, so
// pieces of links meeting at a node join without a gap).
Point point_along(std::span<const Point> points, const std::vector<double>& walked,
                  double distance) {
  if (distance <= 0) return points.front();
  if (distance >= walked.back()) return points.back();
  const std::size_t k = std::upper_bound(walked.begin(), walked.end(), distance) - walked.begin();
  const double share = (distance - walked[k - 1]) / (walked[k] - walked[k - 1]);
  const Point a = points[k - 1], b = points[k];
  return {a.x + share * (b.x - a.x), a.y + share * (b.y - a.y)};
}

// The part of the line `points` between the fractions `from` and `to` of its length, in the
// direction from -> to.
std::vector<Point> link_piece(std::span<const Point> points, double from, double to) {
  if (points.empty()) return {};
  std::vector<double> walked(points.size(), 0.0);
  for (std::size_t k = 1; k < points.size(); ++k)
    walked[k] = walked[k - 1] + std::hypot(points[k].x - points[k - 1].x,
                                           points[k].y - points[k - 1].y);
  const double low = std::min(from, to) * walked.back();
  const double high = std::max(from, to) * walked.back();
  std::vector<Point> piece{point_along(points, walked, low)};
  for (std::size_t k = 0; k < points.size(); ++k)
    if (walked[k] > low && walked[k] < high) piece.push_back(points[k]);
  piece.push_back(point_along(points, walked, high));
  if (from > to) std::reverse(piece.begin(), piece.end());
  return piece;
}

} // namespace

std::vector<std::string> parse_row_text(std::string_view text) {
  std::vector<std::string> values;
  std::size_t at = 0;
  if (text.find_first_not_of(" \t") == std::string_view::npos) return values;
  while (true) {
    std::string value;
    while (at < text.size() && is_blank(text[at])) ++at;
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
        if (!is_blank(text[at])) value += text[at];
        ++at;
      }
    } else {
      while (at < text.size() && text[at] != ',') value += text[at++];
      while (!value.empty() && is_blank(value.back())) value.pop_back();
    }
    values.push_back(std::move(value));
    if (at >= text.size()) return values;
    ++at; // the comma
  }
}

struct OutputTable::Files {
  DBFHandle table = nullptr;
  SHPHandle lines = nullptr;

  ~Files() {
    if (table) DBFClose(table);
    if (lines) SHPClose(lines);
  }
};

OutputTable::OutputTable(std::filesystem::path path)
    : path_(std::move(path)), files_(std::make_unique<Files>()) {
  remove_old_files(path_);
  files_->table = DBFCreateEx(with_extension(path_, ".dbf").c_str(), "UTF-8");
  if (!files_->table) fail(path_, "the .dbf cannot be created");
  files_->lines = SHPCreate(with_extension(path_, ".shp").c_str(), SHPT_ARC);
  if (!files_->lines) fail(path_, "the .shp cannot be created");
}

OutputTable::~OutputTable() {
  try {
    close();
  } catch (const Error&) {
    // Dropped without close(): the rows written so far are all that can be kept.
  }
}

void OutputTable::add_field(const std::string& name, OutputFieldType type, int width,
                            int decimals) {
  if (rows_ > 0) throw Error(code::general_error, "fields must come before the first row");
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
  if (DBFAddField(files_->table, name.c_str(), text ? FTString : FTDouble, width,
                  text ? 0 : decimals) < 0)
    fail(path_, "field " + name + " cannot be added");
  fields_.push_back({type, width, decimals});
}

void OutputTable::write_row(std::string_view row_text, std::uint32_t link_count) {
  if (!files_) fail(path_, "the table is closed");
  const std::vector<std::string> values = parse_row_text(row_text);
  if (values.size() > fields_.size())
    throw Error(code::out_of_bounds, "a row of " + std::to_string(values.size()) +
                                         " values for " + std::to_string(fields_.size()) +
                                         " fields");
  if (fields_.empty()) throw Error(code::general_error, "a table without fields holds no rows");
  finish_pending_line();

  const int row = static_cast<int>(rows_);
  bool written = true;
  for (std::size_t k = 0; k < fields_.size(); ++k) {
    const Field& field = fields_[k];
    const int f = static_cast<int>(k);
    const std::string value = k < values.size() ? values[k] : std::string();
    double number = 0;
    if (field.type == OutputFieldType::text) {
      const std::string cut = cut_to_width(value, static_cast<std::size_t>(field.width));
      written &= DBFWriteStringAttribute(files_->table, row, f, cut.c_str()) != 0;
    } else if (read_number(value, number)) {
      std::string text = dbf_number_text(number, field.width, field.decimals);
      written &= DBFWriteAttributeDirectly(files_->table, row, f, text.data()) != 0;
    } else {
      written &= DBFWriteNULLAttribute(files_->table, row, f) != 0;
    }
  }
  if (!written) fail(path_, "row " + std::to_string(rows_ + 1) + " cannot be written");
  ++rows_;
  any_links_ = any_links_ || link_count > 0;
  links_expected_ = link_count;
  pending_line_ = true;
  if (link_count == 0) finish_pending_line();
}

void OutputTable::add_link(std::span<const Point> points, double from, double to) {
  if (!pending_line_ || links_expected_ == 0)
    throw Error(code::out_of_bounds, "the row expects no more links");
  if (!(from >= 0 && from <= 1 && to >= 0 && to <= 1))
    throw Error(code::out_of_bounds, "a fraction of a link lies outside 0..1");
  std::vector<Point> piece = link_piece(points, from, to);
  if (!piece.empty()) {
    if (!pending_parts_.empty() && pending_parts_.back().back() == piece.front())
      pending_parts_.back().insert(pending_parts_.back().end(), piece.begin() + 1, piece.end());
    else
      pending_parts_.push_back(std::move(piece));
  }
  if (--links_expected_ == 0) finish_pending_line();
}

void OutputTable::finish_pending_line() {
  if (!pending_line_) return;
  std::vector<int> part_starts;
  std::vector<double> xs, ys;
  for (const auto& part : pending_parts_) {
    part_starts.push_back(static_cast<int>(xs.size()));
    for (const Point& p : part) {
      xs.push_back(p.x);
      ys.push_back(p.y);
    }
  }
  SHPObject* line =
      xs.empty() ? SHPCreateSimpleObject(SHPT_NULL, 0, nullptr, nullptr, nullptr)
                 : SHPCreateObject(SHPT_ARC, -1, static_cast<int>(part_starts.size()),
                                   part_starts.data(), nullptr, static_cast<int>(xs.size()),
                                   xs.data(), ys.data(), nullptr, nullptr);
  const int written = SHPWriteObject(files_->lines, -1, line);
  SHPDestroyObject(line);
  pending_parts_.clear();
  pending_line_ = false;
  links_expected_ = 0;
  if (written < 0) fail(path_, "the line of row " + std::to_string(rows_) + " cannot be written");
}

void OutputTable::close() {
  if (!files_) return;
  finish_pending_line();
  files_.reset();
  if (any_links_) return;
  std::error_code error;
  for (const char* extension : {".shp", ".shx"})
    std::filesystem::remove(with_extension(path_, extension), error);
}

} // namespace tamix
