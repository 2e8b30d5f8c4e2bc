#pragma once

#include <string>
#include <string_view>

#include "com/unknown.h"
#include "host/table.h"
#include "host/workspace.h"

namespace host {

// Rows gathered for one operation (e.g. features to delete), in the order added.
struct HostObjectSet : com::IUnknown {
  COM_INTERFACE(HostObjectSet, com::IUnknown, "92171975-BAAA-4096-8347-3307326F68E4")
  virtual int Count() = 0;
  virtual void Add(HostRow* row) = 0;
  // Null when i is out of range.
  virtual com::ComPtr<HostRow> Row(int i) = 0;
};

// Asked of a feature: deletes every feature of `set` in one rewrite of its shapefile. The
// rows after a deleted one move up; the ids in `set` are those read before the call.
struct HostFeatureSetDelete : com::IUnknown {
  COM_INTERFACE(HostFeatureSetDelete, com::IUnknown, "02B961B5-2304-44FF-9040-235C809ACD44")
  virtual com::HRESULT DeleteSet(HostObjectSet* set) = 0;
};

struct HostStatisticsResult : com::IUnknown {
  COM_INTERFACE(HostStatisticsResult, com::IUnknown, "D246EE76-D8E4-4C29-8258-9436A88C1078")
  virtual int Count() = 0;
  virtual double Minimum() = 0;
  virtual double Maximum() = 0;
  virtual double Sum() = 0;
  virtual double Mean() = 0;
  virtual double StandardDeviation() = 0;
};

// Statistics of one numeric field over the rows of a cursor (empty values are skipped).
struct HostFieldStatistics : com::IUnknown {
  COM_INTERFACE(HostFieldStatistics, com::IUnknown, "24CFF465-C127-4AEE-BB8B-4B864B913B8F")
  // A HostCursor or HostFeatureCursor; it is read to its end by Statistics.
  virtual void SetCursor(com::IUnknown* cursor) = 0;
  virtual void SetField(const std::string& name) = 0;
  // Fails (E_INVALIDARG) without a cursor or with a field that is missing or not numeric.
  virtual com::HRESULT Statistics(com::ComPtr<HostStatisticsResult>* out) = 0;
};

// Geoprocessing between feature classes.
struct HostFeatureDataConverter : com::IUnknown {
  COM_INTERFACE(HostFeatureDataConverter, com::IUnknown, "14B7A66D-2928-474D-9F8C-98D75D66488C")
  // Writes every feature of `input` cut to the union of the shapes of `clip` into the new
  // feature class `output` (same fields less the object id, same ".prj"); features entirely
  // outside are dropped. The tables must be feature classes (or layers answering for one).
  // The "selected only" flags and `tolerance` are accepted for the callers' sake.
  virtual com::HRESULT Clip(HostTable* input, bool selectedInputOnly, HostTable* clip,
                            bool selectedClipOnly, double tolerance, HostFeatureClassName* output,
                            com::ComPtr<HostFeatureClass>* out) = 0;
  // Copies the features of `input` that pass `filter` (null: all) into the new feature class
  // `output`, with the same fields less the object id and the same ".prj". `outputDataset`
  // (a dataset to put the copy in, which shapefile folders do not have) is accepted for the
  // callers' sake and not used.
  virtual com::HRESULT ConvertFeatureClass(HostFeatureClass* input, HostQueryFilter* filter,
                                           com::IUnknown* outputDataset,
                                           HostFeatureClassName* output,
                                           com::ComPtr<HostFeatureClass>* out) = 0;
};

inline constexpr std::string_view ObjectSetClass = "esricore.Set";
inline constexpr std::string_view FieldStatisticsClass = "esricore.DataStatistics";
inline constexpr std::string_view FeatureDataConverterClass = "esricore.FeatureDataConverter";

} // namespace host
