#pragma once

// The add-in's commands end to end: the real engine with a network loaded from a folder of the
// build's bench-data, and the host application over it, with the shared state as a newly opened
// network leaves it. Every end-to-end benchmark starts from here.

#include <filesystem>
#include <initializer_list>
#include <string>

#include "com/unknown.h"
#include "forms/testing/scripted_user.h"
#include "host/map.h"
#include "host/workspace.h"
#include "map/document.h"
#include "tamix/net_base.h"
#include "tamix/net_calc.h"

namespace corvane::bench {

struct SampleHost {
  std::filesystem::path folder;
  com::ComPtr<host::Application> application;
  com::ComPtr<tamix::NetBase> base;
  com::ComPtr<tamix::NetCalc> calc;
  // Answers the dialogs and message boxes.
  com::ComPtr<forms::testing::ScriptedUser> person;
};

// Ends the program with a message naming `what` unless `ok`.
void must(bool ok, const std::string& what);

// bench-data/`folder_name` under the build folder.
std::filesystem::path bench_data(const std::string& folder_name);

com::ComPtr<host::HostFeatureWorkspace> workspace(const std::filesystem::path& folder);
com::ComPtr<host::HostFeatureClass> open_class(const std::filesystem::path& folder,
                                               const std::string& name);
// A layer named `name` over the shapefile `name` of `folder`, added on top of `map`.
void add_layer(host::HostMap& map, const std::filesystem::path& folder, const std::string& name);

// The sample's roads and the shapefiles `more` (each with its ".prj") in
// bench-data/`folder_name`, made anew, the network built from the roads and opened as
// `open_network_host` does. The shapefiles are not yet in the map.
SampleHost open_sample_host(const std::string& folder_name,
                            std::initializer_list<const char*> more = {});

// The network already built in `folder` (roads and their network files) loaded, the shared state
// set to it (shortest routes, kilometres, one road class at 30 km/h), a map in kilometres and a
// scripted user. With `result_field` the roads get the result field first.
SampleHost open_network_host(const std::filesystem::path& folder, bool result_field = false);

// The zone list of `count` equal steps from `from` up to `largest` (5 and 5: 1, 2, 3, 4 and 5),
// drawn as rings.
void SetZoneRings(int count, float largest = 5, float from = 0);

// Runs the benchmarks named on the command line, then removes bench-data/`folder_name`: the
// outputs of some runs take gigabytes. With CORVANE_BENCH_KEEP_DATA set the folder stays, for a
// script that times whole sessions in the folders a benchmark made. Returns the program's exit
// code.
int run_benchmarks_then_remove(int argc, char** argv, const std::string& folder_name);

} // namespace corvane::bench
