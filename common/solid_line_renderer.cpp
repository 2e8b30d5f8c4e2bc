#include "common/solid_line_renderer.h"

#include "common/rgb_colour.h"
#include "host/symbol.h"
#include "network/state/handler_end.h"

namespace corvane {

namespace {

constexpr int solid_line = 0;

} // namespace

com::ComPtr<host::HostSimpleRenderer> solid_line_renderer(int red, int green, int blue,
                                                          double width) {
  const auto colour = rgb_colour(red, green, blue);
  const auto line = create<host::HostSimpleLineSymbol>(host::SimpleLineSymbolClass);
  line->SetStyle(solid_line);
  line->SetWidth(width);
  line->SetColor(colour.get());
  const auto renderer = create<host::HostSimpleRenderer>(host::SimpleRendererClass);
  renderer->SetSymbol(line.get());
  return renderer;
}

} // namespace corvane
