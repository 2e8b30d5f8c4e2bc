#include "output_table_lines.h"

#include "error.h"
#include "files/shape_layout.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace tamix {
namespace {

// The points go to the file as they lie in memory: two little-endian doubles each.
static_assert(std::endian::native == std::endian::little && sizeof(Point) == 16);

namespace shape = files::shape;

constexpr std::int32_t null_shape = 0;
// Shape type, bounding box, part count, point count.
constexpr std::size_t line_head_bytes = 4 + 32 + 4 + 4;
// Readers take the file's length in bytes as 32 bits unsigned.
constexpr std::uint64_t largest_file = 0xFFFFFFFF;

void put_little(unsigned char* at, std::int32_t value) { std::memcpy(at, &value, 4); }
void put_little(unsigned char* at, double value) { std::memcpy(at, &value, 8); }

// Lengths in the shapefile count 16-bit words.
std::uint64_t words(std::uint64_t bytes) { return bytes / 2; }

} // namespace

LineShapeWriter::LineShapeWriter(const std::filesystem::path& base, ShapeKind kind)
    : kind_(static_cast<std::int32_t>(kind)), shapes_(with_extension(base, ".shp")),
      index_(with_extension(base, ".shx")) {
  write_headers();
}

void LineShapeWriter::write_headers() {
  const bool first = shapes_.size() == 0;
  for (OutputFile* file : {&shapes_, &index_}) {
    std::array<unsigned char, shape::header_bytes> header{};
    shape::put_big(&header[0], shape::file_code);
    shape::put_big(&header[shape::file_length_at],
                   words(first ? shape::header_bytes : file->size()));
    put_little(&header[shape::version_at], shape::version);
    put_little(&header[shape::shape_type_at], kind_);
    if (any_line_) {
      put_little(&header[shape::box_at], low_.x);
      put_little(&header[shape::box_at + 8], low_.y);
      put_little(&header[shape::box_at + 16], high_.x);
      put_little(&header[shape::box_at + 24], high_.y);
    }
    if (first)
      file->append(header.data(), header.size());
    else
      file->write_at(0, header.data(), header.size());
  }
}

void LineShapeWriter::write_record(std::span<const unsigned char> head,
                                   std::span<const std::int32_t> parts,
                                   std::span<const Point> points) {
  const std::uint64_t content = head.size() + parts.size_bytes() + points.size_bytes();
  std::array<unsigned char, shape::record_header_bytes> entry;
  if (shapes_.size() + entry.size() + content > largest_file)
    throw NotWritten("the lines outgrow the 4 GB of a shapefile");
  shape::put_big(&entry[0], words(shapes_.size()));
  shape::put_big(&entry[4], words(content));
  index_.append(entry.data(), entry.size());
  shape::put_big(&entry[0], ++records_);
  shapes_.append(entry.data(), entry.size());
  shapes_.append(head.data(), head.size());
  shapes_.append(parts.data(), parts.size_bytes());
  shapes_.append(points.data(), points.size_bytes());
}

void LineShapeWriter::write_null() {
  std::array<unsigned char, 4> head;
  put_little(&head[0], null_shape);
  write_record(head, {}, {});
}

void LineShapeWriter::write_line(std::span<const Point> points,
                                 std::span<const std::int32_t> part_starts) {
  Point low = points.front(), high = points.front();
  for (const Point& p : points) {
    low = {std::min(low.x, p.x), std::min(low.y, p.y)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y)};
  }
  std::array<unsigned char, line_head_bytes> head;
  put_little(&head[0], kind_);
  put_little(&head[4], low.x);
  put_little(&head[12], low.y);
  put_little(&head[20], high.x);
  put_little(&head[28], high.y);
  put_little(&head[36], static_cast<std::int32_t>(part_starts.size()));
  put_little(&head[40], static_cast<std::int32_t>(points.size()));
  write_record(head, part_starts, points);
  widen_bounds(low, high);
}

void LineShapeWriter::write_point(const Point& point) {
  std::array<unsigned char, 4> head;
  put_little(&head[0], kind_);
  write_record(head, {}, {&point, 1});
  widen_bounds(point, point);
}

void LineShapeWriter::widen_bounds(const Point& low, const Point& high) {
  if (!any_line_) {
    low_ = low;
    high_ = high;
    any_line_ = true;
  }
  low_ = {std::min(low_.x, low.x), std::min(low_.y, low.y)};
  high_ = {std::max(high_.x, high.x), std::max(high_.y, high.y)};
}

void LineShapeWriter::finish(OutputSet& set) {
  write_headers();
  shapes_.finish(set);
  index_.finish(set);
}

} // namespace tamix
