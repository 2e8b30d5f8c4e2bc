#include "com/registry.h"

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "scoped_registry.h"

namespace {

com::ClassInfo test_class(std::uint32_t number, std::string prog_id, std::string category = {}) {
  com::CLSID clsid = com::make_guid("44444444-0000-0000-0000-000000000000");
  clsid.data1 += number;
  return {clsid,
          "Class" + std::to_string(number),
          std::move(prog_id),
          std::move(category),
          "/modules/libtest.so",
          {{"ICommand", "Caption: string; OnClick()"}, {"ITool", ""}}};
}

TEST(Registry, RegistersFindsAndUnregistersClasses) {
  const ScopedRegistry registry("round-trip");
  const auto subnet = test_class(1, "Corvane.Subnet", "Corvane Commands");
  const auto other = test_class(2, "Corvane.Other");
  ASSERT_EQ(com::register_classes({subnet, other}), com::S_OK);

  EXPECT_EQ(com::find_registered_class("corvane.SUBNET"), subnet);
  EXPECT_EQ(com::find_registered_class(other.clsid), other);
  com::CLSID clsid;
  EXPECT_EQ(com::CLSIDFromProgID("CORVANE.OTHER", clsid), com::S_OK);
  EXPECT_EQ(clsid, other.clsid);
  EXPECT_EQ(com::registered_classes_in_category("Corvane Commands"),
            std::vector<com::ClassInfo>{subnet});

  ASSERT_EQ(com::unregister_classes({subnet.clsid}), com::S_OK);
  EXPECT_FALSE(com::find_registered_class("Corvane.Subnet"));
  EXPECT_EQ(com::CLSIDFromProgID("Corvane.Subnet", clsid), com::REGDB_E_CLASSNOTREG);
  EXPECT_EQ(com::registered_classes(), std::vector<com::ClassInfo>{other});
}

TEST(Registry, ARegistrationReplacesTheSameClsidOrProgId) {
  const ScopedRegistry registry("replace");
  ASSERT_EQ(com::register_classes({test_class(1, "Corvane.A"), test_class(2, "Corvane.B")}),
            com::S_OK);
  auto moved = test_class(1, "Corvane.A");
  moved.module_path = "/elsewhere/libtest.so";
  const auto new_b = test_class(3, "CORVANE.b"); // the ProgID now names another class
  ASSERT_EQ(com::register_classes({moved, new_b}), com::S_OK);
  EXPECT_EQ(com::registered_classes(), (std::vector<com::ClassInfo>{moved, new_b}));
}

TEST(Registry, ReadsAHandEditedFileAndKeepsValuesOnOneLine) {
  const ScopedRegistry registry("hand-edited");
  std::filesystem::create_directories(registry.file().parent_path());
  std::ofstream(registry.file(), std::ios::binary)
      << "# comment\r\n"
         "[not a guid]\r\nProgID=Broken.Class\r\n"
         "[{44444444-0000-0000-0000-000000000001}]\r\nProgID=Corvane.Kept\r\n"
         "Unknown=ignored\r\nMembers=before any interface\r\nInterface=IKept\r\n";
  const auto classes = com::registered_classes();
  ASSERT_EQ(classes.size(), 1u);
  EXPECT_EQ(classes[0].prog_id, "Corvane.Kept");
  EXPECT_EQ(classes[0].interfaces, (std::vector<com::InterfaceInfo>{{"IKept", ""}}));
  EXPECT_FALSE(com::find_registered_class("Broken.Class"));

  auto multi_line = test_class(5, "Corvane.Lines");
  multi_line.interfaces = {{"ICommand", "Caption: string;\nOnClick()"}};
  ASSERT_EQ(com::register_classes({multi_line}), com::S_OK);
  EXPECT_EQ(com::find_registered_class("Corvane.Lines")->interfaces[0].members,
            "Caption: string; OnClick()");
  EXPECT_TRUE(com::find_registered_class("Corvane.Kept"));
}

TEST(Registry, ConcurrentWritersLoseNoClass) {
  const ScopedRegistry registry("concurrent");
  constexpr int writers = 8, classes_each = 10;
  std::vector<std::thread> threads;
  for (int w = 0; w < writers; ++w)
    threads.emplace_back([w] {
      for (int i = 0; i < classes_each; ++i) {
        const int n = w * classes_each + i;
        EXPECT_EQ(com::register_classes({test_class(n, "Corvane.C" + std::to_string(n))}),
                  com::S_OK);
      }
    });
  for (auto& t : threads)
    t.join();
  EXPECT_EQ(com::registered_classes().size(), std::size_t{writers * classes_each});
}

TEST(Registry, PathComesFromTheEnvironment) {
  const ScopedEnv home("HOME", "/home/someone");
  {
    const ScopedEnv registry("CORVANE_REGISTRY", "/tmp/explicit.reg");
    EXPECT_EQ(com::registry_path(), "/tmp/explicit.reg");
  }
  const ScopedEnv no_registry("CORVANE_REGISTRY", std::nullopt);
  {
    const ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(com::registry_path(), "/cfg/corvane/registry");
  }
  const ScopedEnv no_config("XDG_CONFIG_HOME", std::nullopt);
  EXPECT_EQ(com::registry_path(), "/home/someone/.config/corvane/registry");
}

TEST(Registry, DescribesTheTypeInformation) {
  auto c = test_class(1, "Corvane.Subnet", "Corvane Commands");
  EXPECT_EQ(com::describe_classes({c}), "Corvane.Subnet {44444445-0000-0000-0000-000000000000}\n"
                                        "  class Class1, category \"Corvane Commands\"\n"
                                        "  module /modules/libtest.so\n"
                                        "  interface ICommand: Caption: string; OnClick()\n"
                                        "  interface ITool\n");
}

} // namespace
