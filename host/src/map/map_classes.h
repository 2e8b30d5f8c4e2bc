#pragma once

#include <span>
#include <string_view>

#include "com/unknown.h"

namespace host {

// A class of the map services that callers create by ProgID (colours, symbols, renderers,
// elements, layers, ...). The session registers them so the add-in reaches them the way it
// reaches any class.
struct MapClass {
  std::string_view prog_id;
  com::ComPtr<com::IUnknown> (*create)();
};

std::span<const MapClass> map_classes();

// A new object of the class, the ProgID matched without regard to letter case; null when no
// map class has it.
com::ComPtr<com::IUnknown> create_map_object(std::string_view prog_id);

} // namespace host
