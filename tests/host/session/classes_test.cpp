// The class listing shows the host's own classes with their interfaces, as it shows a module's.
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

namespace {

std::string run_classes() {
  std::string listing;
  FILE* pipe = ::popen(CORVANE_BINARY_DIR "/bin/gishost --addin " TEST_ADDIN " --classes", "r");
  if (!pipe)
    return listing;
  char buffer[4096];
  while (const auto read = std::fread(buffer, 1, sizeof buffer, pipe))
    listing.append(buffer, read);
  ::pclose(pipe);
  return listing;
}

// The lines of the listing that describe the class: its own and the indented ones below it.
std::string block_of(const std::string& listing, const std::string& prog_id) {
  auto end = listing.find(prog_id + " {");
  if (end == std::string::npos)
    return {};
  const auto start = end;
  do
    end = listing.find('\n', end + 1);
  while (end != std::string::npos && end + 1 < listing.size() && listing[end + 1] == ' ');
  return listing.substr(start, end == std::string::npos ? std::string::npos : end - start + 1);
}

bool lists(const std::string& block, const std::string& interface) {
  return block.find("  interface " + interface + "\n") != std::string::npos;
}

TEST(ClassesTest, TheHostsClassesListTheirInterfaces) {
  const auto listing = run_classes();
  const auto color = block_of(listing, "esricore.RgbColor");
  ASSERT_FALSE(color.empty()) << listing;
  EXPECT_NE(color.find("\n  class RgbColor, category \"Host Classes\"\n"), std::string::npos)
      << color;
  EXPECT_TRUE(lists(color, "HostColor")) << color;
  EXPECT_TRUE(lists(color, "HostRgbColor")) << color;

  const auto polyline = block_of(listing, "esricore.Polyline");
  for (const char* name : {"HostGeometry", "HostCurve", "HostPolyline", "HostPointCollection",
                           "HostTopologicalOperator", "HostRelationalOperator"})
    EXPECT_TRUE(lists(polyline, name)) << name << "\n" << polyline;
  EXPECT_FALSE(lists(polyline, "HostPolygon")) << polyline;
}

} // namespace
