#pragma once

#include <memory>
#include <vector>

#include "com/object.h"
#include "host/graphics_container.h"

namespace host {

// A walk over a snapshot of elements that skips those no longer in the container, so the
// walker may delete as it goes.
class ElementWalk final : public com::ComObject<HostEnumElement> {
public:
  using Elements = std::vector<com::ComPtr<HostElement>>;
  ElementWalk(std::shared_ptr<const Elements> container, Elements snapshot)
      : container_(std::move(container)), snapshot_(std::move(snapshot)) {}
  void Reset() override { next_ = 0; }
  com::ComPtr<HostElement> Next() override;

private:
  std::shared_ptr<const Elements> container_;
  Elements snapshot_;
  std::size_t next_ = 0;
};

// The map's graphics in the order added (see HostGraphicsContainer).
class GraphicsList {
public:
  using Elements = ElementWalk::Elements;

  com::HRESULT add(HostElement* element);
  com::HRESULT remove(HostElement* element);
  void clear() { elements_->clear(); }
  int count() const { return static_cast<int>(elements_->size()); }
  const Elements& elements() const { return *elements_; }

  void reset();
  com::ComPtr<HostElement> next();
  // The elements whose extent at `resolution` lies within `tolerance` of (x, y); null for none.
  com::ComPtr<HostEnumElement> locate(double x, double y, double tolerance, double resolution);

private:
  bool holds(HostElement* element) const;

  // Shared with the walks handed out, which may outlive the map.
  std::shared_ptr<Elements> elements_ = std::make_shared<Elements>();
  com::ComPtr<ElementWalk> walk_; // the container's own Reset/Next
};

// True when the list holds this very element (by identity).
bool contains_element(const std::vector<com::ComPtr<HostElement>>& elements, HostElement* element);

} // namespace host
