#pragma once

// Parts of a link's shape, measured as fractions of its length: cost runs uniformly along a
// link, so the part reached up to some cost is a fraction of its length from one end.

#include "graph.h"

#include <span>
#include <vector>

namespace tamix {

// The part of the line `points` between the fractions `from` and `to` of its length, in the
// direction from -> to, into `piece` (empty for a link without points). The fractions 0 and 1
// give the end points exactly, so pieces of links meeting at a node join without a gap.
// `walked` is scratch space.
void link_piece(std::span<const Point> points, double from, double to, std::vector<double>& walked,
                std::vector<Point>& piece);

} // namespace tamix
