#include "data/line_merge.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <limits>
#include <utility>

#include "com/hresult.h"
#include "data/host_error.h"
#include "data/record_bytes.h"
#include "data/set_rewrite.h"
#include "files/file_error.h"

namespace host {

namespace {

using Bytes = std::vector<unsigned char>;

constexpr std::int32_t polyline = 3, polyline_z = 13, polyline_m = 23;

template <class T> void put(Bytes& out, T value) {
  const auto* at = reinterpret_cast<const unsigned char*>(&value);
  out.insert(out.end(), at, at + sizeof value);
}

struct Vertex {
  double x, y, z, m;
  bool same_place(const Vertex& other) const { return x == other.x && y == other.y; }
};
using Part = std::vector<Vertex>;

// A line with every part of its record, Z and M carried along (0 where the file has none).
struct Line {
  std::vector<Part> parts;
  const Vertex& first() const { return parts.front().front(); }
  const Vertex& last() const { return parts.back().back(); }
};

void reverse(Line& line) {
  std::reverse(line.parts.begin(), line.parts.end());
  for (Part& part : line.parts)
    std::reverse(part.begin(), part.end());
}

// `tail` goes after `head`; where they meet, the two parts become one.
void append(Line& head, Line tail) {
  Part& joint = head.parts.back();
  joint.insert(joint.end(), tail.parts.front().begin() + 1, tail.parts.front().end());
  head.parts.insert(head.parts.end(), std::make_move_iterator(tail.parts.begin() + 1),
                    std::make_move_iterator(tail.parts.end()));
}

// False when `other` has no end point on an end of `grown`.
bool join(Line& grown, Line other) {
  if (grown.last().same_place(other.first())) {
    append(grown, std::move(other));
  } else if (grown.last().same_place(other.last())) {
    reverse(other);
    append(grown, std::move(other));
  } else if (grown.first().same_place(other.last())) {
    append(other, std::move(grown));
    grown = std::move(other);
  } else if (grown.first().same_place(other.first())) {
    reverse(other);
    append(other, std::move(grown));
    grown = std::move(other);
  } else {
    return false;
  }
  return true;
}

Line line_of(const SetRecords& set, std::size_t record) {
  const auto [at, length] = set.shape(record);
  const std::int32_t type = set.shape_type();
  const auto fail = [&](const std::string& what) -> HostError {
    return HostError(set.files().shp + ": record " + std::to_string(record + 1) + " " + what,
                     com::E_INVALIDARG);
  };
  if (length < 4 || read_value<std::int32_t>(at) == 0)
    throw fail("has no line to join");
  if (length < 44)
    throw fail("is shorter than a line's header");
  const auto part_count = read_value<std::int32_t>(at + 36),
             point_count = read_value<std::int32_t>(at + 40);
  const std::size_t xy_end = 44 + 4 * std::size_t(part_count) + 16 * std::size_t(point_count);
  if (part_count < 1 || point_count < 2 || part_count > point_count || xy_end > length)
    throw fail("holds part or point counts that do not fit it");
  const unsigned char* starts = at + 44;
  const unsigned char* xy = starts + 4 * part_count;
  const std::size_t n = std::size_t(point_count);
  // Z follows the points (a range, then one value each), M after it; M is optional.
  const unsigned char* zs = nullptr;
  const unsigned char* ms = nullptr;
  std::size_t at_range = xy_end;
  if (type == polyline_z) {
    if (at_range + 16 + 8 * n > length)
      throw fail("is shorter than its Z values");
    zs = at + at_range + 16;
    at_range += 16 + 8 * n;
  }
  if (type != polyline && at_range + 16 + 8 * n <= length)
    ms = at + at_range + 16;
  Line line;
  for (std::int32_t p = 0; p < part_count; ++p) {
    const auto begin = read_value<std::int32_t>(starts + 4 * p);
    const auto end =
        p + 1 < part_count ? read_value<std::int32_t>(starts + 4 * (p + 1)) : point_count;
    if (begin < 0 || end > point_count || begin >= end)
      throw fail("has a part without points");
    Part part;
    for (std::int32_t i = begin; i < end; ++i)
      part.push_back({read_value<double>(xy + 16 * i), read_value<double>(xy + 16 * i + 8),
                      zs ? read_value<double>(zs + 8 * i) : 0.0,
                      ms ? read_value<double>(ms + 8 * i) : 0.0});
    line.parts.push_back(std::move(part));
  }
  return line;
}

// The record content of `line` in the file's shape type.
Bytes encode(const Line& line, std::int32_t type) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  std::array<double, 4> box{inf, inf, -inf, -inf};
  std::array<double, 2> z{inf, -inf}, m{inf, -inf};
  std::int32_t points = 0;
  for (const Part& part : line.parts)
    for (const Vertex& v : part) {
      box = {std::min(box[0], v.x), std::min(box[1], v.y), std::max(box[2], v.x),
             std::max(box[3], v.y)};
      z = {std::min(z[0], v.z), std::max(z[1], v.z)};
      m = {std::min(m[0], v.m), std::max(m[1], v.m)};
      ++points;
    }
  Bytes out;
  put(out, type);
  for (double value : box)
    put(out, value);
  put(out, std::int32_t(line.parts.size()));
  put(out, points);
  std::int32_t start = 0;
  for (const Part& part : line.parts) {
    put(out, start);
    start += std::int32_t(part.size());
  }
  const auto values = [&](auto member) {
    for (const Part& part : line.parts)
      for (const Vertex& v : part)
        put(out, v.*member);
  };
  for (const Part& part : line.parts)
    for (const Vertex& v : part) {
      put(out, v.x);
      put(out, v.y);
    }
  if (type == polyline_z) {
    put(out, z[0]);
    put(out, z[1]);
    values(&Vertex::z);
  }
  if (type != polyline) {
    put(out, m[0]);
    put(out, m[1]);
    values(&Vertex::m);
  }
  return out;
}

// The records the runs drop, and the joined lines that take their place, each with the row of
// its run's first record.
std::pair<std::vector<std::uint8_t>, AddedRecords>
join_runs(const SetRecords& set, const std::vector<std::vector<std::int32_t>>& runs) {
  const std::size_t count = set.count();
  const std::string& shp = set.files().shp;
  std::vector<std::uint8_t> taken(count, 0);
  AddedRecords joined;
  for (const auto& run : runs) {
    if (run.size() < 2)
      throw HostError("a run of joined lines needs two features at least", com::E_INVALIDARG);
    for (const std::int32_t id : run) {
      if (id < 0 || std::size_t(id) >= count || taken[id])
        throw HostError(
            shp + ": feature " + std::to_string(id) +
                (id < 0 || std::size_t(id) >= count ? " does not exist" : " is in two runs"),
            com::E_INVALIDARG);
      taken[id] = 1;
    }
    Line grown = line_of(set, run.front());
    for (std::size_t k = 1; k < run.size(); ++k)
      if (!join(grown, line_of(set, run[k])))
        throw HostError(shp + ": feature " + std::to_string(run[k]) +
                            " does not meet the line it is to join",
                        com::E_INVALIDARG);
    joined.shapes.push_back(encode(grown, set.shape_type()));
    joined.rows.push_back(std::size_t(run.front()));
  }
  return {std::move(taken), std::move(joined)};
}

} // namespace

void merge_line_records(const ShapefilePaths& given,
                        const std::vector<std::vector<std::int32_t>>& runs) {
  try {
    const SetRecords set(given);
    const std::int32_t type = set.shape_type();
    if (type != polyline && type != polyline_z && type != polyline_m)
      throw HostError(set.files().shp + ": only line shapefiles can have their lines joined",
                      com::E_INVALIDARG);
    const auto [taken, joined] = join_runs(set, runs);
    rewrite_set(set, taken, joined);
  } catch (const files::FileError& error) {
    throw HostError(error.what(), com::E_INVALIDARG);
  }
}

} // namespace host
