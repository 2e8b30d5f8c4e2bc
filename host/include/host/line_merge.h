#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "com/unknown.h"

namespace host {

// Joins of a line feature class's features into longer lines, made in one step: the whole edit
// is written to new ".shp", ".shx" and ".dbf" files beside the old ones, which take the old
// names only when all three are whole and read back. On any failure the old files are as they
// were. The shape type (with Z and M values), the fields, the code page and the ".prj" stay;
// spatial-index files that the new ".shp" makes stale are removed.
struct HostLineMerge : com::IUnknown {
  COM_INTERFACE(HostLineMerge, com::IUnknown, "3C0F2B7E-8D1A-4E65-9B7C-52E1A9D04F36")
  // Each run lists feature ids in join order: the first is the base, and every later feature
  // has an end point on an end of the line grown so far (checked in this order: the grown
  // line's last point against the feature's first, then its last; the grown line's first point
  // against the feature's last, then its first). A run becomes one new feature with the base's
  // direction and all of the base's attributes; the run's features go, the features of no run
  // keep their order, and the new ones follow them in run order. E_INVALIDARG for an unknown
  // or repeated id, a run of fewer than two, or a feature that does not meet its run's line;
  // `why` (when given) then says what failed, naming the file or feature.
  virtual com::HRESULT MergeLines(const std::vector<std::vector<std::int32_t>>& runs,
                                  std::string* why) = 0;
};

} // namespace host
