#pragma once

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "com/object.h"
#include "host/renderer.h"

namespace host {

class SimpleRenderer final : public com::ComObject<HostSimpleRenderer> {
public:
  com::ComPtr<HostSymbol> Symbol() override { return symbol_; }
  void SetSymbol(HostSymbol* symbol) override { symbol_ = com::ComPtr<HostSymbol>(symbol); }
  std::string Label() override { return label_; }
  void SetLabel(const std::string& label) override { label_ = label; }

private:
  com::ComPtr<HostSymbol> symbol_;
  std::string label_;
};

class ClassBreaksRenderer final
    : public com::ComObject<HostClassBreaksRenderer, HostClassBreaksUIProperties> {
public:
  std::string Field() override { return field_; }
  void SetField(const std::string& name) override { field_ = name; }
  int BreakCount() override { return static_cast<int>(classes_.size()); }
  void SetBreakCount(int count) override;
  double MinimumBreak() override { return minimum_; }
  void SetMinimumBreak(double value) override { minimum_ = value; }
  double Break(int index) override;
  void SetBreak(int index, double value) override;
  std::string Label(int index) override;
  void SetLabel(int index, const std::string& label) override;
  com::ComPtr<HostSymbol> Symbol(int index) override;
  void SetSymbol(int index, HostSymbol* symbol) override;
  int ClassOf(double value) override;
  std::string ColorRamp() override { return ramp_name_; }
  void SetColorRamp(const std::string& name) override { ramp_name_ = name; }
  double LowBreak(int index) override;
  void SetLowBreak(int index, double value) override;

private:
  struct Class {
    double upper = 0;
    double low = 0;
    std::string label;
    com::ComPtr<HostSymbol> symbol;
  };
  Class* at(int index);

  std::string field_;
  double minimum_ = 0;
  std::vector<Class> classes_;
  std::string ramp_name_;
};

class UniqueValueRenderer final : public com::ComObject<HostUniqueValueRenderer> {
public:
  int FieldCount() override { return static_cast<int>(fields_.size()); }
  void SetFieldCount(int count) override;
  std::string Field(int index) override;
  void SetField(int index, const std::string& name) override;
  bool FieldType(int index) override;
  void SetFieldType(int index, bool numeric) override;
  void AddValue(const std::string& value, const std::string& heading, HostSymbol* symbol) override;
  int ValueCount() override { return static_cast<int>(values_.size()); }
  std::string Value(int index) override;
  std::string Heading(const std::string& value) override;
  std::string Label(const std::string& value) override;
  void SetLabel(const std::string& value, const std::string& label) override;
  com::ComPtr<HostSymbol> Symbol(const std::string& value) override;
  void SetSymbol(const std::string& value, HostSymbol* symbol) override;
  com::ComPtr<HostSymbol> DefaultSymbol() override { return default_symbol_; }
  void SetDefaultSymbol(HostSymbol* symbol) override {
    default_symbol_ = com::ComPtr<HostSymbol>(symbol);
  }
  std::string ColorScheme() override { return color_scheme_; }
  void SetColorScheme(const std::string& name) override { color_scheme_ = name; }

private:
  struct FieldEntry {
    std::string name;
    bool numeric = false;
  };
  struct ValueClass {
    std::string value;
    std::string heading;
    std::string label;
    com::ComPtr<HostSymbol> symbol;
  };
  ValueClass* find(const std::string& value);

  std::vector<FieldEntry> fields_;
  std::vector<ValueClass> values_;
  com::ComPtr<HostSymbol> default_symbol_;
  std::string color_scheme_;
};

// Finds the value class of a field value (as text) by the rule of HostUniqueValueRenderer;
// built once for a drawing, since a renderer may hold thousands of values.
class UniqueValueIndex {
public:
  explicit UniqueValueIndex(HostUniqueValueRenderer& renderer);
  // The class index, -1 for none.
  int find(const std::string& field_value) const;

private:
  std::unordered_map<std::string, int> texts_;
  std::map<float, int> numbers_;
  bool numeric_ = false;
};

int unique_value_class(HostUniqueValueRenderer& renderer, const std::string& field_value);

// The two property pages differ only in their class identifier.
class RendererPropertyPage final : public com::ComObject<HostRendererPropertyPage> {
public:
  explicit RendererPropertyPage(const com::CLSID& id) : id_(id) {}
  com::CLSID ClassID() override { return id_; }

private:
  com::CLSID id_;
};

inline constexpr com::CLSID class_breaks_page_id =
    com::make_guid("6B2A3C10-5D1E-4F7A-9C33-2E8D41A07B51");
inline constexpr com::CLSID unique_value_page_id =
    com::make_guid("9E4F1B22-7A3C-4D8E-B615-0C5D92E3F874");

} // namespace host
