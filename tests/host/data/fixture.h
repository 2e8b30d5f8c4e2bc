#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "com/unknown.h"
#include "host/geometry.h"
#include "host/query_filter.h"
#include "host/workspace.h"

namespace host::test {

// A folder of its own per test, removed afterwards.
class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string(); }

private:
  std::filesystem::path path_;
};

// One link of a drawn network: its line and attribute values.
struct Link {
  Path line;
  std::string name;
  int road_class = 0;
};

// Writes "<name>.shp/.shx/.dbf" of polylines with the columns NAME C(30) and CLASS N(5,0),
// written raw (bytes as given), and "<name>.prj" when `prj` is not empty.
void write_links(const std::filesystem::path& folder, const std::string& name,
                 const std::vector<Link>& links, const std::string& prj = "");

// Three links: (0,0)-(10,0) "Main" 1, (10,0)-(10,10) "Side" 2, (10,10)-(20,10) "Main" 3.
std::vector<Link> three_links();

inline constexpr const char* utm32n_prj =
    "PROJCS[\"WGS_1984_UTM_Zone_32N\",GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\","
    "SPHEROID[\"WGS_1984\",6378137.0,298.257223563]],PRIMEM[\"Greenwich\",0.0],"
    "UNIT[\"Degree\",0.0174532925199433]],PROJECTION[\"Transverse_Mercator\"],"
    "PARAMETER[\"False_Easting\",500000.0],PARAMETER[\"False_Northing\",0.0],"
    "PARAMETER[\"Central_Meridian\",9.0],PARAMETER[\"Scale_Factor\",0.9996],"
    "PARAMETER[\"Latitude_Of_Origin\",0.0],UNIT[\"Meter\",1.0]]";

// A file's bytes, all of them.
using Bytes = std::vector<char>;
Bytes read_bytes(const std::filesystem::path& file);

// A query filter with a where clause.
com::ComPtr<HostQueryFilter> make_where(const std::string& clause);

com::ComPtr<HostFeatureWorkspace> open_folder(const std::filesystem::path& folder);
com::ComPtr<HostFeatureClass> open_class(const std::filesystem::path& folder,
                                         const std::string& name);

} // namespace host::test
