#include "common/join_line_geometries.h"

#include "network/state/handler_end.h"

namespace corvane {

namespace {

com::ComPtr<host::HostTopologicalOperator> topology_of(host::HostGeometry* geometry) {
  return require_as<host::HostTopologicalOperator>(com::ComPtr<host::HostGeometry>(geometry),
                                                   "Geometry as TopologicalOperator");
}

} // namespace

com::ComPtr<host::HostGeometry> JoinLineGeometries(host::HostGeometry* first,
                                                   host::HostGeometry* second) {
  check_call(topology_of(first)->Simplify(), "TopologicalOperator.Simplify");
  check_call(topology_of(second)->Simplify(), "TopologicalOperator.Simplify");
  com::ComPtr<host::HostGeometry> joined;
  check_call(topology_of(second)->Union(first, &joined), "TopologicalOperator.Union");
  const auto joined_topology = topology_of(require(joined, "TopologicalOperator.Union").get());
  joined_topology->SetIsKnownSimple(false);
  check_call(joined_topology->Simplify(), "TopologicalOperator.Simplify");
  return joined;
}

} // namespace corvane
