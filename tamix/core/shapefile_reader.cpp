#include "shapefile_reader.h"

#include "error.h"
#include "files/dbf_header.h"
#include "files/file_error.h"
#include "files/replace_together.h"
#include "files/shape_index.h"
#include "network_build.h"
#include "network_files.h"

#include <shapefil.h>

#include <cmath>
#include <memory>
#include <new>
#include <optional>
#include <string>

namespace tamix {

namespace {

struct ShpCloser {
  void operator()(SHPInfo* handle) const { SHPClose(handle); }
};
struct ObjectDestroyer {
  void operator()(SHPObject* object) const { SHPDestroyObject(object); }
};

// Shapelib reports its troubles through a hook; they go into the engine's message instead of
// standard error.
thread_local std::string shapelib_message;

void keep_message(const char* message) {
  shapelib_message = message ? message : "";
}

SAHooks quiet_hooks() {
  SAHooks hooks;
  SASetupDefaultHooks(&hooks);
  hooks.Error = keep_message;
  shapelib_message.clear();
  return hooks;
}

std::string with_cause(std::string message) {
  if (!shapelib_message.empty())
    message += " (" + shapelib_message + ")";
  return message;
}

bool is_polyline(int type) {
  return type == SHPT_ARC || type == SHPT_ARCZ || type == SHPT_ARCM;
}

// Companion file of `shp` with the extension in either letter case, as shapefiles come; empty
// when there is none.
std::filesystem::path companion(const std::filesystem::path& shp, const char* lower,
                                const char* upper) {
  for (const char* extension : {lower, upper}) {
    std::filesystem::path path = shp;
    if (std::filesystem::exists(path.replace_extension(extension)))
      return path;
  }
  return {};
}

// Runs a check of the shared file layouts, turning its refusal into the engine's.
template <class Check> auto checked(Check check) {
  try {
    return check();
  } catch (const files::FileError& refused) {
    throw Error(code::illegal_shapefile, refused.what());
  }
}

} // namespace

LinkGeometry read_polyline_shapefile(const std::filesystem::path& shp, const Progress& progress,
                                     int progress_to) {
  const std::string name = shp.string();
  checked([&] { files::finish_replacement(shp); });
  if (!std::filesystem::exists(shp))
    throw Error(code::load_failed, "cannot find " + name);
  const auto shx = companion(shp, ".shx", ".SHX");
  if (shx.empty())
    throw Error(code::illegal_shapefile, name + " has no .shx index beside it");
  const auto dbf = companion(shp, ".dbf", ".DBF");
  if (dbf.empty())
    throw Error(code::illegal_shapefile, name + " has no .dbf table beside it");
  checked([&] {
    files::finish_replacement(shx);
    files::finish_replacement(dbf);
    files::check_shape_index(shp, shx);
  });
  const std::uint32_t dbf_records =
      checked([&] { return files::read_dbf_header(dbf).record_count; });

  SAHooks hooks = quiet_hooks();
  std::unique_ptr<SHPInfo, ShpCloser> handle(SHPOpenLL(name.c_str(), "rb", &hooks));
  if (!handle)
    throw Error(code::illegal_shapefile, with_cause("cannot read " + name + " as a shapefile"));
  int records = 0;
  int type = 0;
  SHPGetInfo(handle.get(), &records, &type, nullptr, nullptr);
  if (!is_polyline(type))
    throw Error(code::illegal_shapefile,
                name + " holds shapes of type " + std::to_string(type) + ", not polylines");
  if (dbf_records != static_cast<std::uint32_t>(records))
    throw Error(code::illegal_shapefile, name + " has " + std::to_string(records) +
                                             " shapes but its .dbf another number of records");

  PhaseProgress phase(progress, 0, progress_to);
  LinkGeometry shapes;
  shapes.first_point.reserve(std::size_t(records) + 2);
  shapes.first_point.assign(2, 0);
  bool any_shape = false;
  for (int r = 0; r < records; ++r) {
    std::unique_ptr<SHPObject, ObjectDestroyer> object(SHPReadObject(handle.get(), r));
    if (!object)
      throw Error(code::illegal_shapefile,
                  with_cause(name + " record " + std::to_string(r) + " cannot be read"));
    if (object->nSHPType != SHPT_NULL && !is_polyline(object->nSHPType))
      throw Error(code::illegal_shapefile,
                  name + " record " + std::to_string(r) + " is not a polyline");
    // Parts are joined in order: the vertex arrays hold them back to back already.
    if (object->nSHPType != SHPT_NULL && object->nVertices >= 2) {
      any_shape = true;
      for (int i = 0; i < object->nVertices; ++i) {
        const Point p{object->padfX[i], object->padfY[i]};
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
          throw Error(code::illegal_shapefile, name + " record " + std::to_string(r) +
                                                   " has a coordinate that is not a finite number");
        shapes.points.push_back(p);
      }
    }
    shapes.first_point.push_back(shapes.points.size());
    if (r % 4096 == 0)
      phase.step(std::uint64_t(r), std::uint64_t(records));
  }
  if (!any_shape)
    throw Error(code::illegal_shapefile, name + " has no polyline to build a network from");
  phase.finish();
  return shapes;
}

std::optional<bool> create_network(const std::filesystem::path& folder, const std::string& layer,
                                   int map_units, const Progress& progress, bool compare_links) {
  try {
    LinkGeometry shapes = read_polyline_shapefile(folder / (layer + ".shp"), progress, 40);
    Network network = build_network(std::move(shapes), map_units, progress, 40, 90);
    const auto same = compare_links ? same_links_as_files(folder, network) : std::optional<bool>();
    write_network_files(folder, network);
    if (progress)
      progress(100);
    return same;
  } catch (const std::bad_alloc&) {
    throw Error(code::out_of_memory,
                "out of memory building the network of " + (folder / layer).string());
  }
}

} // namespace tamix
