#pragma once

#include <string>

namespace host {

// A field as the host describes it (type code, length, precision, scale).
struct FieldDefinition {
  std::string name;
  int type = 0;
  int length = 0;
  int precision = 0;
  int scale = 0;
};

// A field as a ".dbf" stores it: type letter, width and decimals.
struct DbfColumn {
  std::string name;
  char type = 'C';
  int width = 0;
  int decimals = 0;
};

// Both directions of the mapping documented at HostField. A type that a ".dbf" cannot hold
// (object id, geometry, unknown codes) raises HostError; so does a name longer than 10 bytes.
DbfColumn to_dbf(const FieldDefinition& field);
FieldDefinition from_dbf(const DbfColumn& column);

} // namespace host
