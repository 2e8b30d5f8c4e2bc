#include "data/set_rewrite.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>

#include "com/hresult.h"
#include "data/host_error.h"
#include "data/record_bytes.h"
#include "data/replace_set.h"
#include "files/dbf_layout.h"
#include "files/file_error.h"
#include "files/replace_file.h"
#include "files/replace_together.h"
#include "files/shape_index.h"
#include "files/shape_layout.h"

namespace host {

namespace {

using Bytes = std::vector<unsigned char>;

using files::shape::box_at;
using files::shape::file_length_at;
using files::shape::get_big;
using files::shape::header_bytes;
using files::shape::put_big;
using files::shape::record_header_bytes;
using files::shape::shape_type_at;
constexpr std::int32_t null_shape = 0, point = 1, point_z = 11, point_m = 21;

Bytes read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw HostError("cannot open " + path);
  Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad())
    throw HostError("cannot read " + path);
  return bytes;
}

std::string resolved(const std::string& file) {
  return file.empty() ? file : files::replaced_file(file).string();
}

// The box (xmin, ymin, xmax, ymax) of a shape's content; none for a null shape.
std::optional<std::array<double, 4>> box_of(const unsigned char* content, std::size_t length) {
  if (length < 4)
    return std::nullopt;
  const auto type = read_value<std::int32_t>(content);
  if (type == null_shape)
    return std::nullopt;
  if (type == point || type == point_z || type == point_m) {
    if (length < 20)
      return std::nullopt;
    const double x = read_value<double>(content + 4), y = read_value<double>(content + 12);
    return std::array<double, 4>{x, y, x, y};
  }
  if (length < 36)
    return std::nullopt;
  return std::array<double, 4>{read_value<double>(content + 4), read_value<double>(content + 12),
                               read_value<double>(content + 20), read_value<double>(content + 28)};
}

// The new files, whole, in memory.
struct NewFiles {
  Bytes shp, shx, dbf;
};

NewFiles build(const SetRecords& old, const std::vector<std::uint8_t>& dropped,
               const AddedRecords& added) {
  const files::DbfHeader& table = old.table();
  NewFiles out;
  out.dbf.assign(table.bytes.begin(), table.bytes.end());
  if (old.has_shapes()) {
    out.shp.assign(old.shape_header(), old.shape_header() + header_bytes);
    out.shx = out.shp;
  }
  std::uint32_t number = 0;
  const auto add = [&](const unsigned char* content, std::size_t length, std::size_t row) {
    if (old.has_shapes()) {
      std::array<unsigned char, record_header_bytes> entry;
      put_big(&entry[0], out.shp.size() / 2);
      put_big(&entry[4], length / 2);
      out.shx.insert(out.shx.end(), entry.begin(), entry.end());
      put_big(&entry[0], number + 1);
      out.shp.insert(out.shp.end(), entry.begin(), entry.end());
      out.shp.insert(out.shp.end(), content, content + length);
    }
    ++number;
    const unsigned char* at = old.row(row);
    out.dbf.insert(out.dbf.end(), at, at + table.record_length);
  };
  for (std::size_t r = 0; r < old.count(); ++r)
    if (!dropped[r]) {
      const auto [content, length] =
          old.has_shapes() ? old.shape(r) : std::pair<const unsigned char*, std::size_t>{};
      add(content, length, r);
    }
  for (std::size_t k = 0; k < added.rows.size(); ++k)
    add(added.shapes[k].data(), added.shapes[k].size(), added.rows[k]);
  out.dbf.push_back(files::dbf::file_end);
  std::memcpy(&out.dbf[files::dbf::record_count_at], &number, 4);
  if (!old.has_shapes())
    return out;

  // The file lengths, and the box of what is left.
  if (out.shp.size() / 2 > 0x7FFFFFFF)
    throw HostError(old.files().shp + ": the rewritten shapes would outgrow a shapefile");
  put_big(&out.shp[file_length_at], out.shp.size() / 2);
  put_big(&out.shx[file_length_at], out.shx.size() / 2);
  constexpr double inf = std::numeric_limits<double>::infinity();
  std::array<double, 4> box{inf, inf, -inf, -inf};
  for (std::size_t at = header_bytes; at < out.shp.size();) {
    const std::size_t length = std::size_t(get_big(&out.shp[at + 4])) * 2;
    if (const auto shape = box_of(&out.shp[at + record_header_bytes], length))
      box = {std::min(box[0], (*shape)[0]), std::min(box[1], (*shape)[1]),
             std::max(box[2], (*shape)[2]), std::max(box[3], (*shape)[3])};
    at += record_header_bytes + length;
  }
  if (box[0] > box[2])
    box = {0, 0, 0, 0};
  for (Bytes* file : {&out.shp, &out.shx})
    for (int k = 0; k < 4; ++k)
      std::memcpy(&(*file)[box_at + 8 * k], &box[k], 8);
  return out;
}

} // namespace

SetRecords::SetRecords(const ShapefilePaths& given)
    : given_(given), files_{resolved(given.shp), resolved(given.shx), resolved(given.dbf)} {
  for (const std::string* file : {&files_.shp, &files_.shx, &files_.dbf})
    if (!file->empty())
      files::finish_replacement(*file);
  std::uint64_t shapes = 0;
  if (has_shapes())
    shapes = files::check_shape_index(files_.shp, files_.shx);
  table_ = files::read_dbf_header(files_.dbf);
  if (has_shapes()) {
    shp_ = read_file(files_.shp);
    shx_ = read_file(files_.shx);
  }
  dbf_ = read_file(files_.dbf);
  if (dbf_.size() < table_.records_end())
    throw HostError(files_.dbf + " changed while it was read");
  if (has_shapes() && (table_.record_count != shapes ||
                       shx_.size() < header_bytes + shapes * record_header_bytes))
    throw HostError(files_.dbf + " holds " + std::to_string(table_.record_count) + " records, " +
                        files_.shx + " " + std::to_string(shapes),
                    com::E_INVALIDARG);
}

std::int32_t SetRecords::shape_type() const {
  return has_shapes() ? read_value<std::int32_t>(&shp_[shape_type_at]) : null_shape;
}

std::pair<const unsigned char*, std::size_t> SetRecords::shape(std::size_t record) const {
  const unsigned char* entry = &shx_[header_bytes + record * record_header_bytes];
  const std::size_t offset = std::size_t(get_big(entry)) * 2;
  const std::size_t length = std::size_t(get_big(entry + 4)) * 2;
  // The index was checked against the file on disk, not against the bytes read after it.
  if (offset + record_header_bytes + length > shp_.size())
    throw HostError(files_.shp + " changed while it was read");
  return {&shp_[offset + record_header_bytes], length};
}

void rewrite_set(const SetRecords& old, const std::vector<std::uint8_t>& dropped,
                 const AddedRecords& added) {
  const NewFiles made = build(old, dropped, added);
  const ShapefilePaths& files = old.files();
  std::vector<std::unique_ptr<files::ReplacingFile>> written;
  ReadBack set;
  set.dbf = files.dbf;
  set.records = std::count(dropped.begin(), dropped.end(), 0) + added.rows.size();
  if (old.has_shapes()) {
    set.shp = files.shp;
    set.shx = files.shx;
  }
  try {
    for (const auto& [path, bytes] :
         {std::pair{&files.shp, &made.shp}, {&files.shx, &made.shx}, {&files.dbf, &made.dbf}}) {
      if (path->empty())
        continue;
      written.push_back(std::make_unique<files::ReplacingFile>(*path));
      written.back()->write_at(0, bytes->data(), bytes->size());
    }
  } catch (const files::FileError& error) {
    throw HostError::about_file(as_the_user_knows(error.what(), written));
  }
  // The indexes beside the files as given and beside the files the links name.
  const auto owner = [](const ShapefilePaths& paths) {
    return paths.shp.empty() ? paths.dbf : paths.shp;
  };
  set.stale_indexes_beside = {owner(old.given()), owner(files)};
  replace_after_read_back(written, set);
}

} // namespace host
