#include "geometry/geometry_bag.h"

#include <vector>

#include "com/object.h"
#include "host/geometry.h"

namespace host {

namespace {

// The geometries are kept as given (not copied), as the caller hands them over.
class GeometryBag final : public com::ComObject<HostIndexedCollection> {
public:
  int GeometryCount() override { return static_cast<int>(items_.size()); }
  com::ComPtr<HostGeometry> Geometry(int i) override {
    if (!in_range(i))
      return nullptr;
    return items_[static_cast<std::size_t>(i)];
  }
  void AddGeometry(HostGeometry* geometry) override { items_.emplace_back(geometry); }
  void ReplaceGeometry(int i, HostGeometry* geometry) override {
    if (in_range(i))
      items_[static_cast<std::size_t>(i)] = com::ComPtr<HostGeometry>(geometry);
  }

private:
  bool in_range(int i) const { return i >= 0 && i < static_cast<int>(items_.size()); }
  std::vector<com::ComPtr<HostGeometry>> items_;
};

} // namespace

com::ComPtr<com::IUnknown> create_geometry_bag() {
  return com::make<GeometryBag>().as<com::IUnknown>();
}

} // namespace host
