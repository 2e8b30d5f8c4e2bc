#include "support/stub_engine.h"

#include <algorithm>

#include "com/numbers.h"

namespace corvane::testing {

namespace {

std::string argument_text(std::int32_t value) {
  return std::to_string(value);
}
std::string argument_text(std::uint32_t value) {
  return std::to_string(value);
}
std::string argument_text(double value) {
  return com::number_text(value, 7);
}
std::string argument_text(const std::string& value) {
  return value;
}

template <class... Arguments>
void record(CallLog* log, std::string_view name, const Arguments&... arguments) {
  if (!log)
    return;
  std::string call(name);
  call += '(';
  std::string_view separator;
  ((call += separator, call += argument_text(arguments), separator = ", "), ...);
  call += ')';
  log->push_back(std::move(call));
}

} // namespace

std::size_t call_count(const CallLog& log, std::string_view name) {
  return static_cast<std::size_t>(std::count_if(log.begin(), log.end(), [&](const auto& call) {
    return call.size() > name.size() && call.starts_with(name) && call[name.size()] == '(';
  }));
}

std::int32_t StubNetBase::GetIdentifier() {
  record(log_, "GetIdentifier");
  return 1;
}
void StubNetBase::SetNetworkFolder(const std::string& path) {
  record(log_, "SetNetworkFolder", path);
}
std::int32_t StubNetBase::SetMapUnits(std::int32_t code) {
  record(log_, "SetMapUnits", code);
  return 0;
}
std::int32_t StubNetBase::SetDistanceUnits(std::int32_t units) {
  record(log_, "SetDistanceUnits", units);
  return 0;
}
std::int32_t StubNetBase::GetDistanceUnits() {
  record(log_, "GetDistanceUnits");
  return 0;
}
std::int32_t StubNetBase::CreateNetwork(const std::string& layer, std::int32_t links_to_carry,
                                        const std::string& unused_text) {
  record(log_, "CreateNetwork", layer, links_to_carry, unused_text);
  return 0;
}
std::int32_t StubNetBase::CreateAttributeFile(const std::string& file) {
  record(log_, "CreateAttributeFile", file);
  return 0;
}
std::int32_t StubNetBase::LoadNetwork() {
  record(log_, "LoadNetwork");
  return 0;
}
bool StubNetBase::IsLoaded() {
  record(log_, "IsLoaded");
  return loaded;
}
void StubNetBase::Unload() {
  record(log_, "Unload");
  loaded = false;
}
bool StubNetBase::HasNodeIndex() {
  record(log_, "HasNodeIndex");
  return false;
}
std::int32_t StubNetBase::CreateNodeIndex() {
  record(log_, "CreateNodeIndex");
  return 0;
}
std::int32_t StubNetBase::SnapToNetwork(double x, double y, std::int32_t&, std::int32_t&) {
  record(log_, "SnapToNetwork", x, y);
  return 0;
}
std::int32_t StubNetBase::FindNearestNode(double x, double y, std::int32_t&, std::int32_t&) {
  record(log_, "FindNearestNode", x, y);
  return 0;
}
double StubNetBase::GetNodeX(std::int32_t node) {
  record(log_, "GetNodeX", node);
  return 0;
}
double StubNetBase::GetNodeY(std::int32_t node) {
  record(log_, "GetNodeY", node);
  return 0;
}
std::int32_t StubNetBase::SetClassSpeed(std::int16_t value, double speed) {
  record(log_, "SetClassSpeed", value, speed);
  return 0;
}
std::int32_t StubNetBase::ResetLinkCosts(std::int32_t which) {
  record(log_, "ResetLinkCosts", which);
  return 0;
}
std::int32_t StubNetBase::SetTempSpeed(std::int32_t link, float speed) {
  record(log_, "SetTempSpeed", link, speed);
  return 0;
}
std::int32_t StubNetBase::SetLinkFlags(std::int32_t link, std::int32_t flags) {
  record(log_, "SetLinkFlags", link, flags);
  return 0;
}
double StubNetBase::TurnAngle(double x1, double y1, std::int32_t node, double x2, double y2) {
  record(log_, "TurnAngle", x1, y1, node, x2, y2);
  return 0;
}
bool StubNetBase::IsRoundaboutLink(std::int32_t link) {
  record(log_, "IsRoundaboutLink", link);
  return false;
}
bool StubNetBase::IsRoundaboutNode(std::int32_t node) {
  record(log_, "IsRoundaboutNode", node);
  return false;
}
void StubNetBase::SetOutputOption(std::int32_t option) {
  record(log_, "SetOutputOption", option);
}
std::int32_t StubNetBase::ExportNodes() {
  record(log_, "ExportNodes");
  return 0;
}
std::int32_t StubNetBase::ExportCloseNodes(float distance) {
  record(log_, "ExportCloseNodes", distance);
  return 0;
}
void StubNetBase::SetZoneRadius(double radius) {
  record(log_, "SetZoneRadius", radius);
}
double StubNetBase::GetZoneRadius() {
  record(log_, "GetZoneRadius");
  return 0;
}
std::string StubNetBase::AboutCV(std::int16_t kind, std::int32_t& result) {
  record(log_, "AboutCV", kind);
  result = 0;
  return {};
}
std::uint32_t StubNetBase::Advise(tamix::NetBaseEvents*) {
  record(log_, "Advise");
  return 0;
}
bool StubNetBase::Unadvise(std::uint32_t cookie) {
  record(log_, "Unadvise", cookie);
  return false;
}

std::int32_t StubNetCalc::SetNet(std::int32_t identifier) {
  record(log_, "SetNet", identifier);
  return 0;
}
std::int32_t StubNetCalc::SetResultTable(const std::string& table) {
  record(log_, "SetResultTable", table);
  return 0;
}
std::int32_t StubNetCalc::SetResultField(const std::string& field) {
  record(log_, "SetResultField", field);
  return 0;
}
std::int32_t StubNetCalc::ClearResultField(std::int32_t which, std::int32_t unused) {
  record(log_, "ClearResultField", which, unused);
  return 0;
}
std::int32_t StubNetCalc::MarkPathInResult(std::int32_t which, std::int32_t unused) {
  record(log_, "MarkPathInResult", which, unused);
  return 0;
}
std::int32_t StubNetCalc::FindDeadEnds(std::int32_t kind) {
  record(log_, "FindDeadEnds", kind);
  return 0;
}
std::int32_t StubNetCalc::FindParallelLinks() {
  record(log_, "FindParallelLinks");
  return 0;
}
std::int32_t StubNetCalc::FindSubnets() {
  record(log_, "FindSubnets");
  return 0;
}
std::int32_t StubNetCalc::FindUnusedLinks() {
  record(log_, "FindUnusedLinks");
  return 0;
}
std::int32_t StubNetCalc::FindJoinableLinks(float limit, const std::string& join_file) {
  record(log_, "FindJoinableLinks", limit, join_file);
  return 0;
}
void StubNetCalc::SetPrimaryDistanceWeight(double weight) {
  record(log_, "SetPrimaryDistanceWeight", weight);
}
void StubNetCalc::SetPrimaryTimeWeight(double weight) {
  record(log_, "SetPrimaryTimeWeight", weight);
}
std::int32_t StubNetCalc::ApplyWeights() {
  record(log_, "ApplyWeights");
  return 0;
}
void StubNetCalc::SetSecondaryDistanceWeight(double weight) {
  record(log_, "SetSecondaryDistanceWeight", weight);
}
void StubNetCalc::SetSecondaryTimeWeight(double weight) {
  record(log_, "SetSecondaryTimeWeight", weight);
}
float StubNetCalc::SolveRoute(std::int32_t from, std::int32_t to) {
  record(log_, "SolveRoute", from, to);
  return solve_result;
}
std::int32_t StubNetCalc::GetLastReachedNode() {
  record(log_, "GetLastReachedNode");
  return 0;
}
std::int32_t StubNetCalc::SolveFromNode(std::int32_t node, float cutoff) {
  record(log_, "SolveFromNode", node, cutoff);
  return 0;
}
std::int32_t StubNetCalc::GetPathLinkCount(std::int32_t node) {
  record(log_, "GetPathLinkCount", node);
  return 0;
}
std::int32_t StubNetCalc::GetPathLink(std::int32_t k) {
  record(log_, "GetPathLink", k);
  return 0;
}
std::int32_t StubNetCalc::GetPathNode(std::int32_t k) {
  record(log_, "GetPathNode", k);
  return 0;
}
float StubNetCalc::GetLinkLength(std::int32_t link) {
  record(log_, "GetLinkLength", link);
  return 0;
}
float StubNetCalc::GetLinkTime(std::int32_t link) {
  record(log_, "GetLinkTime", link);
  return 0;
}
float StubNetCalc::GetPrimaryCostAt(std::int32_t node) {
  record(log_, "GetPrimaryCostAt", node);
  return 0;
}
float StubNetCalc::GetSecondaryCostAt(std::int32_t node) {
  record(log_, "GetSecondaryCostAt", node);
  return 0;
}
std::int32_t StubNetCalc::SetStop(std::int32_t index, std::int32_t node) {
  record(log_, "SetStop", index, node);
  return 0;
}
float StubNetCalc::SolveTsp(std::int32_t count, std::int16_t mode) {
  record(log_, "SolveTsp", count, mode);
  return 0;
}
std::int32_t StubNetCalc::GetTourNode(std::int32_t position) {
  record(log_, "GetTourNode", position);
  return 0;
}
std::int32_t StubNetCalc::GetTourOrder(std::int32_t position) {
  record(log_, "GetTourOrder", position);
  return 0;
}
std::int32_t StubNetCalc::CreateOutputTable(const std::string& path, std::int32_t fields) {
  record(log_, "CreateOutputTable", path, fields);
  return 0;
}
std::int32_t StubNetCalc::AddOutputField(const std::string& name, std::int32_t type,
                                         std::int32_t width, std::int32_t decimals) {
  record(log_, "AddOutputField", name, type, width, decimals);
  return 0;
}
std::int32_t StubNetCalc::WriteOutputRow(std::int32_t links, const std::string& row) {
  record(log_, "WriteOutputRow", links, row);
  return 0;
}
std::int32_t StubNetCalc::AddOutputLink(std::int32_t link, double from, double to) {
  record(log_, "AddOutputLink", link, from, to);
  return 0;
}
std::int32_t StubNetCalc::CloseOutputTable() {
  record(log_, "CloseOutputTable");
  return 0;
}
std::int32_t StubNetCalc::WriteCostsToResult(std::int32_t which, std::int32_t unused,
                                             std::int32_t unused_too) {
  record(log_, "WriteCostsToResult", which, unused, unused_too);
  return 0;
}
std::int32_t StubNetCalc::SolveMultiCentre(std::int16_t count, float cutoff) {
  record(log_, "SolveMultiCentre", count, cutoff);
  return 0;
}
std::int32_t StubNetCalc::WriteResults() {
  record(log_, "WriteResults");
  return 0;
}
std::int32_t StubNetCalc::ClearBreaks() {
  record(log_, "ClearBreaks");
  return 0;
}
std::int32_t StubNetCalc::AddBreak(double limit) {
  record(log_, "AddBreak", limit);
  return 0;
}
std::int32_t StubNetCalc::WriteZonePolygons(const std::string& path, std::int32_t count,
                                            std::int32_t doughnut, double min_x, double min_y,
                                            double max_x, double max_y) {
  record(log_, "WriteZonePolygons", path, count, doughnut, min_x, min_y, max_x, max_y);
  return 0;
}
std::int32_t StubNetCalc::WriteNearestCentrePolygons(const std::string& path, std::int32_t unused,
                                                     std::int32_t unused_too, std::int32_t count,
                                                     double min_x, double min_y, double max_x,
                                                     double max_y) {
  record(log_, "WriteNearestCentrePolygons", path, unused, unused_too, count, min_x, min_y, max_x,
         max_y);
  return 0;
}

} // namespace corvane::testing
