#include "data/shp_file.h"

#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>
#include <vector>

#include "data/buffered_reads.h"
#include "data/host_error.h"
#include "data/shapelib_hooks.h"
#include "files/file_error.h"
#include "files/replace_together.h"
#include "files/shape_index.h"
#include "geometry/ring_winding.h"

namespace host {

namespace {

int host_type(int shp_type) {
  switch (shp_type) {
  case SHPT_POINT:
  case SHPT_POINTZ:
  case SHPT_POINTM:
    return geometry_point;
  case SHPT_MULTIPOINT:
  case SHPT_MULTIPOINTZ:
  case SHPT_MULTIPOINTM:
    return geometry_multipoint;
  case SHPT_ARC:
  case SHPT_ARCZ:
  case SHPT_ARCM:
    return geometry_polyline;
  case SHPT_POLYGON:
  case SHPT_POLYGONZ:
  case SHPT_POLYGONM:
    return geometry_polygon;
  default:
    return geometry_null;
  }
}

int shp_type(int host) {
  switch (host) {
  case geometry_point:
    return SHPT_POINT;
  case geometry_multipoint:
    return SHPT_MULTIPOINT;
  case geometry_polyline:
    return SHPT_ARC;
  case geometry_polygon:
    return SHPT_POLYGON;
  default:
    throw HostError("a shapefile cannot hold geometry of type " + std::to_string(host),
                    com::E_INVALIDARG);
  }
}

struct ObjectDeleter {
  void operator()(SHPObject* o) const { SHPDestroyObject(o); }
};
using ObjectPtr = std::unique_ptr<SHPObject, ObjectDeleter>;

// The index beside `base`.shp, in either letter case as shapefiles come.
std::filesystem::path index_path(const std::string& base) {
  const std::filesystem::path lower = base + ".shx";
  std::error_code ec;
  if (std::filesystem::exists(lower, ec))
    return lower;
  const std::filesystem::path upper = base + ".SHX";
  return std::filesystem::exists(upper, ec) ? upper : lower;
}

SHPHandle open_checked(const std::string& base, bool writable) {
  const std::string shp = base + ".shp";
  try {
    files::finish_decided_replacement(shp); // the whole set, its index included
    files::check_shape_index(shp, index_path(base));
  } catch (const files::FileError& refused) {
    throw HostError::about_file(refused.what());
  }
  if (writable)
    return SHPOpenLL(shp.c_str(), "rb+", checked_hooks());
  SAHooks hooks = buffered_read_hooks();
  return SHPOpenLL(shp.c_str(), "rb", &hooks);
}

} // namespace

ShpFile::ShpFile(const std::string& base, bool writable)
    : ShpFile(open_checked(base, writable), base) {}

ShpFile::ShpFile(SHPHandle handle, std::string base) : handle_(handle), base_(std::move(base)) {
  if (!handle_)
    throw HostError::about_file(open_failure(base_ + ".shp"));
  int entities = 0, type = 0;
  SHPGetInfo(handle_, &entities, &type, nullptr, nullptr);
  type_ = host_type(type);
}

ShpFile ShpFile::create(const std::string& base, int type) {
  // A header that could not be written leaves a file that cannot be opened: the write is what
  // the user is told of.
  const SHPHandle handle = SHPCreateLL((base + ".shp").c_str(), shp_type(type), checked_hooks());
  raise_write_failure();
  return ShpFile(handle, base);
}

ShpFile::ShpFile(ShpFile&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), base_(std::move(other.base_)),
      type_(other.type_) {}

ShpFile::~ShpFile() {
  if (handle_)
    SHPClose(handle_);
}

int ShpFile::record_count() const {
  int entities = 0;
  SHPGetInfo(handle_, &entities, nullptr, nullptr, nullptr);
  return entities;
}

Box ShpFile::bounds() const {
  double lo[4] = {}, hi[4] = {};
  SHPGetInfo(handle_, nullptr, nullptr, lo, hi);
  Box box;
  if (record_count() > 0) {
    box.add(XY{lo[0], lo[1]});
    box.add(XY{hi[0], hi[1]});
  }
  return box;
}

Shape ShpFile::read(int record) const {
  if (record < 0 || record >= record_count())
    throw HostError("no record " + std::to_string(record) + " in " + base_ + ".shp",
                    com::E_INVALIDARG);
  const ObjectPtr object(SHPReadObject(handle_, record));
  if (!object)
    throw HostError("cannot read record " + std::to_string(record) + " of " + base_ + ".shp");
  Shape shape{type_, {}};
  if (object->nSHPType == SHPT_NULL || object->nVertices == 0)
    return shape;
  if (type_ == geometry_point || type_ == geometry_multipoint) {
    shape.parts.emplace_back();
    for (int v = 0; v < object->nVertices; ++v)
      shape.parts.back().push_back({object->padfX[v], object->padfY[v]});
    return shape;
  }
  for (int p = 0; p < object->nParts; ++p) {
    const int begin = object->panPartStart[p];
    const int end = p + 1 < object->nParts ? object->panPartStart[p + 1] : object->nVertices;
    Path path;
    for (int v = begin; v < end; ++v)
      path.push_back({object->padfX[v], object->padfY[v]});
    shape.parts.push_back(std::move(path));
  }
  return shape;
}

int ShpFile::write(int record, const Shape& shape) {
  if (shape.type != type_ && !shape.empty() &&
      !(type_ == geometry_multipoint && shape.type == geometry_point))
    throw HostError("a geometry of type " + std::to_string(shape.type) + " does not suit " + base_ +
                        ".shp (type " + std::to_string(type_) + ")",
                    com::E_INVALIDARG);
  std::vector<Path> wound;
  if (type_ == geometry_polygon) {
    wound = shape.parts;
    wind_shapefile_rings(wound);
  }
  std::vector<int> starts;
  std::vector<double> xs, ys;
  for (const auto& part : type_ == geometry_polygon ? wound : shape.parts) {
    if (part.empty())
      continue;
    starts.push_back(static_cast<int>(xs.size()));
    for (const auto& p : part) {
      xs.push_back(p.x);
      ys.push_back(p.y);
    }
  }
  ObjectPtr object(xs.empty()
                       ? SHPCreateSimpleObject(SHPT_NULL, 0, nullptr, nullptr, nullptr)
                       : SHPCreateObject(shp_type(type_), -1, static_cast<int>(starts.size()),
                                         starts.data(), nullptr, static_cast<int>(xs.size()),
                                         xs.data(), ys.data(), nullptr, nullptr));
  const int written = SHPWriteObject(handle_, record, object.get());
  if (written < 0) {
    raise_write_failure(); // the file's own reason, a full disk among them
    throw HostError("cannot write a shape to " + base_ + ".shp");
  }
  return written;
}

} // namespace host
