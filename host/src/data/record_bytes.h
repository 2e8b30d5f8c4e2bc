#pragma once

#include <cstring>

namespace host {

// A number of a shapefile record as its bytes hold it (the platform's own little-endian order),
// read wherever it stands, aligned or not.
template <class T> T read_value(const unsigned char* at) {
  T value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

} // namespace host
