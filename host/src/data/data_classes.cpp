#include "data/data_classes.h"

#include <array>

#include "data/data_tools.h"
#include "data/field_objects.h"
#include "data/filters.h"
#include "data/workspace_objects.h"
#include "geometry/geometry_bag.h"
#include "geometry/shape_access.h"
#include "geometry/spatial_reference_objects.h"
#include "host/data_tools.h"
#include "host/query_filter.h"
#include "host/spatial_reference.h"
#include "host/table.h"
#include "host/workspace.h"

namespace host {

namespace {

template <int Type> com::ComPtr<com::IUnknown> create_geometry() {
  return make_geometry(Shape{Type, {}}, nullptr).as<com::IUnknown>();
}

const std::array classes{
    MapClass{ShapefileWorkspaceFactoryClass, create_workspace_factory},
    MapClass{PointClass, create_geometry<geometry_point>},
    MapClass{MultipointClass, create_geometry<geometry_multipoint>},
    MapClass{PolylineClass, create_geometry<geometry_polyline>},
    MapClass{PolygonClass, create_geometry<geometry_polygon>},
    MapClass{EnvelopeClass, create_geometry<geometry_envelope>},
    MapClass{QueryFilterClass, create_query_filter},
    MapClass{SpatialFilterClass, create_spatial_filter},
    MapClass{FieldClass, create_field},
    MapClass{FieldsClass, create_fields},
    MapClass{GeometryBagClass, create_geometry_bag},
    MapClass{GeometryDefClass, create_geometry_def},
    MapClass{IndexClass, create_index},
    MapClass{SpatialReferenceEnvironmentClass, create_spatial_reference_factory},
    MapClass{ProjectionFileClass, create_projection_file},
    MapClass{UnknownCoordinateSystemClass, create_unknown_coordinate_system},
    MapClass{ObjectSetClass, create_object_set},
    MapClass{FieldStatisticsClass, create_field_statistics},
    MapClass{WorkspaceNameClass, create_workspace_name},
    MapClass{FeatureClassNameClass, create_feature_class_name},
    MapClass{FeatureDataConverterClass, create_feature_data_converter},
};

} // namespace

std::span<const MapClass> data_classes() {
  return classes;
}

} // namespace host
