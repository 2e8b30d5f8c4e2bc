#include "data/line_merge.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>

#include "com/hresult.h"
#include "data/folder_files.h"
#include "data/host_error.h"
#include "files/dbf_header.h"
#include "files/dbf_layout.h"
#include "files/file_error.h"
#include "files/replace_file.h"
#include "files/replace_together.h"
#include "files/shape_index.h"

namespace host {

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<unsigned char>;

constexpr std::size_t shape_header_bytes = 100;
constexpr std::size_t record_header_bytes = 8;
constexpr std::int32_t polyline = 3, polyline_z = 13, polyline_m = 23;

std::uint32_t get_big(const unsigned char* at) {
  return std::uint32_t(at[0]) << 24 | std::uint32_t(at[1]) << 16 | std::uint32_t(at[2]) << 8 |
         at[3];
}
void put_big(unsigned char* at, std::uint64_t value) {
  for (int k = 0; k < 4; ++k)
    at[k] = static_cast<unsigned char>(value >> (24 - 8 * k));
}
template <class T> T get(const unsigned char* at) {
  T value;
  std::memcpy(&value, at, sizeof value);
  return value;
}
template <class T> void put(Bytes& out, T value) {
  const auto* at = reinterpret_cast<const unsigned char*>(&value);
  out.insert(out.end(), at, at + sizeof value);
}

Bytes read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw HostError("cannot open " + path);
  Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad())
    throw HostError("cannot read " + path);
  return bytes;
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

class ShapeRecords {
public:
  ShapeRecords(const ShapefilePaths& files)
      : files_(files), shp_(read_file(files.shp)), shx_(read_file(files.shx)) {
    type_ = get<std::int32_t>(&shp_[32]);
    if (type_ != polyline && type_ != polyline_z && type_ != polyline_m)
      throw HostError(files.shp + ": only line shapefiles can have their lines joined",
                      com::E_INVALIDARG);
  }

  std::int32_t type() const { return type_; }
  std::size_t count() const { return (shx_.size() - shape_header_bytes) / record_header_bytes; }
  const Bytes& header() const { return shp_; }

  // The record's content (after its 8-byte header).
  std::pair<const unsigned char*, std::size_t> content(std::size_t record) const {
    const unsigned char* entry = &shx_[shape_header_bytes + record * record_header_bytes];
    const std::size_t offset = std::size_t(get_big(entry)) * 2;
    const std::size_t length = std::size_t(get_big(entry + 4)) * 2;
    return {&shp_[offset + record_header_bytes], length};
  }

  Line line(std::size_t record) const {
    const auto [at, length] = content(record);
    const auto fail = [&](const std::string& what) -> HostError {
      return HostError(files_.shp + ": record " + std::to_string(record + 1) + " " + what,
                       com::E_INVALIDARG);
    };
    if (length < 4 || get<std::int32_t>(at) == 0)
      throw fail("has no line to join");
    if (length < 44)
      throw fail("is shorter than a line's header");
    const auto part_count = get<std::int32_t>(at + 36), point_count = get<std::int32_t>(at + 40);
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
    if (type_ == polyline_z) {
      if (at_range + 16 + 8 * n > length)
        throw fail("is shorter than its Z values");
      zs = at + at_range + 16;
      at_range += 16 + 8 * n;
    }
    if (type_ != polyline && at_range + 16 + 8 * n <= length)
      ms = at + at_range + 16;
    Line line;
    for (std::int32_t p = 0; p < part_count; ++p) {
      const auto begin = get<std::int32_t>(starts + 4 * p);
      const auto end = p + 1 < part_count ? get<std::int32_t>(starts + 4 * (p + 1)) : point_count;
      if (begin < 0 || end > point_count || begin >= end)
        throw fail("has a part without points");
      Part part;
      for (std::int32_t i = begin; i < end; ++i)
        part.push_back({get<double>(xy + 16 * i), get<double>(xy + 16 * i + 8),
                        zs ? get<double>(zs + 8 * i) : 0.0, ms ? get<double>(ms + 8 * i) : 0.0});
      line.parts.push_back(std::move(part));
    }
    return line;
  }

private:
  const ShapefilePaths& files_;
  Bytes shp_, shx_;
  std::int32_t type_ = 0;
};

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

// The new files, whole, in memory.
struct NewFiles {
  Bytes shp, shx, dbf;
};

NewFiles build(const ShapefilePaths& files, const ShapeRecords& shapes,
               const files::DbfHeader& table, const Bytes& dbf,
               const std::vector<std::vector<std::int32_t>>& runs) {
  const std::size_t count = shapes.count();
  if (table.record_count != count)
    throw HostError(files.dbf + " holds " + std::to_string(table.record_count) + " records, " +
                        files.shx + " " + std::to_string(count),
                    com::E_INVALIDARG);
  std::vector<std::uint8_t> taken(count, 0);
  std::vector<Line> joined;
  for (const auto& run : runs) {
    if (run.size() < 2)
      throw HostError("a run of joined lines needs two features at least", com::E_INVALIDARG);
    for (const std::int32_t id : run) {
      if (id < 0 || std::size_t(id) >= count || taken[id])
        throw HostError(
            files.shp + ": feature " + std::to_string(id) +
                (id < 0 || std::size_t(id) >= count ? " does not exist" : " is in two runs"),
            com::E_INVALIDARG);
      taken[id] = 1;
    }
    Line grown = shapes.line(run.front());
    for (std::size_t k = 1; k < run.size(); ++k)
      if (!join(grown, shapes.line(run[k])))
        throw HostError(files.shp + ": feature " + std::to_string(run[k]) +
                            " does not meet the line it is to join",
                        com::E_INVALIDARG);
    joined.push_back(std::move(grown));
  }

  NewFiles out;
  out.shp.assign(shapes.header().begin(), shapes.header().begin() + shape_header_bytes);
  out.shx = out.shp;
  std::uint32_t number = 0;
  const auto add_shape = [&](const unsigned char* content, std::size_t length) {
    std::array<unsigned char, record_header_bytes> entry;
    put_big(&entry[0], out.shp.size() / 2);
    put_big(&entry[4], length / 2);
    out.shx.insert(out.shx.end(), entry.begin(), entry.end());
    put_big(&entry[0], ++number);
    out.shp.insert(out.shp.end(), entry.begin(), entry.end());
    out.shp.insert(out.shp.end(), content, content + length);
  };
  out.dbf.assign(dbf.begin(), dbf.begin() + table.header_length);
  const auto add_row = [&](std::size_t record) {
    const auto* at = &dbf[table.header_length + record * std::size_t(table.record_length)];
    out.dbf.insert(out.dbf.end(), at, at + table.record_length);
  };
  for (std::size_t r = 0; r < count; ++r)
    if (!taken[r]) {
      const auto [content, length] = shapes.content(r);
      add_shape(content, length);
      add_row(r);
    }
  for (std::size_t k = 0; k < runs.size(); ++k) {
    const Bytes content = encode(joined[k], shapes.type());
    add_shape(content.data(), content.size());
    add_row(std::size_t(runs[k].front()));
  }
  out.dbf.push_back(files::dbf::file_end);

  // Headers: the file lengths, the bounding box of what is left, the record count.
  if (out.shp.size() / 2 > 0x7FFFFFFF)
    throw HostError(files.shp + ": the joined lines would outgrow a shapefile");
  put_big(&out.shp[24], out.shp.size() / 2);
  put_big(&out.shx[24], out.shx.size() / 2);
  constexpr double inf = std::numeric_limits<double>::infinity();
  std::array<double, 4> box{inf, inf, -inf, -inf};
  for (std::size_t at = shape_header_bytes; at < out.shp.size();) {
    const std::size_t length = std::size_t(get_big(&out.shp[at + 4])) * 2;
    const unsigned char* content = &out.shp[at + record_header_bytes];
    if (length >= 36 && get<std::int32_t>(content) != 0)
      box = {
          std::min(box[0], get<double>(content + 4)), std::min(box[1], get<double>(content + 12)),
          std::max(box[2], get<double>(content + 20)), std::max(box[3], get<double>(content + 28))};
    at += record_header_bytes + length;
  }
  if (box[0] > box[2])
    box = {0, 0, 0, 0};
  for (Bytes* file : {&out.shp, &out.shx})
    for (int k = 0; k < 4; ++k)
      std::memcpy(&(*file)[36 + 8 * k], &box[k], 8);
  const auto rows = std::uint32_t(count - std::count(taken.begin(), taken.end(), 1) + runs.size());
  std::memcpy(&out.dbf[files::dbf::record_count_at], &rows, 4);
  return out;
}

} // namespace

void merge_line_records(const ShapefilePaths& given,
                        const std::vector<std::vector<std::int32_t>>& runs) {
  try {
    // Files reached through symbolic links are read, written and read back beside the files
    // the links name, so the links stay links and every step sees the same files.
    const ShapefilePaths files{files::replaced_file(given.shp).string(),
                               files::replaced_file(given.shx).string(),
                               files::replaced_file(given.dbf).string()};
    for (const std::string* file : {&files.shp, &files.shx, &files.dbf})
      files::finish_replacement(*file);
    files::check_shape_index(files.shp, files.shx);
    const files::DbfHeader table = files::read_dbf_header(files.dbf);
    const ShapeRecords shapes(files);
    const Bytes dbf = read_file(files.dbf);
    if (dbf.size() < table.records_end())
      throw HostError(files.dbf + " changed while it was read");
    const NewFiles made = build(files, shapes, table, dbf, runs);

    std::vector<std::unique_ptr<files::ReplacingFile>> written;
    for (const auto& [path, bytes] :
         {std::pair{&files.shp, &made.shp}, {&files.shx, &made.shx}, {&files.dbf, &made.dbf}}) {
      written.push_back(std::make_unique<files::ReplacingFile>(*path));
      written.back()->write_at(0, bytes->data(), bytes->size());
    }
    // Read back through the same checks every reader makes before it trusts a file.
    files::check_shape_index(files::temporary_path(files.shp), files::temporary_path(files.shx));
    if (files::read_dbf_header(files::temporary_path(files.dbf)).record_count !=
        (made.shx.size() - shape_header_bytes) / record_header_bytes)
      throw HostError(files.dbf + ": the new table does not match the new lines");

    // Before the new set is decided: an index left beside a new ".shp" would send other tools
    // to the wrong records, while one lost beside the old set is only rebuilt.
    files::remove_stale_indexes(given.shp);
    files::remove_stale_indexes(files.shp);
    files::replace_together(written);
  } catch (const files::FileError& error) {
    throw HostError(error.what(), com::E_INVALIDARG);
  }
}

} // namespace host
