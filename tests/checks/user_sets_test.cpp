#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "check_network.h"
#include "checks/add_node_shp.h"
#include "common/network_workspace.h"
#include "common/output_sets.h"
#include "host/geometry.h"
#include "network/state/handler_end.h"

namespace corvane {
namespace {

using testing::CheckTest;
namespace fs = std::filesystem;
using Fields = std::vector<std::string>;

// How the sets found under an output's name are told apart: the system's own forms pass, a
// set of another shape or other fields does not. A copy of road links is told by what every
// copy carries, "CV_RESULT", whatever road layer it was copied from; these are also the forms
// the previous release wrote.
TEST(OutputForms, OnlyTheFormsTheSystemWritesAreItsOwn) {
  struct Case {
    const char* name;
    int shape;
    Fields fields;
    bool own;
  };
  const Fields directions{"Direction", "Desc", "Distance", "TotalDist", "Time", "TotalTime"};
  const Fields batch_route{"FromPoint", "ToPoint", "Distance", "Time", "Comments"};
  const int point = host::geometry_point, line = host::geometry_polyline,
            area = host::geometry_polygon, table = host::geometry_null;
  const Case cases[] = {
      {"node", point, {"NODE_ID", "LINKS"}, true},
      {"NODE", point, {"links", "node_id"}, true}, // letter case and order aside
      {"node", point, {"ID"}, false},
      {"node", point, {"NODE_ID", "LINKS", "OWNER"}, false},
      {"node", line, {"NODE_ID", "LINKS"}, false},
      {"closenodes", point, {"NODE_ID", "Connected"}, true},
      {"closenodes", point, {"NODE_ID", "LINKS"}, false},
      {"CulDeSac", line, {"NAME", "CV_RESULT"}, true},
      {"CulDeSac", line, {"ROAD_NO", "cv_result"}, true}, // from another road layer
      {"CulDeSac", line, {"CV_RESULT"}, true},            // a road layer without fields of its own
      {"CulDeSac", line, {"OWNER"}, false},
      {"CulDeSac", area, {"NAME", "CV_RESULT"}, false},
      {"Route", line, directions, true},
      {"Route", line, {"NAME", "CV_RESULT"}, true}, // without directions: the links' attributes
      {"Route", line, {"NAME"}, false},
      {"Route", line, {"Direction", "Desc"}, false},
      {"Route", point, directions, false},
      {"BatchTSP", line, directions, true},
      {"BatchTSP", line, {"SPEED", "CV_RESULT"}, true},
      {"ViewRoute", line, {"NAME"}, true}, // the road layer's first field, whichever it is
      {"ViewRoute", line, {"ROAD_NO"}, true},
      {"ViewRoute", line, {}, false},
      {"ViewRoute", line, {"NAME", "CV_RESULT"}, false},
      {"IsoLink", line, {"NAME", "CV_RESULT"}, true},
      {"BatchLayer", line, {"ID"}, false},
      {"BatchRoute", table, batch_route, true},
      {"BatchRoute", line, batch_route, true},
      {"BatchRoute", table, {"FromPoint", "ToPoint"}, false},
      {"IsoPoly", area, {"COST_END"}, true},
      {"IsoPoly2", area, {"Cost_start", "Cost_end", "ID", "NAME"}, true},
      {"IsoPoly", area, {"NAME", "AREA"}, false},
      {"IsoPoly", area, {"COST_END", "NAME", "AREA"}, false},
      {"IsoPoly", line, {"COST_END"}, false},
      {"IsoPly", area, {"COST_END"}, true},
      {"IpPoly", area, {"COST_END"}, true},
      {"IsoPoly1", area, {"Cost_start", "Cost_end", "ID"}, true},
      {"IsoPoly3", area, {"COST_END"}, true},
      {"BatchIsochrone", area, {"ID", "NAME"}, true},
      {"Batchisochrone3", area, {"Cost_start", "Cost_end", "ID", "NAME"}, true},
      {"BIsochrone", area, {"COST_END"}, true},
      {"roads2", line, {"NAME"}, false}, // no output's name
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MatchesOutputForm(OutputFormsOf(c.name), c.shape, c.fields), c.own);
  }
}

// Each output is found by its name with its own forms, and no two share a name: a second would
// never be recognised.
TEST(OutputForms, EveryOutputIsFoundByItsNameAlone) {
  std::set<std::string> seen;
  for (const Output* output : EveryOutput()) {
    SCOPED_TRACE(output->name);
    std::string lower(output->name);
    std::ranges::transform(lower, lower.begin(), [](unsigned char c) { return std::tolower(c); });
    EXPECT_TRUE(seen.insert(lower).second);
    const auto forms = OutputFormsOf(output->name);
    ASSERT_EQ(forms.size(), output->forms.size());
    for (std::size_t i = 0; i < forms.size(); ++i)
      EXPECT_EQ(forms[i].fields.data(), output->forms[i].fields.data());
  }
}

class UserSets : public CheckTest {
protected:
  // Every file of the folder with a hash of its bytes, so that a difference names the file.
  std::map<std::string, std::size_t> folder_files() {
    std::map<std::string, std::size_t> files;
    for (const auto& entry : fs::directory_iterator(path())) {
      std::ifstream in(entry.path(), std::ios::binary);
      files[entry.path().filename().string()] =
          std::hash<std::string>{}({std::istreambuf_iterator<char>(in), {}});
    }
    return files;
  }
  void write(const std::string& name, const std::string& text) {
    std::ofstream(path(name), std::ios::binary) << text;
  }
  // The refusal of a user's point set with the one field "ID" under the name `output`: what was
  // found, then what the output holds (`holds`; any, when empty).
  static ::testing::AssertionResult refused(const std::string& shown, const std::string& file,
                                            const std::string& output,
                                            const std::string& holds = "") {
    const std::string start = "Output File: " + file +
                              " holds points with the field ID; Corvane's " + output +
                              " output holds " + holds;
    const std::string end = ". Corvane writes that output under this name: move or rename the "
                            "file, then try again.";
    if (shown.starts_with(start) && shown.ends_with(end) &&
        (!holds.empty() || shown.size() > start.size() + end.size()))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "shown: " << shown;
  }
};

// Every output's name, and a name of the batch isochrones' in other letters.
std::vector<std::string> output_names() {
  std::vector<std::string> names{"Batchisochrone7"};
  for (const Output* output : EveryOutput())
    names.emplace_back(output->name);
  return names;
}

// A point set of the user's (one field "ID") with a projection and an index, under each output
// name in turn: nothing of it is deleted or changed, and the user is told which file to move.
TEST_F(UserSets, AUserSetUnderAnyOutputNameStaysAndTheRunEndsNamingIt) {
  build_check_network();
  for (const std::string& name : output_names()) {
    SCOPED_TRACE(name);
    shapefile(name, host::geometry_point, {{{10, 10}}});
    write(name + ".prj", "the user's");
    write(name + ".qix", "the user's");
    const auto before = folder_files();
    EXPECT_THROW(DeleteNetworkShapefile(name), ToldHandlerEnd);
    EXPECT_EQ(folder_files(), before);
    EXPECT_TRUE(refused(shown().back(), path(name + ".shp"), name));
  }
}

// A name that is no output's is the add-in's own fault: the handler ends before any file of that
// name is touched, never with a refusal that blames the user's set.
TEST_F(UserSets, ANameThatIsNoOutputsEndsTheHandlerAndDeletesNothing) {
  build_check_network();
  shapefile("roads2", host::geometry_polyline, {{{10, 10}, {20, 20}}});
  const auto before = folder_files();
  try {
    DeleteNetworkShapefile("roads2");
    ADD_FAILURE() << "no handler end";
  } catch (const ToldHandlerEnd&) {
    ADD_FAILURE() << "told as a refusal";
  } catch (const HandlerEnd& end) {
    EXPECT_STREQ(end.what(), "no output is declared under the name roads2");
  }
  EXPECT_EQ(folder_files(), before);
  EXPECT_TRUE(shown().empty());
}

// Through the command: the map and the files stay as they were, no node layer is added, the
// settings are not stamped, and the host hears that the command ran.
TEST_F(UserSets, AddNodeLayerLeavesAUsersNodeShapefileAlone) {
  build_check_network();
  add_layer(shapefile("node", host::geometry_point, {{{10, 10}}, {{20, 20}}}), "my nodes");
  const auto before = folder_files();
  ASSERT_TRUE(run(com::make<AddNodeShp>()));
  EXPECT_EQ(folder_files(), before);
  EXPECT_EQ(map()->LayerCount(), 2);
  EXPECT_EQ(map()->Layer(0)->Name(), "my nodes");
  ASSERT_EQ(shown().size(), 1U);
  EXPECT_TRUE(
      refused(shown()[0], path("node.shp"), "node", "points with the fields NODE_ID, LINKS"));
  EXPECT_FALSE(stamped());
}

// The system's own output goes with every file of its set, and only those: the network's
// "node.bin" and neighbours whose names merely start alike stay.
TEST_F(UserSets, AnOwnOutputGoesWithAllItsFilesAndNothingElse) {
  build_check_network();
  ASSERT_TRUE(run(com::make<AddNodeShp>()));
  for (const char* extension : {".cpg", ".qix", ".sbn", ".sbx", ".shp.xml"})
    write(std::string("node") + extension, "index");
  shapefile("node2", host::geometry_point, {{{10, 10}}});
  write("node.txt", "the user's notes");
  write("nodes.prj", "the user's");
  auto expected = folder_files();
  for (const char* extension :
       {".shp", ".shx", ".dbf", ".prj", ".cpg", ".qix", ".sbn", ".sbx", ".shp.xml"})
    ASSERT_EQ(expected.erase(std::string("node") + extension), 1U) << extension;
  ASSERT_TRUE(expected.contains("node.bin")); // the engine's network file, not of the set
  DeleteNetworkShapefile("node");
  EXPECT_EQ(folder_files(), expected);

  // A lone projection under an output's name is a run's only when it is the network's own copy.
  write("IpPoly.prj", "the user's projection");
  const auto with_users = folder_files();
  DeleteNetworkShapefile("IpPoly");
  EXPECT_EQ(folder_files(), with_users);
  fs::copy_file(path("roads.prj"), path("IpPoly.prj"), fs::copy_options::overwrite_existing);
  DeleteNetworkShapefile("IpPoly");
  EXPECT_EQ(folder_files(), expected);
  EXPECT_TRUE(shown().empty());
}

} // namespace
} // namespace corvane
