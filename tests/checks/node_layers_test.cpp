#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "check_network.h"
#include "checks/add_node_shp.h"
#include "checks/close_node.h"
#include "dialogs/checks/frm_close_node.h"
#include "host/layer.h"
#include "host/renderer.h"
#include "host/symbol.h"
#include "network/state/shared_state.h"

namespace corvane {
namespace {

using testing::CheckTest;
namespace fs = std::filesystem;

class NodeLayers : public CheckTest {
protected:
  // The layers of the map by name, top first.
  std::vector<std::string> layer_names() {
    std::vector<std::string> names;
    for (int k = 0; k < map()->LayerCount(); ++k)
      names.push_back(map()->Layer(k)->Name());
    return names;
  }

  std::int32_t count(const std::string& name) {
    std::int32_t features = -1;
    EXPECT_EQ(open(name)->FeatureCount(nullptr, &features), com::S_OK);
    return features;
  }

  // A distance typed into FrmCloseNode and OK pressed.
  void type_distance(const std::string& text) {
    person_->expect<FrmCloseNode>("FrmCloseNode", [text](FrmCloseNode& dialog) {
      dialog.DistText.SetText(text);
      dialog.CmdOk.Click();
    });
  }
};

TEST_F(NodeLayers, TheNodeLayerReplacesTheOldOneAndCarriesTheProjection) {
  build_check_network();
  ASSERT_TRUE(run(com::make<AddNodeShp>()));
  ASSERT_TRUE(run(com::make<AddNodeShp>()));
  EXPECT_EQ(layer_names(), (std::vector<std::string>{"node", "roads"}));
  // A-G, K, P, Q (5000,5000) and (6000,5000), S and T: the ends of the drawn links.
  EXPECT_EQ(count("node"), 13);
  std::ifstream made(path("node.prj")), network(path("roads.prj"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(made), {}),
            std::string(std::istreambuf_iterator<char>(network), {}));
  EXPECT_TRUE(shown().empty());
  EXPECT_TRUE(stamped());
}

TEST_F(NodeLayers, WithoutTheNetworksProjectionTheOldNodeLayerGoesAndNoneComes) {
  build_check_network();
  ASSERT_TRUE(run(com::make<AddNodeShp>()));
  ASSERT_TRUE(fs::exists(path("node.shp")));
  fs::remove(path("roads.prj"));
  ASSERT_TRUE(run(com::make<AddNodeShp>()));
  EXPECT_EQ(layer_names(), std::vector<std::string>{"roads"});
  EXPECT_FALSE(fs::exists(path("node.shp")));
  EXPECT_EQ(shown().back().rfind("PRJ: ", 0), 0u) << shown().back();
}

TEST_F(NodeLayers, WithoutTheNetworkLayerInTheMapNothingIsWritten) {
  build_check_network();
  ASSERT_EQ(map()->DeleteLayer(map()->Layer(0).get()), com::S_OK);
  ASSERT_TRUE(run(com::make<AddNodeShp>()));
  ASSERT_EQ(shown(), std::vector<std::string>{"Layer Not Found: Network layer not found"});
  EXPECT_EQ(person_->messages.front().icon, forms::Icon::Exclamation);
  EXPECT_FALSE(fs::exists(path("node.shp")));
}

TEST_F(NodeLayers, TheDistanceDialog) {
  // A distance for which the engine finds no close node asks again; one of 0 or less ends the
  // command as CANCEL does; text that is no number is refused as an empty entry is.
  struct Case {
    std::string typed;
    std::vector<std::string> messages;
    bool asked_again;
    bool stays_open;
  };
  const std::vector<std::string> refused{"Enter Value: Enter a distance value > 0"};
  const std::vector<std::string> none_found{"Increase Tolerance: Increase the snap tolerance"};
  const Case cases[] = {
      {"", refused, false, true},
      {"0,01", none_found, true, false},
      {" 0.01 ", none_found, true, false},
      {"-1", {}, false, false},
      {"0", {}, false, false},
      {"abc", refused, false, true},
      {"0.01 m", refused, false, true},
      {"1,000.5", refused, false, true},
  };
  build_check_network();
  for (const auto& c : cases) {
    SCOPED_TRACE("typed \"" + c.typed + "\"");
    person_->messages.clear();
    bool stayed_open = false;
    person_->expect<FrmCloseNode>("FrmCloseNode", [&](FrmCloseNode& dialog) {
      dialog.DistText.SetText(c.typed);
      dialog.CmdOk.Click();
      if (dialog.Visible()) {
        stayed_open = true;
        dialog.CmdCancel.Click();
      }
    });
    // After a search that found nothing the dialog comes again, with its first text.
    std::string shown_again;
    if (c.asked_again) {
      person_->expect<FrmCloseNode>("FrmCloseNode", [&](FrmCloseNode& dialog) {
        shown_again = dialog.DistText.Text();
        dialog.CmdCancel.Click();
      });
    }
    ASSERT_TRUE(run(com::make<CloseNode>()));
    EXPECT_EQ(shown(), c.messages);
    EXPECT_EQ(stayed_open, c.stays_open);
    EXPECT_EQ(person_->pending(), 0u);
    if (c.asked_again) {
      EXPECT_EQ(shown_again, "0.005");
      EXPECT_EQ(shared_state().gCloseNodeValue, 0.01f);
    }
    EXPECT_EQ(shared_state().gCloseNodeOk, 0);
    EXPECT_EQ(layer_names(), std::vector<std::string>{"roads"});
  }
}

// The renderer's entries: value, label and colour.
struct Entry {
  std::string value, label;
  int red, green, blue;
  friend bool operator==(const Entry&, const Entry&) = default;
};

std::vector<Entry> entries(const com::ComPtr<host::HostLayer>& layer) {
  const auto renderer =
      layer.as<host::HostGeoFeatureLayer>()->Renderer().as<host::HostUniqueValueRenderer>();
  std::vector<Entry> found;
  for (int k = 0; renderer && k < renderer->ValueCount(); ++k) {
    const auto value = renderer->Value(k);
    const std::int32_t rgb = renderer->Symbol(value).as<host::HostMarkerSymbol>()->Color()->RGB();
    found.push_back(
        {value, renderer->Label(value), rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF});
  }
  return found;
}

class CloseNodeLayer : public NodeLayers {
protected:
  // Close nodes 5 m apart on `roads`: the layer "closenodes" on top, drawn as `expected`.
  void expect_drawn(const std::vector<testing::Road>& roads, const std::vector<Entry>& expected) {
    fs::copy_file(fs::path(CORVANE_SOURCE_DIR) / "data/sample/gothenburg/roads.prj",
                  path("roads.prj"));
    build_network(roads);
    type_distance("5");
    ASSERT_TRUE(run(com::make<CloseNode>()));
    EXPECT_TRUE(shown().empty());
    ASSERT_EQ(layer_names(), (std::vector<std::string>{"closenodes", "roads"}));
    EXPECT_EQ(entries(map()->Layer(0)), expected);
    EXPECT_TRUE(stamped());
  }
};

TEST_F(CloseNodeLayer, AShortLinkIsConnectedAndAGapIsNot) {
  expect_drawn({{{{0, 0}, {1000, 0}}, "a"},
                {{{1000, 0}, {1000, 3}}, "short"},
                {{{1000, 3}, {1000, 1000}}, "b"},
                {{{1000, 1000}, {2000, 1000}}, "c"},
                {{{2003, 1000}, {3000, 1000}}, "beyond the gap"}},
               {{"1", "Connected", 0, 255, 0}, {"0", "Not Connected", 255, 0, 0}});
}

TEST_F(CloseNodeLayer, WhenEveryCloseNodeIsJoinedTheRendererHasOneEntry) {
  expect_drawn({{{{0, 0}, {1000, 0}}, "a"}, {{{1000, 0}, {1000, 3}}, "short"}},
               {{"1", "Connected", 0, 255, 0}});
}

} // namespace
} // namespace corvane
