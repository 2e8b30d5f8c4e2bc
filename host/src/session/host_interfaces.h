#pragma once

#include "com/object.h"
#include "host/active_view.h"
#include "host/application.h"
#include "host/color.h"
#include "host/color_ramp.h"
#include "host/cursor.h"
#include "host/data_tools.h"
#include "host/document.h"
#include "host/editor.h"
#include "host/element.h"
#include "host/fields.h"
#include "host/geometry.h"
#include "host/graphics_container.h"
#include "host/layer.h"
#include "host/legend_file.h"
#include "host/map.h"
#include "host/mouse_cursor.h"
#include "host/progress.h"
#include "host/query_filter.h"
#include "host/renderer.h"
#include "host/row.h"
#include "host/spatial_reference.h"
#include "host/symbol.h"
#include "host/table.h"
#include "host/table_window.h"
#include "host/workspace.h"

namespace host::session {

// Every interface a class the host serves may answer, for its type information. A class's
// interfaces are found by asking an instance for each of these, so the list is the one place
// to extend when the host gains an interface.
using HostInterfaces = com::InterfaceList<
    HostDisplayTransformation, HostScreenDisplay, HostActiveView, HostExtentBookmark, HostUid,
    HostStatusBar, HostApplication, HostColor, HostRgbColor, HostColorEnum, HostColorRamp,
    HostAlgorithmicColorRamp, HostRandomColorRamp, HostCursor, HostFeatureCursor, HostObjectSet,
    HostFeatureSetDelete, HostStatisticsResult, HostFieldStatistics, HostFeatureDataConverter,
    HostDocument, HostEditor, HostElement, HostElementProperties, HostMarkerElement,
    HostTextElement, HostGeometryDef, HostGeometryDefEdit, HostField, HostFieldEdit, HostFields,
    HostFieldsEdit, HostGeometry, HostPoint, HostEnvelope, HostPointCollection, HostCurve,
    HostPolyline, HostPolygon, HostMultipoint, HostIndexedCollection, HostTopologicalOperator,
    HostRelationalOperator, HostEnumElement, HostGraphicsContainer, HostLayer, HostFeatureLayer,
    HostGeoFeatureLayer, HostLayerFields, HostFeatureSelection, HostStandaloneTable, HostLegendFile,
    HostSelectedFeatureEnum, HostMap, HostStandaloneTableCollection, HostMouseCursor,
    HostCancelTracker, HostProgressDialog, HostStepProgressor, HostProgressDialogFactory,
    HostQueryFilter, HostSpatialFilter, HostFeatureRenderer, HostSimpleRenderer,
    HostClassBreaksRenderer, HostClassBreaksUIProperties, HostUniqueValueRenderer,
    HostRendererPropertyPage, HostRowValues, HostRowBuffer, HostRow, HostFeatureBuffer, HostFeature,
    HostUnit, HostSpatialReference, HostProjectedCoordinateSystem, HostGeographicCoordinateSystem,
    HostUnknownCoordinateSystem, HostSpatialReferenceFactory, HostProjectionFile, StdFont,
    HostSymbol, HostLineSymbol, HostSimpleLineSymbol, HostFillSymbol, HostSimpleFillSymbol,
    HostMarkerSymbol, HostSimpleMarkerSymbol, HostPictureMarkerSymbol, HostTextSymbol,
    HostLineWidthSet, HostDataset, HostIndex, HostIndexEdit, HostClass, HostObjectClass, HostTable,
    HostFeatureClass, HostSelectionSet, HostTableWindow, HostWorkspace, HostFeatureWorkspace,
    HostWorkspaceFactory, HostWorkspaceName, HostDatasetName, HostFeatureClassName>;

} // namespace host::session
