#include "checks/check_road.h"

#include <string>

#include "com/letter_case.h"
#include "common/engine_error_text.h"
#include "common/network_workspace.h"
#include "common/result_field.h"
#include "common/show_message.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

// An engine call that answered with an error code; its text is the engine's error text.
class EngineCallFailed : public HandlerEnd {
public:
  explicit EngineCallFailed(std::int32_t code) : HandlerEnd(EngineErrorText(code)) {}
};

} // namespace

std::int32_t EngineChecked(std::int32_t code) {
  shared_state().gEngineResult = code;
  if (code < 0)
    throw EngineCallFailed(code);
  return code;
}

bool RefuseNetworkNamedAs(std::string_view output_name, std::string_view title) {
  if (!com::equal_ignoring_case(shared_state().gNetworkLayerName, output_name))
    return false;
  show_message("The network layer is named " + std::string(output_name) +
                   ", the name of this check's output. Rename the layer and create the "
                   "network again.",
               title, forms::Icon::Critical);
  return true;
}

std::int32_t RunEngineCheck(const std::function<std::int32_t(tamix::NetCalc&)>& find,
                            CostReset reset) {
  auto& state = shared_state();
  auto& base = *require(state.gNetBase, "NetBase");
  auto& calc = *require(state.gNetCalc, "NetCalc");
  if (reset != CostReset::AfterFind)
    state.gCallResult = base.ResetLinkCosts(-1);
  EngineChecked(calc.SetResultTable(state.gNetworkLayerName + ".dbf"));
  EngineChecked(calc.SetResultField(std::string(ResultFieldName)));
  EngineChecked(calc.ClearResultField(-1, 0));
  const std::int32_t found = EngineChecked(find(calc));
  EngineChecked(calc.WriteResults());
  if (reset != CostReset::BeforeFind)
    state.gCallResult = base.ResetLinkCosts(-1);
  return found;
}

com::ComPtr<host::HostFeatureClass>
WriteEnginePoints(std::string_view name,
                  const std::function<std::int32_t(tamix::NetBase&)>& write) {
  auto& base = *require(shared_state().gNetBase, "NetBase");
  base.SetOutputOption(tamix::ShapefileOutput);
  EngineChecked(write(base));
  return open_feature_class(OpenNetworkWorkspace().get(), name);
}

} // namespace corvane
