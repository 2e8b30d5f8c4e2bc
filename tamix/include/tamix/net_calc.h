#pragma once

// The engine's calculation object: routes, one-to-all costs, tours, the result field and the
// output table over the network of the network object it is bound to (SetNet). Several
// calculation objects may share one network object; each keeps its own weights, results and
// files.
//
// Results come back in three forms, as the add-in reads them:
//   - methods named for an action return the engine code (0 success, negative failure);
//   - costs and counts come back as the value, a negative engine code in its place on failure
//     (a cost or count is never negative); an unreached node's cost is above 1e36;
//   - SolveRoute and SolveTsp return a cost, or a negative code: -33 the target cannot be
//     reached, -38 a stop lies in another part of the network.
// Codes common to all: -10 no network loaded (or not bound), -30 a number out of bounds,
// -41 out of memory. No method throws.

#include <cstdint>
#include <string>
#include <string_view>

#include "com/unknown.h"

namespace tamix {

inline constexpr std::string_view NetCalcProgId = "tamix.tacalcx";

struct NetCalc : com::IUnknown {
  COM_INTERFACE(NetCalc, com::IUnknown, "00F56073-B383-4F7D-BD01-ED80877246BB")

  // Binds to the network object with this Identifier (NetBase::GetIdentifier); results of the
  // earlier network are forgotten. -30 when no network object has that identifier.
  virtual std::int32_t SetNet(std::int32_t identifier) = 0;

  // The result table: a dBASE file, by bare name in the network folder (or by full path);
  // row r belongs to link r + 1. -32 when the file cannot be read.
  virtual std::int32_t SetResultTable(const std::string& table) = 0;
  // The numeric field of the result table to write. -20 no such field, -21 not a numeric
  // field, -32 no result table.
  virtual std::int32_t SetResultField(const std::string& field) = 0;
  // Writes 0 into the result field of every row, in the file at once. `which` -1 = all rows.
  // -20/-21/-32 as SetResultField.
  virtual std::int32_t ClearResultField(std::int32_t which, std::int32_t unused) = 0;
  // Writes into the rows of the current path's links (the path primed by the last SolveRoute or
  // GetPathLinkCount) the primary cost accumulated at each link's far end, at least 0.001;
  // other rows keep their values. -35 no path, -20/-21/-32 as SetResultField.
  virtual std::int32_t MarkPathInResult(std::int32_t which, std::int32_t unused) = 0;

  // The network checks. Each reads the links and nodes alone (closures, speeds and weights
  // play no part, so a check gives the same answer before and after ResetLinkCosts) and makes
  // the per-link result that WriteResults writes: exactly one value for every link, 0 for a
  // record without a shape. The network is the undirected graph of the links, loops (a link
  // with both ends at one node) and parallel links included.
  //
  // A part is a connected set of links (through shared nodes). The main part is the part with
  // most links; a tie goes to the part holding the lowest link number, and so for every
  // "largest" below.
  //
  // FindDeadEnds: the links of a part fall into blocks: two links are in one block when a
  // cycle runs through both (a pair of parallel links is such a cycle), and a link that no
  // cycle runs through is a block of its own; loops belong to no block. The blocks of a part
  // meet at cut nodes in a tree, rooted at the part's largest block; everything a block leads
  // to away from the root hangs beyond it, and the rest of its part hangs beyond a root block.
  // Values:
  //   0 the main net: the root block of the main part;
  //   1 cul-de-sac: a block of one link beyond which hang only blocks of one link (and loops):
  //     the streets of a dead-end tree, or the whole of a part that is a tree;
  //   2 loop: a loop link, or a block that is one ring (as many links as nodes);
  //   3 bridge: any other block of one link: it joins a ring or a meshed net to the rest;
  //   4 minor net: any other block: a meshed net hanging at one node, or a part of its own.
  // `kind` is accepted for the callers' sake (they pass 3) and changes nothing.
  virtual std::int32_t FindDeadEnds(std::int32_t kind) = 0;
  // Each group of two or more links between the same two nodes (whichever way they are drawn;
  // a loop is parallel to nothing) gets the group number 1, 2, ... in the order of the groups'
  // lowest link numbers; other links 0. Returns the number of groups.
  virtual std::int32_t FindParallelLinks() = 0;
  // The main part gets 0; every other part is a subnet, numbered 1..K in the order of their
  // lowest link numbers. Nodes without links count for nothing. Returns K (0 for a connected
  // network).
  virtual std::int32_t FindSubnets() = 0;
  // On link lengths: 2 on a loop; 1 on a link whose two ends are joined by a path of other
  // links that is shorter than the link itself (by more than rounding: a billionth of its
  // length), so no shortest route uses it; 0 on every other link, links of
  // length 0 and equally long parallel links included. Returns the number of links marked 1
  // or 2.
  virtual std::int32_t FindUnusedLinks() = 0;
  // Chains of links to join: a pseudo-node is a node where exactly two different links end,
  // of the same road class (and, with `join_file`, with the same text in it). A chain is a run
  // of two or more links through pseudo-nodes, consecutive links sharing an end point; a ring
  // is cut before its last link so that no chain starts and ends at one node, and with a
  // `limit` above 0 (current distance unit) a chain is cut where it would grow longer. Chains
  // get 1..K in the order of their lowest link numbers, other links 0. `join_file` is "" or
  // the path of a text file with one line per link in record order (CRLF or LF). Returns K;
  // -31 the file cannot be read, -40 its line count is not the link count.
  virtual std::int32_t FindJoinableLinks(float limit, const std::string& join_file) = 0;

  // primary cost = distance weight x distance + time weight x minutes. The primary weights take
  // effect at ApplyWeights; the secondary ones (the other quantity carried along each route) at
  // once. The defaults are distance (1, 0) primary and minutes (0, 1) secondary.
  virtual void SetPrimaryDistanceWeight(double weight) = 0;
  virtual void SetPrimaryTimeWeight(double weight) = 0;
  virtual std::int32_t ApplyWeights() = 0;
  virtual void SetSecondaryDistanceWeight(double weight) = 0;
  virtual void SetSecondaryTimeWeight(double weight) = 0;

  // The cheapest primary cost from `from` to `to` (0 when they are equal), or -33 when `to`
  // cannot be reached: GetLastReachedNode then names the reached node nearest to it.
  // Primes the path to `to`.
  virtual float SolveRoute(std::int32_t from, std::int32_t to) = 0;
  // After SolveRoute: the target when it was reached, else the reached node nearest to the target
  // in a straight line (in metres, also on a network in degrees; the cheaper one on a tie), so
  // that a route "to the possible extent" ends as close to its stop as the network allows.
  // After SolveFromNode or SolveMultiCentre: the node settled last. 0 before any solve.
  virtual std::int32_t GetLastReachedNode() = 0;
  // Costs from `node` to every node within `cutoff` primary cost (0 or less: no limit). Paths
  // to any reached node can then be walked.
  virtual std::int32_t SolveFromNode(std::int32_t node, float cutoff) = 0;

  // Primes the path from the last solve's origin to `node` and returns its number of nodes n
  // (links + 1; 1 for the origin itself, 0 when `node` was not reached). -35 before a solve.
  virtual std::int32_t GetPathLinkCount(std::int32_t node) = 0;
  // Position k = 1..n-1 of the primed path counts from the target: 1 is the link that arrives
  // there, n-1 the link that leaves the origin. +link is travelled from the shape's first point
  // to its last, -link the other way; 0 for k out of range or no path.
  virtual std::int32_t GetPathLink(std::int32_t k) = 0;
  // Node k = 1..n: node 1 is the target, node n the origin, node k+1 where the route enters
  // link k. -36 for k out of range, -35 no path.
  virtual std::int32_t GetPathNode(std::int32_t k) = 0;
  // Primary (GetLinkLength) and secondary (GetLinkTime) cost accumulated from the origin of the
  // last solve to the far end of a link of its tree; after SolveMultiCentre, from the link's
  // nearest centre. -35 before a solve.
  virtual float GetLinkLength(std::int32_t link) = 0;
  virtual float GetLinkTime(std::int32_t link) = 0;
  // A node's primary and secondary cost after the last solve. -35 before a solve.
  virtual float GetPrimaryCostAt(std::int32_t node) = 0;
  virtual float GetSecondaryCostAt(std::int32_t node) = 0;

  // Stop `index` (1..3002) of a tour, or centre `index` of the searches from several centres, is
  // `node` (checked when the stops are used). Stops stay until set again.
  virtual std::int32_t SetStop(std::int32_t index, std::int32_t node) = 0;
  // Orders stops 1..count (1..3002, all set) and returns the tour's primary cost.
  // mode 0: from stop 1 to stop `count`; 1: round trip from stop 1 (the cost includes the way
  // back, the tour lists each stop once); 2: from stop 1, ending anywhere; +10: ordered by
  // straight-line distance between the stops' nodes (the cost is then that distance in metres,
  // over the sphere for geographic data). Stops may share a node. Exact up to 15 stops, a near
  // optimum above; the same input gives the same tour. -38 when a stop cannot be reached from
  // stop 1 (or, where the mode goes there, reach the end or stop 1).
  virtual float SolveTsp(std::int32_t count, std::int16_t mode) = 0;
  // Position p = 1..count of the last tour (1 = stop 1): its node, and its stop index.
  // -36 for p out of range, -37 before a tour.
  virtual std::int32_t GetTourNode(std::int32_t position) = 0;
  virtual std::int32_t GetTourOrder(std::int32_t position) = 0;

  // Starts the output table "<path>.dbf" (path without extension); an open table is closed
  // first. The old files of that name (.dbf, .shp, .shx, .cpg, .prj) stay until the table is
  // closed, which replaces them together (the old .prj and lines the new table has not are
  // deleted), so a kill leaves the old table or the new one. `fields` is the number of fields to
  // come. -32 when the files cannot be made.
  virtual std::int32_t CreateOutputTable(const std::string& path, std::int32_t fields) = 0;
  // Declares the next field: type 1 text (`width` 1..254), 5 number (width and decimals 0 and 0
  // give 19 and 6). -30 for another type or width, -32 no open table.
  virtual std::int32_t AddOutputField(const std::string& name, std::int32_t type,
                                      std::int32_t width, std::int32_t decimals) = 0;
  // Writes a row: its values in field order, each in double quotes ("" for a quote inside),
  // joined by commas; numbers with a "." decimal sign. Texts longer than their field are cut.
  // The next `links` AddOutputLink calls give the row's line. -30 more values than fields,
  // -32 no open table.
  virtual std::int32_t WriteOutputRow(std::int32_t links, const std::string& row) = 0;
  // Adds to the row's line the part of `link` from fraction `from` to `to` of its length
  // ((0, 1) the whole link along its shape, (1, 0) against it), in travel order.
  // -30 no such link, a fraction outside 0..1 or no link expected; -10 no network.
  virtual std::int32_t AddOutputLink(std::int32_t link, double from, double to) = 0;
  // Finishes the table; the .shp and .shx remain only when some row had links. -32 no open
  // table or the files cannot be finished.
  virtual std::int32_t CloseOutputTable() = 0;

  // Zones and isochrones from one or several centres. What a link gets, for every operation
  // that reads a search from centres (link values, nearest centres, zone polygons):
  //   - its cost is its far-end cost, the cost at which the whole link is reached, entered from
  //     its cheaper end;
  //   - its nearest centre is the owner of its cheaper end; a node is owned by the centre that
  //     reaches it cheapest, equal costs going to the lower stop number (of two stops on one
  //     node the higher owns nothing);
  //   - values are written only for links within the cut-off (far-end cost <= cut-off), and 0
  //     for every other link: beyond it, closed, or in a part of the network no centre reaches.

  // Writes every link's far-end cost from the last solve (SolveFromNode, SolveMultiCentre)
  // into the result field, 0 for links not within that solve's cut-off. `which` -1 = all rows,
  // the other arguments are not used. -35 before a solve, -20/-21/-32 as SetResultField.
  virtual std::int32_t WriteCostsToResult(std::int32_t which, std::int32_t unused,
                                          std::int32_t unused_too) = 0;
  // Costs from the nearest of stops 1..count (1..3002, all set) within `cutoff` (0 or less: no
  // limit), one search from all of them at once; the per-link result becomes each link's
  // nearest stop number (0 where none is within the cut-off). -30 for a count out of range or a
  // stop without a node.
  virtual std::int32_t SolveMultiCentre(std::int16_t count, float cutoff) = 0;
  // Writes the per-link result of the last operation that produced one (SolveMultiCentre or a
  // network check) into the result field, whole. -37 before any, -20/-21/-32 as SetResultField.
  virtual std::int32_t WriteResults() = 0;
  // The zone limits of the zone polygons: kept in the order given, duplicates included, until
  // cleared. AddBreak: -30 for a limit that is no finite number.
  virtual std::int32_t ClearBreaks() = 0;
  virtual std::int32_t AddBreak(double limit) = 0;

  // Zone polygons. A zone is every place within the widening radius (NetBase::SetZoneRadius) of
  // the network reached within its limit; cost runs uniformly along a link, so a link is
  // reached part-way at the edge of a zone. Both write the polygon shapefile "<path>" (.shp,
  // .shx, .dbf, .cpg; `path` without extension, taken in the network folder when relative),
  // replacing the files of that name together once the new ones are whole (its old indexes are
  // deleted); a ".prj" there is never created,
  // changed or deleted. The output is cut to the rectangle of the four extent values unless all
  // are 0. Both solve anew from stops 1..count (1..3002, all set), with the costs of now, and
  // leave that solve as the last one. -30 a count out of range or a stop without a node, -32
  // the files cannot be written.

  // One record per break, in the reverse order of the break list (the largest zone of an
  // ascending list first), field "COST_END" = the break (7 significant digits); the zone of a
  // break is reachable from any of the stops. `doughnut` -1: each record holds its zone less the
  // zone of the next lower break. A zone of a positive break always holds each stop's node;
  // a break of 0 or less gives a null shape.
  virtual std::int32_t WriteZonePolygons(const std::string& path, std::int32_t count,
                                         std::int32_t doughnut, double min_x, double min_y,
                                         double max_x, double max_y) = 0;
  // One record per stop in stop order, field "ID" = its number: the places nearer to the network
  // the stop reaches first (see "nearest centre" above) than to any other stop's, within the
  // widening radius of the network; no limit. Zones never overlap; unreached parts of the network
  // belong to none; a stop that owns nothing (on the node of a lower-numbered stop) gets a null
  // shape. The two `unused` arguments are not read.
  virtual std::int32_t WriteNearestCentrePolygons(const std::string& path, std::int32_t unused,
                                                  std::int32_t unused_too, std::int32_t count,
                                                  double min_x, double min_y, double max_x,
                                                  double max_y) = 0;
};

} // namespace tamix
