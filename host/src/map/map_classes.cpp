#include "map/map_classes.h"

#include <array>

#include "com/letter_case.h"
#include "host/active_view.h"
#include "host/application.h"
#include "host/color.h"
#include "host/color_ramp.h"
#include "host/element.h"
#include "host/layer.h"
#include "host/legend_file.h"
#include "host/mouse_cursor.h"
#include "host/progress.h"
#include "host/renderer.h"
#include "host/symbol.h"
#include "host/table_window.h"
#include "map/color.h"
#include "map/color_ramp.h"
#include "map/elements.h"
#include "map/layers.h"
#include "map/legend_file.h"
#include "map/progress.h"
#include "map/renderers.h"
#include "map/small_objects.h"
#include "map/symbols.h"
#include "map/table_window.h"

namespace host {
namespace {

template <class T> com::ComPtr<com::IUnknown> create() {
  return com::make<T>().template as<com::IUnknown>();
}

template <const com::CLSID& id> com::ComPtr<com::IUnknown> create_page() {
  return com::make<RendererPropertyPage>(id).template as<com::IUnknown>();
}

constexpr std::array classes{
    MapClass{RgbColorClass, create<RgbColor>},
    MapClass{AlgorithmicColorRampClass, create<AlgorithmicColorRamp>},
    MapClass{RandomColorRampClass, create<RandomColorRamp>},
    MapClass{StdFontClass, create<Font>},
    MapClass{SimpleLineSymbolClass, create<SimpleLineSymbol>},
    MapClass{SimpleFillSymbolClass, create<SimpleFillSymbol>},
    MapClass{SimpleMarkerSymbolClass, create<SimpleMarkerSymbol>},
    MapClass{PictureMarkerSymbolClass, create<PictureMarkerSymbol>},
    MapClass{TextSymbolClass, create<TextSymbol>},
    MapClass{SimpleRendererClass, create<SimpleRenderer>},
    MapClass{ClassBreaksRendererClass, create<ClassBreaksRenderer>},
    MapClass{UniqueValueRendererClass, create<UniqueValueRenderer>},
    MapClass{ClassBreaksPropertyPageClass, create_page<class_breaks_page_id>},
    MapClass{UniqueValuePropertyPageClass, create_page<unique_value_page_id>},
    MapClass{MarkerElementClass, create<MarkerElement>},
    MapClass{TextElementClass, create<TextElement>},
    MapClass{FeatureLayerClass, create<FeatureLayer>},
    MapClass{StandaloneTableClass, create<StandaloneTable>},
    MapClass{ExtentBookmarkClass, create<ExtentBookmark>},
    MapClass{UidClass, create<Uid>},
    MapClass{MouseCursorClass, create<MouseCursor>},
    MapClass{CancelTrackerClass, create<CancelTracker>},
    MapClass{ProgressDialogFactoryClass, create<ProgressDialogFactory>},
    MapClass{TableWindowClass, create<TableWindow>},
    MapClass{LegendFileClass, create<LegendFile>},
};

} // namespace

std::span<const MapClass> map_classes() {
  return classes;
}

com::ComPtr<com::IUnknown> create_map_object(std::string_view prog_id) {
  for (const auto& c : classes)
    if (com::equal_ignoring_case(c.prog_id, prog_id))
      return c.create();
  return nullptr;
}

} // namespace host
