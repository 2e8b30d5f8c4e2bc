// The class registry file on any bytes: the classes it lists are read, described and looked up,
// and a registration rewrites it. A damaged file reads as the classes it holds whole; nothing
// may crash, leak or touch memory it does not own.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "com/registry.h"
#include "scratch_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto path = corvane::fuzz::scratch_folder() / "registry";
  static const bool pointed = [&] { return ::setenv("CORVANE_REGISTRY", path.c_str(), 1) == 0; }();
  if (!pointed)
    std::abort();
  corvane::fuzz::write_bytes(path, data, size);
  const auto classes = com::registered_classes();
  com::describe_classes(classes);
  com::find_registered_class("Corvane.Fuzz");
  com::ClassInfo added;
  added.class_name = "Fuzz";
  added.prog_id = "Corvane.Fuzz";
  added.module_path = "/nowhere/libfuzz.so";
  com::register_classes({added});
  com::registered_classes();
  return 0;
}
