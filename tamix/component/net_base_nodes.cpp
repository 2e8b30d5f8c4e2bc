#include "boundary.h"
#include "close_nodes.h"
#include "net_base_object.h"
#include "node_shapefiles.h"
#include "tamix/output_fields.h"

namespace tamix {

std::int32_t NetBaseObject::ExportNodes() {
  return engine_call<std::int32_t>([&] {
    write_node_shapefile(state_->folder / output::node_set, state_->loaded());
    return code::ok;
  });
}

std::int32_t NetBaseObject::ExportCloseNodes(float distance) {
  return engine_call<std::int32_t>([&] {
    const Network& network = state_->loaded();
    const std::vector<CloseNode> close = find_close_nodes(network, distance);
    write_close_node_shapefile(state_->folder / output::close_node_set, network, close);
    return code::ok;
  });
}

} // namespace tamix
