#pragma once

#include <cstdint>
#include <string_view>

#include "com/unknown.h"
#include "com/variant.h"
#include "host/fields.h"
#include "host/geometry.h"

namespace host {

// Field values of a row or buffer by field index. Values come as: small integer Integer,
// integer Long, single Single, double Double, string String (UTF-8), date String
// "YYYY-MM-DD", object id Long, shape Object (a HostGeometry); an empty DBF value is Empty.
// SetValue converts to the field's type and fails (E_INVALIDARG) when it cannot, when the
// index is out of range or when the field is not editable (the object id).
struct HostRowValues : com::IUnknown {
  COM_INTERFACE(HostRowValues, com::IUnknown, "A3ED06FC-AD5A-4D2E-A3E6-17F12C9D76D0")
  virtual com::ComPtr<HostFields> Fields() = 0;
  virtual com::Variant Value(int index) = 0;
  virtual com::HRESULT SetValue(int index, const com::Variant& value) = 0;
};

// Values not yet stored anywhere (inserted through an insert cursor).
struct HostRowBuffer : HostRowValues {
  COM_INTERFACE(HostRowBuffer, HostRowValues, "3AE9893D-7594-4327-90D4-A4A3559F1A82")
};

// A stored row. Changes made through SetValue are written by Store. The object id is the
// 0-based record number.
struct HostRow : HostRowValues {
  COM_INTERFACE(HostRow, HostRowValues, "DC43E0EF-09E5-4ECB-B567-3979055A042C")
  virtual bool HasOID() = 0;
  virtual std::int32_t OID() = 0;
  // Writes the changed values; attribute changes rewrite the ".dbf" record only.
  virtual com::HRESULT Store() = 0;
  // Removes the row; the rows after it move up one id.
  virtual com::HRESULT Delete() = 0;
};

struct HostFeatureBuffer : HostRowBuffer {
  COM_INTERFACE(HostFeatureBuffer, HostRowBuffer, "0DD47478-4AA5-49FE-9AD9-E8BFCDF59615")
  virtual com::ComPtr<HostGeometry> Shape() = 0;
  virtual void SetShape(HostGeometry* shape) = 0;
};

// Shape hands out the feature's own geometry object (changing it and calling Store changes the
// feature); ShapeCopy a new one.
struct HostFeature : HostRow {
  COM_INTERFACE(HostFeature, HostRow, "DAD9811B-71B6-4374-9470-AF146EF6D5D8")
  virtual com::ComPtr<HostGeometry> Shape() = 0;
  virtual com::ComPtr<HostGeometry> ShapeCopy() = 0;
  virtual void SetShape(HostGeometry* shape) = 0;
  virtual com::ComPtr<HostEnvelope> Extent() = 0;
};

} // namespace host
