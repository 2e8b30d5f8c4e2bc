#pragma once

#include <string>
#include <string_view>

#include "com/unknown.h"
#include "com/variant.h"
#include "host/spatial_reference.h"

namespace host {

// Field type codes.
enum HostFieldType : int {
  field_small_integer = 0,
  field_integer = 1,
  field_single = 2,
  field_double = 3,
  field_string = 4,
  field_date = 5,
  field_oid = 6,
  field_geometry = 7,
};

// The geometry of a shape field: its type (HostGeometryType) and coordinate system.
struct HostGeometryDef : com::IUnknown {
  COM_INTERFACE(HostGeometryDef, com::IUnknown, "939942EF-76D6-4332-83F1-7884BA72A963")
  virtual int GeometryType() = 0;
  // A shapefile without a usable ".prj" gives the unknown kind; a new definition gives null
  // until one is set.
  virtual com::ComPtr<HostSpatialReference> SpatialReference() = 0;
};

struct HostGeometryDefEdit : HostGeometryDef {
  COM_INTERFACE(HostGeometryDefEdit, HostGeometryDef, "A14116AB-0B2A-4B07-A10D-BE5DF8C19484")
  virtual void SetGeometryType(int type) = 0;
  virtual void SetSpatialReference(HostSpatialReference* reference) = 0;
  // Spatial index grid of the original format; kept only so that callers can set it.
  virtual void SetGridCount(int count) = 0;
  virtual void SetGridSize(int index, double size) = 0;
};

// A field definition. Shapefile tables store the types this way (length = DBF width):
//   small integer N(5,0), integer N(10,0), single F(p+1,s), double N(p+1,s), string C(length),
//   date D(8). A double or single without a precision, or with scale >= precision, is stored
//   as N(19,s) for 0 < s < 18, else as N(L,max(1,L/2-1)) for a length 3 <= L < 19 (length 10
//   gives N(10,4)), else as N(19,11); a value too wide for its decimals is written with fewer
//   (a whole part that does not fit the width is an error). Reading back, N/F with
//   decimals > 0 is a double (F: single) with precision = width - 1 and scale = decimals, so
//   a double of precision 10 and scale 3 stored as N(11,3) reads back as precision 10, scale 3;
//   N with no decimals is a small integer up to width 5, an integer up to 10, else a double.
//   L (logical) reads as a string of length 1.
struct HostField : com::IUnknown {
  COM_INTERFACE(HostField, com::IUnknown, "E127B7CC-0228-4E84-8D02-74E96ED05BDA")
  virtual std::string Name() = 0;
  virtual std::string AliasName() = 0;
  virtual int Type() = 0;
  virtual int Length() = 0;
  virtual int Precision() = 0;
  virtual int Scale() = 0;
  virtual bool IsNullable() = 0;
  virtual bool Editable() = 0;
  virtual bool Required() = 0;
  virtual com::Variant DefaultValue() = 0;
  // The shape field's geometry definition; null for any other field.
  virtual com::ComPtr<HostGeometryDef> GeometryDef() = 0;
};

struct HostFieldEdit : HostField {
  COM_INTERFACE(HostFieldEdit, HostField, "4705C09F-C4E2-4F99-8A62-FD32137D3A48")
  virtual void SetName(const std::string& name) = 0;
  virtual void SetAliasName(const std::string& alias) = 0;
  virtual void SetType(int type) = 0;
  virtual void SetLength(int length) = 0;
  virtual void SetPrecision(int precision) = 0;
  virtual void SetScale(int scale) = 0;
  virtual void SetIsNullable(bool nullable) = 0;
  virtual void SetEditable(bool editable) = 0;
  virtual void SetRequired(bool required) = 0;
  virtual void SetDefaultValue(const com::Variant& value) = 0;
  virtual void SetGeometryDef(HostGeometryDef* definition) = 0;
};

// The fields of a table in order. Feature classes list "FID" (object id) and "Shape"
// (geometry) first, then the attribute fields; standalone tables list "OID" first.
struct HostFields : com::IUnknown {
  COM_INTERFACE(HostFields, com::IUnknown, "334D8EED-E71C-4234-A4B3-75918DAB0565")
  virtual int FieldCount() = 0;
  // Null when i is out of range.
  virtual com::ComPtr<HostField> Field(int i) = 0;
  // Index of the field named `name` without regard to letter case; -1 when there is none.
  virtual int FindField(const std::string& name) = 0;
};

struct HostFieldsEdit : HostFields {
  COM_INTERFACE(HostFieldsEdit, HostFields, "88EA8C40-43FF-4B27-9470-D6E8B6EED5D8")
  virtual void AddField(HostField* field) = 0;
};

inline constexpr std::string_view FieldClass = "esricore.Field";
inline constexpr std::string_view FieldsClass = "esricore.Fields";
inline constexpr std::string_view GeometryDefClass = "esricore.GeometryDef";

} // namespace host
