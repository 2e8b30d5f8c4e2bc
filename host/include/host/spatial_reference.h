#pragma once

#include <string>
#include <string_view>

#include "com/unknown.h"

namespace host {

// A unit of measure of a coordinate system. FactoryCode is the EPSG unit code (9001 metre,
// 9002 foot, 9003 US survey foot, 9102 degree, ...), 0 when the unit is not a standard one.
// ConversionFactor gives metres (linear units) or radians (angular units) per unit.
struct HostUnit : com::IUnknown {
  COM_INTERFACE(HostUnit, com::IUnknown, "4BE565A0-C80F-480D-9305-3378CD8EA8C2")
  virtual int FactoryCode() = 0;
  virtual std::string Name() = 0;
  virtual double ConversionFactor() = 0;
};

// A coordinate system. The concrete kind is found by asking for one of the three interfaces
// below; a missing or unreadable ".prj" gives the unknown kind.
struct HostSpatialReference : com::IUnknown {
  COM_INTERFACE(HostSpatialReference, com::IUnknown, "988E5B2D-DA3E-43A1-B72C-50E49E9C0BA0")
  virtual std::string Name() = 0;
  // EPSG code of the whole coordinate system, 0 when it has none (the usual ".prj" case).
  virtual int FactoryCode() = 0;
  // True when both describe the same coordinate system (so projecting between them is the
  // identity); two unknown systems are equal.
  virtual bool IsEqual(HostSpatialReference* other) = 0;
  // The definition in the form a ".prj" file holds (ESRI-style WKT); "" for the unknown kind.
  virtual std::string ExportToWkt() = 0;
};

struct HostProjectedCoordinateSystem : HostSpatialReference {
  COM_INTERFACE(HostProjectedCoordinateSystem, HostSpatialReference,
                "B778CA78-39F0-42CA-83EF-D0E3FD01EC0D")
  // The linear unit of the coordinates.
  virtual com::ComPtr<HostUnit> CoordinateUnit() = 0;
};

struct HostGeographicCoordinateSystem : HostSpatialReference {
  COM_INTERFACE(HostGeographicCoordinateSystem, HostSpatialReference,
                "C4771060-3FFC-42E5-9673-D6D9017D8D8F")
  // The angular unit of the coordinates.
  virtual com::ComPtr<HostUnit> CoordinateUnit() = 0;
};

struct HostUnknownCoordinateSystem : HostSpatialReference {
  COM_INTERFACE(HostUnknownCoordinateSystem, HostSpatialReference,
                "457354CA-8052-4BCB-B114-CFC612605CFB")
};

// Reads and writes coordinate systems as ".prj" files.
struct HostSpatialReferenceFactory : com::IUnknown {
  COM_INTERFACE(HostSpatialReferenceFactory, com::IUnknown, "E983ACC9-8A91-4C41-9E8F-82CE778FDFD9")
  // Fails (E_FAIL) when the file cannot be read or holds no coordinate system.
  virtual com::HRESULT
  CreateESRISpatialReferenceFromPRJFile(const std::string& path,
                                        com::ComPtr<HostSpatialReference>* out) = 0;
  // Parses a definition in any WKT dialect or "EPSG:n"; fails on text it cannot read.
  virtual com::HRESULT CreateFromText(const std::string& text,
                                      com::ComPtr<HostSpatialReference>* out) = 0;
  // Writes the ESRI-style WKT of `reference` to `path`; fails for the unknown kind.
  virtual com::HRESULT ExportESRISpatialReferenceToPRJFile(HostSpatialReference* reference,
                                                           const std::string& path) = 0;
};

// One ".prj" file: Read keeps its text byte for byte, Write puts the same bytes elsewhere.
struct HostProjectionFile : com::IUnknown {
  COM_INTERFACE(HostProjectionFile, com::IUnknown, "173761CF-90D3-47E3-876C-2E2B958F348C")
  virtual com::HRESULT Read(const std::string& path) = 0;
  virtual com::HRESULT Write(const std::string& path) = 0;
  // The coordinate system of the text read; the unknown kind before a successful Read.
  virtual com::ComPtr<HostSpatialReference> SpatialReference() = 0;
};

inline constexpr std::string_view SpatialReferenceEnvironmentClass =
    "esricore.SpatialReferenceEnvironment";
inline constexpr std::string_view ProjectionFileClass = "esricore.ProjectionFile";
inline constexpr std::string_view UnknownCoordinateSystemClass = "esricore.UnknownCoordinateSystem";

} // namespace host
