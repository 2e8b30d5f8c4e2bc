#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/control.h"

namespace forms {

// Controls that share a name and are told apart by an index from 0, as Picture1(0) ..
// Picture1(2). Every element is designed alike from the arguments after the count. A handler
// bound to the array receives the index of the element that fired.
//   ControlArray<Slider> Slider1{*this, "Slider1", 3, 0, 255};
//   Slider1.Bind(&Slider::Change, [this](int index) { slider_moved(index); });
template <class C> class ControlArray {
public:
  template <class... Args>
  ControlArray(Container& parent, const std::string& name, int count, const Args&... args) {
    for (int index = 0; index < count; ++index)
      items_.push_back(std::make_unique<C>(parent, Id{name, index}, args...));
  }

  // Error for an index the array does not hold.
  C& operator()(int index) const {
    if (index < 0 || index >= Count())
      throw Error("Control array element does not exist");
    return *items_[static_cast<std::size_t>(index)];
  }
  int Count() const { return static_cast<int>(items_.size()); }
  int UBound() const { return Count() - 1; }

  void Bind(Event C::*event, const std::function<void(int Index)>& handler) {
    for (auto& item : items_)
      (*item).*event = [handler, index = item->Index()] { handler(index); };
  }

private:
  std::vector<std::unique_ptr<C>> items_;
};

} // namespace forms
