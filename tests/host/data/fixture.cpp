#include "fixture.h"

#include <shapefil.h>

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "data/filters.h"
#include "data/workspace_objects.h"

namespace host::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::random_device random;
  path_ = fs::temp_directory_path() /
          ("corvane-host-data-" + std::to_string(random()) + std::to_string(random()));
  fs::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

void write_links(const fs::path& folder, const std::string& name, const std::vector<Link>& links,
                 const std::string& prj) {
  const auto base = (folder / name).string();
  SHPHandle shp = SHPCreate(base.c_str(), SHPT_ARC);
  DBFHandle dbf = DBFCreateEx((base + ".dbf").c_str(), "LDID/87");
  if (!shp || !dbf)
    throw std::runtime_error("cannot create the fixture " + base);
  DBFAddField(dbf, "NAME", FTString, 30, 0);
  DBFAddField(dbf, "CLASS", FTInteger, 5, 0);
  for (std::size_t i = 0; i < links.size(); ++i) {
    std::vector<double> xs, ys;
    for (const auto& p : links[i].line) {
      xs.push_back(p.x);
      ys.push_back(p.y);
    }
    SHPObject* object =
        SHPCreateSimpleObject(SHPT_ARC, static_cast<int>(xs.size()), xs.data(), ys.data(), nullptr);
    SHPWriteObject(shp, -1, object);
    SHPDestroyObject(object);
    const int record = static_cast<int>(i);
    DBFWriteStringAttribute(dbf, record, 0, links[i].name.c_str());
    DBFWriteIntegerAttribute(dbf, record, 1, links[i].road_class);
  }
  SHPClose(shp);
  DBFClose(dbf);
  if (!prj.empty())
    std::ofstream(base + ".prj", std::ios::binary) << prj;
}

std::vector<Link> three_links() {
  return {{{{0, 0}, {10, 0}}, "Main", 1},
          {{{10, 0}, {10, 10}}, "Side", 2},
          {{{10, 10}, {20, 10}}, "Main", 3}};
}

com::ComPtr<HostQueryFilter> make_where(const std::string& clause) {
  auto filter = create_query_filter().as<HostQueryFilter>();
  filter->SetWhereClause(clause);
  return filter;
}

com::ComPtr<HostFeatureWorkspace> open_folder(const fs::path& folder) {
  return open_workspace(folder.string()).as<HostFeatureWorkspace>();
}

com::ComPtr<HostFeatureClass> open_class(const fs::path& folder, const std::string& name) {
  com::ComPtr<HostFeatureClass> fc;
  if (com::FAILED(open_folder(folder)->OpenFeatureClass(name, &fc)))
    throw std::runtime_error("cannot open " + name);
  return fc;
}

Bytes read_bytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace host::test
