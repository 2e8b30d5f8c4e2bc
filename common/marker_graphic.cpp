#include "common/marker_graphic.h"

#include <array>
#include <utility>

#include "command/app_path.h"
#include "common/rgb_colour.h"
#include "host/active_view.h"
#include "host/element.h"
#include "host/graphics_container.h"
#include "host/symbol.h"
#include "network/state/handler_end.h"
#include "win/paths.h"

namespace corvane {

namespace {

// Flag1.bmp and flag1.bmp are two different pictures.
constexpr std::array<std::pair<std::string_view, std::string_view>, 5> marker_icons{{
    {MarkerPolygonCentre, "\\Icons\\Flag1.bmp"},
    {MarkerLinkCentre, "\\Icons\\flag1.bmp"},
    {MarkerClosedRoad, "\\Icons\\Danger.bmp"},
    {MarkerTempSpeed, "\\Icons\\flag2.bmp"},
    {MarkerStar, "\\Icons\\Star.bmp"},
}};

constexpr int bitmap_picture = 1;

} // namespace

void AddMarkerGraphic(host::HostMap* map, host::HostPoint* point, std::string_view kind) {
  const auto red = rgb_colour(255, 0, 0);

  const auto symbol = create<host::HostPictureMarkerSymbol>(host::PictureMarkerSymbolClass);
  for (const auto& [icon_kind, file] : marker_icons)
    if (icon_kind == kind)
      check_call(
          symbol->CreateMarkerSymbolFromFile(bitmap_picture, win::join_path(AppPath(), file)),
          "PictureMarkerSymbol.CreateMarkerSymbolFromFile");
  symbol->SetColor(red.get());
  symbol->SetBitmapTransparencyColor(red.get());
  symbol->SetAngle(0);
  symbol->SetSize(kind == MarkerStar ? 10 : 15);
  symbol->SetXOffset(0);
  symbol->SetYOffset(0);

  const auto marker = create<host::HostMarkerElement>(host::MarkerElementClass);
  marker->SetSymbol(symbol.get());
  const auto element = require_as<host::HostElement>(marker, "MarkerElement as Element");
  element->SetGeometry(point);
  const com::ComPtr<host::HostMap> the_map(map);
  check_call(require_as<host::HostGraphicsContainer>(the_map, "Map as GraphicsContainer")
                 ->AddElement(element.get(), 0),
             "GraphicsContainer.AddElement");
  require_as<host::HostActiveView>(the_map, "Map as ActiveView")->Refresh();
}

} // namespace corvane
