#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "com/object.h"
#include "forms/form.h"
#include "forms/user.h"
#include "support/host_fixture.h"
#include "support/stub_engine.h"

namespace corvane::testing {

// The person at the screen: records message boxes and answers them from a queue (else with
// the box's first button); works each modal form with the handler set for its name, and leaves
// a form without one as it is (it then closes as by its frame).
class ScriptedUser final : public com::ComObject<forms::User> {
public:
  using FormHandler = std::function<void(forms::IForm&)>;

  void FormShown(forms::IForm& form, bool) override { shown.emplace_back(form.FormName()); }
  void WorkModal(forms::IForm& form) override;
  void FormClosedByFrame(forms::IForm&) override {}
  void PointerChanged(forms::IForm&) override {}
  forms::Answer MessageBox(const forms::Message& message) override;
  bool EscapePressed() override { return false; }

  // Picks `item` in Combo1 of the form and presses OK, every time the form is shown.
  void choose(std::string_view form, std::string item);

  std::vector<forms::Message> messages;
  std::vector<std::string> shown;
  std::deque<forms::Answer> answers;
  std::map<std::string, FormHandler, std::less<>> handlers;
};

// Gives feature i of `features` the CLASS value values[i].
void write_classes(host::HostFeatureClass& features, const std::vector<double>& values);

// Does a gesture on a form's control and fails the test when it cannot be done.
void perform(forms::IForm& form, std::string_view control, forms::Gesture gesture,
             std::string value = "");

// An engine network object that does what the add-in relies on without computing anything:
// CreateNetwork writes the four network files, CreateAttributeFile keeps the lines of the text
// file and writes "attribute.bin", LoadNetwork loads when those files exist. Each call can be
// made to fail with a code, and every call is recorded.
class ScriptedNetBase final : public StubNetBase {
public:
  ScriptedNetBase() : StubNetBase(&calls) {}

  std::string folder;
  std::int32_t create_result = 0, attribute_result = 0, load_result = 0;
  CallLog calls;
  std::vector<std::string> attribute_lines;
  std::int32_t map_units = -1, distance_units = -1;

  void SetNetworkFolder(const std::string& path) override;
  std::int32_t SetMapUnits(std::int32_t code) override;
  std::int32_t SetDistanceUnits(std::int32_t units) override;
  std::int32_t GetDistanceUnits() override;
  std::int32_t CreateNetwork(const std::string& layer, std::int32_t links_to_carry,
                             const std::string& unused_text) override;
  std::int32_t CreateAttributeFile(const std::string& file) override;
  std::int32_t LoadNetwork() override;

  // Whether a call of that name was made.
  bool called(std::string_view name) const { return testing::called(calls, name); }
};

// A test of the network commands: the host test with a scripted user, a road layer "roads" of
// four links in metres (UTM) with a numeric "CLASS" field, a map in kilometres and a scripted
// engine. open() runs the CreateNetwork click on them.
class NetworkTest : public HostTest {
protected:
  void SetUp() override;
  void TearDown() override;

  // Writes "roads.shp" (with ".prj" and CLASS values, one per link) into the folder and adds
  // it to the map.
  com::ComPtr<host::HostFeatureLayer> add_roads(const std::vector<double>& classes = {1, 2, 3, 2});
  // The same with links of these shapes, link i in class classes[i].
  com::ComPtr<host::HostFeatureLayer> add_roads(const std::vector<host::Path>& links,
                                                const std::vector<double>& classes);
  void open();
  // Opens with the road-class field and keeps the messages of that run apart.
  void build();
  // The texts of the messages shown since the last call.
  std::vector<std::string> take_messages();
  // The network folder's settings file and its value of a key.
  std::string ini() const;
  std::string ini_value(std::string_view section, std::string_view key) const;
  // Sets a file's modification time to that of `reference` plus `offset`.
  void set_modified(std::string_view name, std::string_view reference,
                    std::chrono::seconds offset) const;
  int element_count();

  com::ComPtr<ScriptedUser> user_;
  com::ComPtr<ScriptedNetBase> engine_;
  com::ComPtr<host::HostFeatureLayer> roads_;
  std::size_t messages_taken_ = 0;
};

} // namespace corvane::testing
