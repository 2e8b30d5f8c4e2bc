#pragma once

// The add-in's commands end to end on the sample network: the real engine with the sample's
// roads built and loaded in a fresh folder of the build's bench-data, and the host application
// over them, with the shared state as a newly opened network leaves it.

#include <filesystem>
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

com::ComPtr<host::HostFeatureWorkspace> workspace(const std::filesystem::path& folder);
com::ComPtr<host::HostFeatureClass> open_class(const std::filesystem::path& folder,
                                               const std::string& name);
// A layer named `name` over the shapefile `name` of `folder`, added on top of `map`.
void add_layer(host::HostMap& map, const std::filesystem::path& folder, const std::string& name);

// The sample's roads (with their ".prj") in bench-data/`folder_name`, made anew, the network
// built and loaded from them, the shared state set to it (shortest routes, kilometres, one road
// class at 30 km/h), a map in kilometres and a scripted user. The roads are not yet in the map.
SampleHost open_sample_host(const std::string& folder_name);

// The zone list 1, 2, 3, 4 and 5 km, drawn as rings.
void SetFiveZoneRings();

// Removes bench-data/`folder_name`.
void remove_sample_folder(const std::string& folder_name);

} // namespace corvane::bench
