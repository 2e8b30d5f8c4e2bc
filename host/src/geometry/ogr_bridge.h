#pragma once

#include <string>

#include "geometry/shape.h"

namespace host {

// The geometry work done by GDAL/OGR (GEOS underneath). This is the one place where host
// shapes and OGR geometries meet. Failures raise HostError.

enum class Relation { contains, within, intersects, disjoint, touches, equals };

bool relate(const Shape& a, const Shape& b, Relation relation);

// Polygons made valid with rings ordered (outer clockwise, holes counter-clockwise); other
// shapes come back unchanged.
Shape make_valid_polygon(const Shape& polygon);
Shape union_of(const Shape& a, const Shape& b);
// Keeps the parts of the given dimension code (1 points, 2 lines, 4 areas).
Shape intersection_of(const Shape& a, const Shape& b, int dimension);
Shape difference_of(const Shape& a, const Shape& b);
Shape buffer_of(const Shape& shape, double distance);
Shape clipped_to(const Shape& shape, const Box& box);

// Moves every vertex from the coordinate system `from_wkt` into `to_wkt` (traditional GIS
// axis order: x = easting or longitude). An envelope becomes the box of its densified border.
Shape projected(const Shape& shape, const std::string& from_wkt, const std::string& to_wkt);

} // namespace host
