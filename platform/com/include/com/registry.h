#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "com/guid.h"
#include "com/hresult.h"

namespace com {

// One interface of a registered class, as its type information shows it.
struct InterfaceInfo {
  std::string name;
  std::string
      members; // e.g. "Caption: string; OnClick()"; empty when the interface has none listed

  friend bool operator==(const InterfaceInfo&, const InterfaceInfo&) = default;
};

// A class as the registry knows it: the ProgID and CLSID it is created by, the module that
// serves it, its component category (may be empty) and its interfaces.
struct ClassInfo {
  CLSID clsid;
  std::string class_name;
  std::string prog_id;
  std::string category;
  std::filesystem::path module_path;
  std::vector<InterfaceInfo> interfaces;

  friend bool operator==(const ClassInfo&, const ClassInfo&) = default;
};

// The registry file: $CORVANE_REGISTRY, else $XDG_CONFIG_HOME/corvane/registry, else
// ~/.config/corvane/registry.
std::filesystem::path registry_path();

// Every registered class, in registration order; none when the file does not exist.
std::vector<ClassInfo> registered_classes();
std::vector<ClassInfo> registered_classes_in_category(std::string_view category);
// ProgIDs are matched without regard to letter case ("corvane.subnet" finds "Corvane.Subnet").
std::optional<ClassInfo> find_registered_class(std::string_view prog_id);
std::optional<ClassInfo> find_registered_class(const CLSID& clsid);

// REGDB_E_CLASSNOTREG for an unknown ProgID.
HRESULT CLSIDFromProgID(std::string_view prog_id, CLSID& clsid);

// Adds the classes, replacing any entry with the same CLSID or the same ProgID. Writers in
// other threads and processes are serialised by a lock file, and readers never see a half
// written file (it is replaced by rename). E_FAIL when the file cannot be written.
HRESULT register_classes(const std::vector<ClassInfo>& classes);
// Removes the classes with these CLSIDs; unknown ones are ignored.
HRESULT unregister_classes(const std::vector<CLSID>& clsids);

// The type information of the classes as readable text, one block per class:
//   Corvane.CreateNetwork {CLSID}
//     class CreateNetwork, category "Corvane Commands"
//     module /path/libcorvane.so
//     interface ICommand: Caption: string; OnClick()
std::string describe_classes(const std::vector<ClassInfo>& classes);

} // namespace com
