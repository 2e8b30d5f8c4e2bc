#pragma once

// The engine's network object: builds and loads the network files of one road network and
// holds what belongs to the network itself (node index, road-class speeds, temporary speeds,
// closures, turn angles and roundabouts).
//
// Numbers as the add-in sees them: nodes 1..node count, links 1..link count where link r + 1 is
// record r of the network shapefile; 0 means no node or no link. Engine result codes are 0 for
// success and negative for failure (-10 no network loaded, -30 a number out of bounds, ...);
// no method throws.

#include <cstdint>
#include <string>
#include <string_view>

#include "com/unknown.h"
#include "tamix/net_base_events.h"

namespace tamix {

inline constexpr std::string_view NetBaseProgId = "tamix.tamixbasex";

// The kinds of output of NetBase::SetOutputOption.
inline constexpr std::int32_t ShapefileOutput = 1;
inline constexpr std::int32_t ScratchShapefileOutput = 2;

struct NetBase : com::IUnknown {
  COM_INTERFACE(NetBase, com::IUnknown, "5D166FB4-C6F5-4017-8DB6-AC2B1FEB8543")

  // The "Identifier" that NetCalc::SetNet binds to; unique among the network objects of the
  // process, never 0.
  virtual std::int32_t GetIdentifier() = 0;

  // The folder of the network layer's shapefile, of the network files and of the result table.
  virtual void SetNetworkFolder(const std::string& path) = 0;
  // The map-unit code of the layer's coordinates (used by CreateNetwork). -30 for an unknown code.
  virtual std::int32_t SetMapUnits(std::int32_t code) = 0;
  // 0 kilometres, 1 miles: the unit of distances and of speeds sent from now on; takes effect
  // at once, also on a loaded network. -30 for another value.
  virtual std::int32_t SetDistanceUnits(std::int32_t units) = 0;
  virtual std::int32_t GetDistanceUnits() = 0;

  // Builds "link.bin", "dist.bin", "coord.bin" and "node.bin" from "<folder>/<layer>.shp"
  // (the text is not used), raising OnNWCreateProgress. Does not load them. `links_to_carry`
  // is how many settings name links of the network replaced by number (closed roads,
  // temporary speeds): with none, its links are not compared with the new ones. -31 shapefile
  // missing or a network file that cannot be written (the reason names the file and why), -13
  // not a readable polyline shapefile, -14 more than 1900 links at one node, -41 out of memory.
  virtual std::int32_t CreateNetwork(const std::string& layer, std::int32_t links_to_carry,
                                     const std::string& unused_text) = 0;
  // What the last successful CreateNetwork of this object found of the links of the network
  // files it replaced: the same (as many, each with the same end points and length, so that a
  // link number stored for the old network names the same road in the new one), changed, or
  // unknown (before any build, when no readable network files stood in the folder, and when
  // there were no links to carry).
  enum class OldLinks : std::int32_t { unknown, same, changed };
  virtual OldLinks LinksOfReplacedNetwork() = 0;
  // Makes "attribute.bin" from the text file `file` in the folder (one whole number per link in
  // record order; road class = |value| mod 32), raising OnAttributeCreateProgress. -31 file or
  // network files missing, -40 a line count other than the link count or a line that is no
  // number. A loaded network of the folder takes the new classes at once.
  virtual std::int32_t CreateAttributeFile(const std::string& file) = 0;
  // Loads the network files of the folder (every link class 1 without "attribute.bin"), raising
  // OnNWLoadProgress. Temporary speeds and closures are dropped; class speeds stay. -31 files
  // missing, -15 a file of another format version or size.
  virtual std::int32_t LoadNetwork() = 0;
  // False when new, after Unload and after a failed load.
  virtual bool IsLoaded() = 0;
  virtual void Unload() = 0;

  virtual bool HasNodeIndex() = 0;
  // -10 without a loaded network.
  virtual std::int32_t CreateNodeIndex() = 0;
  // The node nearest to (x, y) (layer coordinates) in `node`; `second` is always 0.
  // -10 no network, -34 no node index yet, -30 a coordinate that is not a finite number.
  virtual std::int32_t SnapToNetwork(double x, double y, std::int32_t& node,
                                     std::int32_t& second) = 0;
  // As SnapToNetwork, but makes the node index itself when it is missing.
  virtual std::int32_t FindNearestNode(double x, double y, std::int32_t& node,
                                       std::int32_t& second) = 0;
  // A node's coordinates; 0 for an unknown node or without a network.
  virtual double GetNodeX(std::int32_t node) = 0;
  virtual double GetNodeY(std::int32_t node) = 0;

  // Speed per hour (current distance unit) of the links of road class |value| mod 32; kept
  // across loads. A speed of 0 or less makes those links impassable whenever time counts.
  virtual std::int32_t SetClassSpeed(std::int16_t value, double speed) = 0;
  // -1: recomputes every link's costs from its length and class speed, dropping all temporary
  // speeds and closures (the weights of the calculation objects stay). -30 for another value.
  virtual std::int32_t ResetLinkCosts(std::int32_t which) = 0;
  // Gives one link its own speed until the next ResetLinkCosts. -10 no network, -30 no such link.
  virtual std::int32_t SetTempSpeed(std::int32_t link, float speed) = 0;
  // 1536 closes the link for every calculation until the next ResetLinkCosts. -10 no network,
  // -30 no such link or another flag value.
  virtual std::int32_t SetLinkFlags(std::int32_t link, std::int32_t flags) = 0;

  // The turn from the line (x1, y1) -> node into node -> (x2, y2), in degrees in [0, 360)
  // counted counter-clockwise: straight on ~0, left ~90, back ~180, right ~270; 0 when either
  // line has no length. -10 no network, -30 unknown node.
  virtual double TurnAngle(double x1, double y1, std::int32_t node, double x2, double y2) = 0;
  // Roundabouts are read from the geometry: a link on a short, round ring that turns steadily
  // one way (at most 12 links, at most 500 m); a roundabout node is a node of such a ring where
  // another road joins. False for unknown numbers or without a network.
  virtual bool IsRoundaboutLink(std::int32_t link) = 0;
  virtual bool IsRoundaboutNode(std::int32_t node) = 0;
  // The kind of file the zone polygon writers make, until set again: ShapefileOutput (at the
  // start), or ScratchShapefileOutput for a set the caller reads at once and then removes,
  // written and put in place the same way (a kill leaves the old set or the whole new one) but
  // never synced to disk. Other values are ignored.
  virtual void SetOutputOption(std::int32_t option) = 0;
  // The widening radius of zone polygons, in map units (in metres on a network in degrees,
  // whose zones are drawn in metres): 0 or less goes back to the default, the median length of
  // the network's links. Kept until set again, for every network.
  virtual void SetZoneRadius(double radius) = 0;
  // The radius zone polygons use on the loaded network; -10 no network.
  virtual double GetZoneRadius() = 0;

  // The engine's name and version as text for the host to show (this engine has no window of
  // its own); `result` is set to 0. `kind` 1 is the only kind.
  virtual std::string AboutCV(std::int16_t kind, std::int32_t& result) = 0;

  // Connects a receiver of the progress events; the cookie (never 0) disconnects it. A null
  // sink gives 0 and connects nothing.
  virtual std::uint32_t Advise(NetBaseEvents* sink) = 0;
  // False when the cookie names no connection.
  virtual bool Unadvise(std::uint32_t cookie) = 0;

  // Why the engine's last call on this thread failed, in words a person can act on: the file
  // and what is wrong with it ("/data/roads.dbf: its header counts 900 records, but the file
  // holds only 12"). Empty after a call that succeeded or failed without a reason.
  virtual std::string LastErrorText() = 0;

  // The nodes as point shapefiles in the network folder, written whole and renamed over older
  // files of the name together (files::replace_together); an existing ".prj" there is left as
  // it is. -10 no network, -32 the files
  // cannot be written.
  // "node": every node in node order, fields "NODE_ID" and "LINKS" (link ends at the node).
  virtual std::int32_t ExportNodes() = 0;
  // "closenodes": every node with another node at a straight-line distance below `distance`
  // (layer units), in node order; fields "NODE_ID" and "Connected": 1 when a link joins the
  // node to one of those close to it, else 0. No records when no node is that close. -30 for
  // a distance that is not a positive number.
  virtual std::int32_t ExportCloseNodes(float distance) = 0;
};

} // namespace tamix
