#include "map/graphics.h"

#include <algorithm>

#include "map/elements.h"

namespace host {

bool contains_element(const std::vector<com::ComPtr<HostElement>>& elements, HostElement* element) {
  return std::any_of(elements.begin(), elements.end(),
                     [element](const auto& e) { return e.get() == element; });
}

com::ComPtr<HostElement> ElementWalk::Next() {
  while (next_ < snapshot_.size()) {
    auto& candidate = snapshot_[next_++];
    if (contains_element(*container_, candidate.get()))
      return candidate;
  }
  return nullptr;
}

bool GraphicsList::holds(HostElement* element) const {
  return contains_element(*elements_, element);
}

com::HRESULT GraphicsList::add(HostElement* element) {
  if (!element)
    return com::E_POINTER;
  if (holds(element))
    return com::E_INVALIDARG;
  elements_->emplace_back(element);
  return com::S_OK;
}

com::HRESULT GraphicsList::remove(HostElement* element) {
  const auto it = std::find_if(elements_->begin(), elements_->end(),
                               [element](const auto& e) { return e.get() == element; });
  if (it == elements_->end())
    return com::E_INVALIDARG;
  elements_->erase(it);
  return com::S_OK;
}

void GraphicsList::reset() {
  walk_ = com::make<ElementWalk>(elements_, *elements_);
}

com::ComPtr<HostElement> GraphicsList::next() {
  return walk_ ? walk_->Next() : nullptr;
}

com::ComPtr<HostEnumElement> GraphicsList::locate(double x, double y, double tolerance,
                                                  double resolution) {
  Elements found;
  for (const auto& element : *elements_) {
    MapRect extent;
    if (element_extent(element.get(), resolution, &extent) &&
        extent.grown(tolerance).contains(x, y))
      found.push_back(element);
  }
  if (found.empty())
    return nullptr;
  return com::make<ElementWalk>(elements_, std::move(found));
}

} // namespace host
