#pragma once

#include <string>
#include <string_view>

#include "com/guid.h"
#include "com/unknown.h"
#include "host/symbol.h"

namespace host {

// How a feature layer is drawn. The map asks the renderer for each feature's symbol when
// it draws; the renderers here are data the add-in fills and tests inspect.
struct HostFeatureRenderer : com::IUnknown {
  COM_INTERFACE(HostFeatureRenderer, com::IUnknown, "7D0853D1-6405-4F69-9D5A-7AC7C61A949C")
};

// One symbol for every feature.
struct HostSimpleRenderer : HostFeatureRenderer {
  COM_INTERFACE(HostSimpleRenderer, HostFeatureRenderer, "5F84530A-71CE-4847-83BB-5E5DEE0F8199")
  virtual com::ComPtr<HostSymbol> Symbol() = 0;
  virtual void SetSymbol(HostSymbol* symbol) = 0;
  virtual std::string Label() = 0;
  virtual void SetLabel(const std::string& label) = 0;
};

// Classes by a numeric field. Class i holds the values above Break(i - 1) up to Break(i);
// class 0 holds the values above MinimumBreak up to Break(0). A value outside every class
// is not drawn. Indexes outside 0..BreakCount-1 are ignored by setters and give
// 0 / "" / null from getters.
struct HostClassBreaksRenderer : HostFeatureRenderer {
  COM_INTERFACE(HostClassBreaksRenderer, HostFeatureRenderer,
                "3F60E591-9DB1-4ECD-BD30-62EBF524EB06")
  virtual std::string Field() = 0;
  virtual void SetField(const std::string& name) = 0;
  virtual int BreakCount() = 0;
  virtual void SetBreakCount(int count) = 0;
  virtual double MinimumBreak() = 0;
  virtual void SetMinimumBreak(double value) = 0;
  virtual double Break(int index) = 0;
  virtual void SetBreak(int index, double value) = 0;
  virtual std::string Label(int index) = 0;
  virtual void SetLabel(int index, const std::string& label) = 0;
  virtual com::ComPtr<HostSymbol> Symbol(int index) = 0;
  virtual void SetSymbol(int index, HostSymbol* symbol) = 0;
  // The class index of a value, or -1 when no class holds it.
  virtual int ClassOf(double value) = 0;
};

// What the renderer's property page shows: the ramp's name and each class's low value.
struct HostClassBreaksUIProperties : com::IUnknown {
  COM_INTERFACE(HostClassBreaksUIProperties, com::IUnknown, "62DF4FEC-95BE-47AA-8D75-C72CEC91B7C0")
  virtual std::string ColorRamp() = 0;
  virtual void SetColorRamp(const std::string& name) = 0;
  virtual double LowBreak(int index) = 0;
  virtual void SetLowBreak(int index, double value) = 0;
};

// Classes by the text of a field's value. Values keep the order they were added in.
// A numeric field's value matches a class when both read as the same single-precision
// number ("5" matches 5.0); otherwise the texts must be equal.
struct HostUniqueValueRenderer : HostFeatureRenderer {
  COM_INTERFACE(HostUniqueValueRenderer, HostFeatureRenderer,
                "5E26EE93-930D-44ED-899D-06E670885225")
  virtual int FieldCount() = 0;
  virtual void SetFieldCount(int count) = 0;
  virtual std::string Field(int index) = 0;
  virtual void SetField(int index, const std::string& name) = 0;
  // Field type flag of field `index`: true when the field is numeric (values compare as numbers).
  virtual bool FieldType(int index) = 0;
  virtual void SetFieldType(int index, bool numeric) = 0;
  // Adding a value that is already there changes nothing.
  virtual void AddValue(const std::string& value, const std::string& heading,
                        HostSymbol* symbol) = 0;
  virtual int ValueCount() = 0;
  virtual std::string Value(int index) = 0;
  virtual std::string Heading(const std::string& value) = 0;
  virtual std::string Label(const std::string& value) = 0;
  virtual void SetLabel(const std::string& value, const std::string& label) = 0;
  virtual com::ComPtr<HostSymbol> Symbol(const std::string& value) = 0;
  virtual void SetSymbol(const std::string& value, HostSymbol* symbol) = 0;
  // Drawn for a value of no class; null leaves such features undrawn.
  virtual com::ComPtr<HostSymbol> DefaultSymbol() = 0;
  virtual void SetDefaultSymbol(HostSymbol* symbol) = 0;
  virtual std::string ColorScheme() = 0;
  virtual void SetColorScheme(const std::string& name) = 0;
};

// A renderer property page; the add-in only reads its class identifier and hands that to
// the layer, which remembers which page edits its renderer.
struct HostRendererPropertyPage : com::IUnknown {
  COM_INTERFACE(HostRendererPropertyPage, com::IUnknown, "C501DDCB-B65E-426D-B828-ECD2C3CB5EE1")
  virtual com::CLSID ClassID() = 0;
};

inline constexpr std::string_view SimpleRendererClass = "esricore.SimpleRenderer";
inline constexpr std::string_view ClassBreaksRendererClass = "esricore.ClassBreaksRenderer";
inline constexpr std::string_view UniqueValueRendererClass = "esricore.UniqueValueRenderer";
inline constexpr std::string_view ClassBreaksPropertyPageClass = "esricore.ClassBreaksPropertyPage";
inline constexpr std::string_view UniqueValuePropertyPageClass = "esricore.UniqueValuePropertyPage";

} // namespace host
