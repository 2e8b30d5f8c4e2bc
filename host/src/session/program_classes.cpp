#include "session/program_classes.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "com/factory.h"
#include "com/module.h"
#include "com/object.h"
#include "com/registry.h"
#include "data/data_classes.h"
#include "map/map_classes.h"
#include "session/host_interfaces.h"

namespace host::session {

namespace {

constexpr std::string_view program_category = "Host Classes";

// A stable class id for a ProgID: two 64-bit FNV-1a hashes of its text, shaped as a
// name-based GUID, so that the same ProgID keeps its CLSID from one run to the next.
com::CLSID clsid_of(std::string_view prog_id) {
  const auto fnv = [&](std::uint64_t hash) {
    for (const char c : prog_id)
      hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
    return hash;
  };
  const std::uint64_t high = fnv(0xCBF29CE484222325ull);
  const std::uint64_t low = fnv(0x84222325CBF29CE4ull);
  com::CLSID id;
  id.data1 = static_cast<std::uint32_t>(high >> 32);
  id.data2 = static_cast<std::uint16_t>(high >> 16);
  id.data3 = static_cast<std::uint16_t>((high & 0x0FFF) | 0x5000);
  for (int i = 0; i < 8; ++i)
    id.data4[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(low >> (56 - 8 * i));
  id.data4[0] = static_cast<std::uint8_t>((id.data4[0] & 0x3F) | 0x80);
  return id;
}

// "esricore.FeatureLayer" is the class FeatureLayer.
std::string class_name_of(std::string_view prog_id) {
  return std::string(prog_id.substr(prog_id.rfind('.') + 1));
}

class ProgramClassFactory final : public com::ComObject<com::IClassFactory> {
public:
  explicit ProgramClassFactory(const MapClass& c) : class_(c) {}

  com::HRESULT CreateInstance(com::IUnknown* outer, const com::IID& iid, void** out) override {
    if (!out)
      return com::E_POINTER;
    *out = nullptr;
    if (outer)
      return com::CLASS_E_NOAGGREGATION;
    try {
      auto object = class_.create();
      return object ? object->QueryInterface(iid, out) : com::E_FAIL;
    } catch (...) {
      return com::E_FAIL;
    }
  }
  com::HRESULT LockServer(bool) override { return com::S_OK; }

private:
  const MapClass class_;
};

struct ServedClass {
  com::CLSID clsid;
  MapClass map_class;
};

// The map services and the data and geometry classes, each with its class id: made once, since
// every creation by ProgID of a host object comes here for its class.
const std::vector<ServedClass>& served_classes() {
  static const std::vector<ServedClass> classes = [] {
    std::vector<ServedClass> served;
    for (const auto list : {map_classes(), data_classes()})
      for (const auto& c : list)
        served.push_back({clsid_of(c.prog_id), c});
    return served;
  }();
  return classes;
}

} // namespace

com::HRESULT register_program_classes() {
  try {
    const auto program = std::filesystem::canonical("/proc/self/exe");
    std::vector<com::ClassInfo> classes;
    for (const auto& [clsid, c] : served_classes())
      classes.push_back({clsid, class_name_of(c.prog_id), std::string(c.prog_id),
                         std::string(program_category), program,
                         com::describe_object(c.create().get(), HostInterfaces{})});
    return com::register_classes(classes);
  } catch (...) {
    return com::E_FAIL;
  }
}

com::HRESULT program_class_object(const com::CLSID& clsid, const com::IID& iid, void** out) {
  if (!out)
    return com::E_POINTER;
  *out = nullptr;
  for (const auto& served : served_classes()) {
    if (served.clsid != clsid)
      continue;
    try {
      return com::make<ProgramClassFactory>(served.map_class)->QueryInterface(iid, out);
    } catch (...) {
      return com::E_OUTOFMEMORY;
    }
  }
  return com::CLASS_E_CLASSNOTAVAILABLE;
}

} // namespace host::session
