#pragma once

#include <functional>
#include <string_view>

#include "com/unknown.h"
#include "host/layer.h"
#include "host/map.h"
#include "host/table.h"
#include "host/workspace.h"

namespace corvane {

// The shapefiles of the network folder, where the add-in writes all its outputs. A failing host
// call ends the handler.

// The shapefile workspace of gNetworkFolder.
com::ComPtr<host::HostFeatureWorkspace> OpenNetworkWorkspace();

// The feature class `name` of `workspace`.
com::ComPtr<host::HostFeatureClass> open_feature_class(host::HostFeatureWorkspace* workspace,
                                                       std::string_view name);

// A new feature layer over `features`, named after the feature class's alias name.
com::ComPtr<host::HostFeatureLayer> LayerOver(const com::ComPtr<host::HostFeatureClass>& features);

// LayerOver `features`, added on top of `map`.
com::ComPtr<host::HostFeatureLayer>
ShowFeatureClass(host::HostMap* map, const com::ComPtr<host::HostFeatureClass>& features);

// Deletes the set "`name`" of the network folder (".shp" or a ".dbf" alone) with all its files,
// or the files left of it without them (".prj", ".cpg", ".shx", indexes). A set that is not the
// system's own output of that name stays as it is: the user is told to move or rename it, and
// the handler ends (ToldHandlerEnd).
void DeleteNetworkShapefile(std::string_view name);

// DeleteNetworkShapefile of a set that RequireOwnOrNoSet has just let pass.
void DeleteOwnNetworkShapefile(std::string_view name);

// Writes the output set `name` of the network folder whole before it takes the place of the old
// one: `write` makes and fills the set under the scratch name it is given, whose files then
// replace those of `name` together (HostFeatureWorkspace::ReplaceDataset), so that a kill or a
// failure never leaves half an output under its name. Returns the feature class `name`. A
// scratch set left by a killed run is deleted first; one of a failed write, when it fails.
// Refuses a set of the user's under `name` as DeleteNetworkShapefile does.
com::ComPtr<host::HostFeatureClass>
WriteOutputWhole(std::string_view name, const std::function<void(std::string_view scratch)>& write);

// Fills the output `features` of the network folder, made empty under its name, whole: `fill`
// writes into a set of the same fields under a scratch name, which then takes the place of the
// empty one (WriteOutputWhole). `features` sees the filled set afterwards.
void FillOutputWhole(host::HostFeatureClass& features,
                     const std::function<void(host::HostFeatureClass& scratch)>& fill);

} // namespace corvane
