#include "data/selection_set.h"

#include <algorithm>

#include "com/object.h"

namespace host {

namespace {

class SelectionSet final : public com::ComObject<HostSelectionSet> {
public:
  SelectionSet(com::ComPtr<HostTable> target, std::vector<std::int32_t> ids)
      : target_(std::move(target)), ids_(std::move(ids)) {}
  int Count() override { return static_cast<int>(ids_.size()); }
  std::vector<std::int32_t> IDs() override { return ids_; }
  void Add(std::int32_t oid) override {
    if (std::find(ids_.begin(), ids_.end(), oid) == ids_.end())
      ids_.push_back(oid);
  }
  void Remove(std::int32_t oid) override { std::erase(ids_, oid); }
  com::ComPtr<HostTable> Target() override { return target_; }

private:
  com::ComPtr<HostTable> target_;
  std::vector<std::int32_t> ids_;
};

} // namespace

com::ComPtr<HostSelectionSet> make_selection_set(com::ComPtr<HostTable> target,
                                                 std::vector<std::int32_t> ids) {
  return com::make<SelectionSet>(std::move(target), std::move(ids));
}

} // namespace host
