#include "geometry/spatial_reference_objects.h"

#include <fstream>
#include <sstream>

#include "com/object.h"
#include "data/host_error.h"
#include "files/file_error.h"
#include "files/replace_file.h"

namespace host {

namespace {

class Unit final : public com::ComObject<HostUnit> {
public:
  Unit(int code, std::string name, double factor)
      : code_(code), name_(std::move(name)), factor_(factor) {}
  int FactoryCode() override { return code_; }
  std::string Name() override { return name_; }
  double ConversionFactor() override { return factor_; }

private:
  int code_;
  std::string name_;
  double factor_;
};

// The members all three kinds share; `Kind` is the kind's own interface.
template <class Kind> class ReferenceBase : public com::ComObject<Kind> {
public:
  explicit ReferenceBase(SrsInfo info) : info_(std::move(info)) {}
  std::string Name() override { return info_.name; }
  int FactoryCode() override { return info_.epsg; }
  bool IsEqual(HostSpatialReference* other) override {
    if (!other)
      return false;
    const auto theirs = other->ExportToWkt();
    if (info_.wkt.empty() || theirs.empty())
      return info_.wkt.empty() && theirs.empty();
    return same_srs(info_.wkt, theirs);
  }
  std::string ExportToWkt() override { return info_.wkt; }

protected:
  com::ComPtr<HostUnit> unit() {
    return com::make<Unit>(info_.unit_epsg, info_.unit_name, info_.unit_factor);
  }
  SrsInfo info_;
};

class Projected final : public ReferenceBase<HostProjectedCoordinateSystem> {
public:
  using ReferenceBase::ReferenceBase;
  com::ComPtr<HostUnit> CoordinateUnit() override { return unit(); }
};

class Geographic final : public ReferenceBase<HostGeographicCoordinateSystem> {
public:
  using ReferenceBase::ReferenceBase;
  com::ComPtr<HostUnit> CoordinateUnit() override { return unit(); }
};

class Unknown final : public ReferenceBase<HostUnknownCoordinateSystem> {
public:
  Unknown() : ReferenceBase(SrsInfo{}) {}
};

class Factory final : public com::ComObject<HostSpatialReferenceFactory> {
public:
  // A ".prj" keeps its own text; any other text is turned into ESRI-style WKT.
  com::HRESULT
  CreateESRISpatialReferenceFromPRJFile(const std::string& path,
                                        com::ComPtr<HostSpatialReference>* out) override {
    if (!out)
      return com::E_POINTER;
    return guarded([&] { *out = make_spatial_reference(read_srs(read_text_file(path), true)); });
  }
  com::HRESULT CreateFromText(const std::string& text,
                              com::ComPtr<HostSpatialReference>* out) override {
    if (!out)
      return com::E_POINTER;
    return guarded([&] { *out = make_spatial_reference(read_srs(text, false)); });
  }
  com::HRESULT ExportESRISpatialReferenceToPRJFile(HostSpatialReference* reference,
                                                   const std::string& path) override {
    if (!reference)
      return com::E_POINTER;
    return guarded([&] {
      const auto wkt = reference->ExportToWkt();
      if (wkt.empty())
        throw HostError("an unknown coordinate system has no \".prj\" text");
      write_text_file(path, wkt);
    });
  }
};

class ProjectionFile final : public com::ComObject<HostProjectionFile> {
public:
  com::HRESULT Read(const std::string& path) override {
    return guarded([&] {
      auto text = read_text_file(path);
      reference_ = make_spatial_reference(read_srs(text, true));
      text_ = std::move(text);
    });
  }
  com::HRESULT Write(const std::string& path) override {
    return guarded([&] {
      if (text_.empty())
        throw HostError("no projection file was read before writing " + path);
      write_text_file(path, text_);
    });
  }
  com::ComPtr<HostSpatialReference> SpatialReference() override {
    if (!reference_)
      return com::make<Unknown>();
    return reference_;
  }

private:
  std::string text_;
  com::ComPtr<HostSpatialReference> reference_;
};

} // namespace

com::ComPtr<HostSpatialReference> make_spatial_reference(const SrsInfo& info) {
  switch (info.kind) {
  case SrsKind::projected:
    return com::make<Projected>(info);
  case SrsKind::geographic:
    return com::make<Geographic>(info);
  case SrsKind::unknown:
    break;
  }
  return com::make<Unknown>();
}

com::ComPtr<HostSpatialReference> spatial_reference_of_prj(const std::string& path) {
  try {
    return make_spatial_reference(read_srs(read_text_file(path), true));
  } catch (const HostError&) {
    return com::make<Unknown>();
  }
}

std::string read_text_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw HostError("cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void write_text_file(const std::string& path, const std::string& text) {
  try {
    files::replace_contents(path, text);
  } catch (const files::FileError& error) {
    throw HostError::about_file(error.what());
  }
}

com::ComPtr<com::IUnknown> create_spatial_reference_factory() {
  return com::make<Factory>().as<com::IUnknown>();
}
com::ComPtr<com::IUnknown> create_projection_file() {
  return com::make<ProjectionFile>().as<com::IUnknown>();
}
com::ComPtr<com::IUnknown> create_unknown_coordinate_system() {
  return com::make<Unknown>().as<com::IUnknown>();
}

} // namespace host
