#include "common/network_workspace.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "com/error_info.h"
#include "common/failure_note.h"
#include "common/output_sets.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "win/file_system_object.h"
#include "win/paths.h"

namespace corvane {

namespace {

void delete_files(const std::string& name, const std::vector<std::string_view>& extensions) {
  const win::FileSystemObject files;
  for (const auto extension : extensions) {
    const auto path = win::join_path(shared_state().gNetworkFolder, name + std::string(extension));
    if (files.FileExists(path))
      files.DeleteFile(path);
  }
}

// The whole content of a file; empty when it cannot be read.
std::string file_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Deletes a scratch set of WriteOutputWhole, which is never the user's: its name carries a "~".
// The host deletes what it can open (closing its writers), file by file and without a record,
// so that the clean-up of a write that failed on a full disk needs no space; a set a kill cut
// short goes file by file here, so that it cannot stand in the way of the next run. Empty when
// the set is gone; else why it is not.
std::string delete_scratch(host::HostFeatureWorkspace& workspace, std::string_view name,
                           const std::string& scratch) {
  std::string left;
  com::ComPtr<host::HostTable> table;
  if (com::SUCCEEDED(workspace.OpenTable(scratch, &table)) && table)
    if (const auto dataset = table.as<host::HostDataset>();
        dataset && com::FAILED(dataset->Delete()))
      left = com::TakeErrorInfo();
  com::TakeErrorInfo(); // an open that found no set says nothing the user needs
  delete_files(scratch, OutputFilesOf(name));
  for (const auto extension : OutputFilesOf(name))
    if (win::FileSystemObject().FileExists(
            win::join_path(shared_state().gNetworkFolder, scratch + std::string(extension))))
      return left.empty() ? "its files cannot be deleted" : left;
  return {};
}

// `text` with the scratch set named as the output the user knows: "IsoPoly~new.shp" is
// "IsoPoly.shp" to the user, who never sees the scratch set.
std::string as_the_user_knows(std::string text, std::string_view name, const std::string& scratch) {
  for (std::size_t at = 0; (at = text.find(scratch, at)) != std::string::npos; at += name.size())
    text.replace(at, scratch.size(), name);
  return text;
}

// The failure that ended a write of the output `name`, as the user is told it: the first
// failure's reason first, with the scratch set named as the output, and a clean-up that failed
// as well (`left`) after it. The scratch set's own path would mislead there: the user's file is
// untouched.
[[noreturn]] void rethrow_as_the_user_knows(std::string_view name, const std::string& scratch,
                                            const std::string& left) {
  std::string note;
  if (!left.empty()) {
    const auto reason = left.find(": ");
    note = "Its unfinished new copy could not be removed as well (" +
           (reason == std::string::npos ? left : left.substr(reason + 2)) +
           "); the next run removes it.";
  }
  try {
    try {
      throw;
    } catch (const HostCallFailed& failed) {
      if (!failed.has_reason())
        throw;
      throw HostCallFailed(failed.call(), failed.code(),
                           as_the_user_knows(failed.what(), name, scratch));
    }
  } catch (...) {
    RethrowWithNote(note);
  }
}

} // namespace

com::ComPtr<host::HostFeatureWorkspace> OpenNetworkWorkspace() {
  const auto factory = create<host::HostWorkspaceFactory>(host::ShapefileWorkspaceFactoryClass);
  com::ComPtr<host::HostWorkspace> workspace;
  check_call(factory->OpenFromFile(shared_state().gNetworkFolder, 0, &workspace), "OpenFromFile");
  return require_as<host::HostFeatureWorkspace>(require(workspace, "OpenFromFile"), "workspace");
}

com::ComPtr<host::HostFeatureClass> open_feature_class(host::HostFeatureWorkspace* workspace,
                                                       std::string_view name) {
  com::ComPtr<host::HostFeatureClass> features;
  check_call(workspace->OpenFeatureClass(std::string(name), &features), "OpenFeatureClass");
  return require(features, "OpenFeatureClass");
}

com::ComPtr<host::HostFeatureLayer> LayerOver(const com::ComPtr<host::HostFeatureClass>& features) {
  const auto layer = create<host::HostFeatureLayer>(host::FeatureLayerClass);
  layer->SetFeatureClass(features.get());
  layer->SetName(features->AliasName());
  return layer;
}

com::ComPtr<host::HostFeatureLayer>
ShowFeatureClass(host::HostMap* map, const com::ComPtr<host::HostFeatureClass>& features) {
  const auto layer = LayerOver(features);
  check_call(map->AddLayer(layer.get()), "Map.AddLayer");
  return layer;
}

void DeleteNetworkShapefile(std::string_view name) {
  RequireOwnOrNoSet(name);
  DeleteOwnNetworkShapefile(name);
}

void DeleteOwnNetworkShapefile(std::string_view name) {
  const auto workspace = OpenNetworkWorkspace();
  const auto named = std::string(name);
  const auto as_workspace = require_as<host::HostWorkspace>(workspace, "workspace");
  if (as_workspace->Exists(named)) {
    com::ComPtr<host::HostTable> table;
    check_call(workspace->OpenTable(named, &table), "OpenTable");
    check_call(require_as<host::HostDataset>(require(table, "OpenTable"), "dataset")->Delete(),
               "Delete");
    return;
  }
  // Without its shapes and table, what stays under the name is a run's only when it is the
  // projection a run copied before the engine, which then wrote nothing under this name: the
  // network layer's own ".prj", byte for byte. Anything else may be the user's and stays.
  // A network projection that cannot be read (or is empty) recognises nothing.
  const auto& state = shared_state();
  const auto projection = win::join_path(state.gNetworkFolder, named + ".prj");
  const win::FileSystemObject files;
  if (!files.FileExists(projection))
    return;
  const auto network_projection =
      file_bytes(win::join_path(state.gNetworkFolder, state.gNetworkLayerName + ".prj"));
  if (!network_projection.empty() && file_bytes(projection) == network_projection)
    files.DeleteFile(projection);
}

com::ComPtr<host::HostFeatureClass>
WriteOutputWhole(std::string_view name,
                 const std::function<void(std::string_view scratch)>& write) {
  RequireOwnOrNoSet(name);
  const auto workspace = OpenNetworkWorkspace();
  const std::string scratch = std::string(name) + "~new";
  delete_scratch(*workspace, name, scratch);
  try {
    write(scratch);
    check_call(workspace->ReplaceDataset(scratch, std::string(name)), "ReplaceDataset");
  } catch (...) {
    rethrow_as_the_user_knows(name, scratch, delete_scratch(*workspace, name, scratch));
  }
  return open_feature_class(workspace.get(), name);
}

void FillOutputWhole(host::HostFeatureClass& features,
                     const std::function<void(host::HostFeatureClass& scratch)>& fill) {
  const auto name =
      require_as<host::HostDataset>(com::ComPtr<host::HostFeatureClass>(&features), "dataset")
          ->Name();
  WriteOutputWhole(name, [&](std::string_view scratch) {
    com::ComPtr<host::HostFeatureClass> copy;
    check_call(OpenNetworkWorkspace()->CreateFeatureClass(
                   std::string(scratch), require(features.Fields(), "Fields").get(), 1,
                   features.ShapeFieldName(), "", &copy),
               "CreateFeatureClass");
    fill(*require(copy, "CreateFeatureClass"));
  });
}

} // namespace corvane
