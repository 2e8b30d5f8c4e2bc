#include "data/data_tools.h"

#include <cmath>
#include <limits>
#include <vector>

#include "com/object.h"
#include "data/host_error.h"
#include "host/data_tools.h"

namespace host {

namespace {

class ObjectSet final : public com::ComObject<HostObjectSet> {
public:
  int Count() override { return static_cast<int>(rows_.size()); }
  void Add(HostRow* row) override {
    if (row)
      rows_.emplace_back(row);
  }
  com::ComPtr<HostRow> Row(int i) override {
    if (i < 0 || i >= Count())
      return nullptr;
    return rows_[static_cast<std::size_t>(i)];
  }

private:
  std::vector<com::ComPtr<HostRow>> rows_;
};

class StatisticsResult final : public com::ComObject<HostStatisticsResult> {
public:
  explicit StatisticsResult(const std::vector<double>& values) {
    for (double v : values) {
      min_ = std::min(min_, v);
      max_ = std::max(max_, v);
      sum_ += v;
    }
    count_ = static_cast<int>(values.size());
    if (count_ == 0)
      min_ = max_ = 0;
    const double mean = Mean();
    for (double v : values)
      squares_ += (v - mean) * (v - mean);
  }
  int Count() override { return count_; }
  double Minimum() override { return min_; }
  double Maximum() override { return max_; }
  double Sum() override { return sum_; }
  double Mean() override { return count_ ? sum_ / count_ : 0; }
  double StandardDeviation() override { return count_ ? std::sqrt(squares_ / count_) : 0; }

private:
  int count_ = 0;
  double min_ = std::numeric_limits<double>::infinity();
  double max_ = -std::numeric_limits<double>::infinity();
  double sum_ = 0;
  double squares_ = 0;
};

class FieldStatistics final : public com::ComObject<HostFieldStatistics> {
public:
  void SetCursor(com::IUnknown* cursor) override { cursor_ = com::ComPtr<com::IUnknown>(cursor); }
  void SetField(const std::string& name) override { field_ = name; }
  com::HRESULT Statistics(com::ComPtr<HostStatisticsResult>* out) override {
    if (!out)
      return com::E_POINTER;
    return guarded([&] {
      const auto rows = cursor_ ? cursor_.as<HostCursor>() : nullptr;
      const auto features = cursor_ ? cursor_.as<HostFeatureCursor>() : nullptr;
      if (!rows && !features)
        throw HostError("no cursor to compute statistics over", com::E_INVALIDARG);
      const auto fields = rows ? rows->Fields() : features->Fields();
      const int index = fields->FindField(field_);
      const auto field = fields->Field(index);
      if (!field || field->Type() > field_double)
        throw HostError("\"" + field_ + "\" is not a numeric field", com::E_INVALIDARG);
      std::vector<double> values;
      for (;;) {
        com::ComPtr<HostRow> row;
        com::HRESULT hr;
        if (rows) {
          hr = rows->NextRow(&row);
        } else {
          com::ComPtr<HostFeature> feature;
          hr = features->NextFeature(&feature);
          row = feature;
        }
        if (com::FAILED(hr))
          throw HostError(last_error_message(), hr);
        if (hr == com::S_FALSE)
          break;
        const auto value = row->Value(index);
        if (const auto number = value.to_double(); number && !value.is_empty())
          values.push_back(*number);
      }
      *out = com::make<StatisticsResult>(values);
    });
  }

private:
  com::ComPtr<com::IUnknown> cursor_;
  std::string field_;
};

class WorkspaceName final : public com::ComObject<HostWorkspaceName> {
public:
  std::string WorkspaceFactoryProgID() override { return prog_id_; }
  void SetWorkspaceFactoryProgID(const std::string& progId) override { prog_id_ = progId; }
  std::string PathName() override { return path_; }
  void SetPathName(const std::string& path) override { path_ = path; }

private:
  std::string prog_id_;
  std::string path_;
};

class FeatureClassName final : public com::ComObject<HostFeatureClassName> {
public:
  std::string Name() override { return name_; }
  void SetName(const std::string& name) override { name_ = name; }
  com::ComPtr<HostWorkspaceName> WorkspaceName() override { return workspace_; }
  void SetWorkspaceName(HostWorkspaceName* name) override {
    workspace_ = com::ComPtr<HostWorkspaceName>(name);
  }
  int FeatureType() override { return feature_type_; }
  void SetFeatureType(int type) override { feature_type_ = type; }
  std::string ShapeFieldName() override { return shape_field_; }
  void SetShapeFieldName(const std::string& name) override { shape_field_ = name; }
  int ShapeType() override { return shape_type_; }
  void SetShapeType(int type) override { shape_type_ = type; }

private:
  std::string name_;
  com::ComPtr<HostWorkspaceName> workspace_;
  int feature_type_ = 1;
  std::string shape_field_ = "Shape";
  int shape_type_ = 0;
};

} // namespace

com::ComPtr<com::IUnknown> create_object_set() {
  return com::make<ObjectSet>().as<com::IUnknown>();
}
com::ComPtr<com::IUnknown> create_field_statistics() {
  return com::make<FieldStatistics>().as<com::IUnknown>();
}
com::ComPtr<com::IUnknown> create_workspace_name() {
  return com::make<WorkspaceName>().as<com::IUnknown>();
}
com::ComPtr<com::IUnknown> create_feature_class_name() {
  return com::make<FeatureClassName>().as<com::IUnknown>();
}

} // namespace host
