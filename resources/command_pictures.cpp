#include "command_pictures.h"

#include <functional>
#include <utility>

#include "palette.h"

namespace resources {
namespace {

using namespace palette;
using Draw = std::function<void(Canvas&)>;

// A small road network: the picture of the network commands.
void network(Canvas& c, Rgb links, Rgb nodes) {
  c.polyline({{2, 12}, {6, 4}, {13, 3}}, links);
  c.polyline({{6, 4}, {9, 9}, {2, 12}}, links);
  c.line(9, 9, 13, 13, links);
  for (auto [x, y] : {std::pair{1, 11}, {5, 3}, {12, 2}, {8, 8}, {12, 12}})
    c.node(x, y, nodes);
}

void gauge(Canvas& c, Rgb needle) {
  c.ring(8, 10, 6, black);
  c.rect(1, 11, 15, 15, face);
  c.line(2, 11, 14, 11, black);
  c.line(8, 10, 12, 5, needle);
  c.node(7, 9, black);
}

void road_with_bar(Canvas& c, Rgb bar) {
  c.rect(0, 9, 15, 13, road);
  c.line(0, 11, 15, 11, white);
  c.rect(3, 4, 12, 6, bar);
  c.rect(5, 4, 6, 6, white);
  c.rect(9, 4, 10, 6, white);
  c.line(3, 7, 3, 9, black);
  c.line(12, 7, 12, 9, black);
}

const std::vector<std::pair<int, Draw>>& drawings() {
  static const std::vector<std::pair<int, Draw>> all{
      {7001,
       [](Canvas& c) { // route between two stops
         c.polyline({{2, 13}, {5, 9}, {9, 10}, {11, 5}, {13, 2}}, blue);
         c.polyline({{2, 12}, {5, 8}, {9, 9}, {11, 4}, {13, 1}}, blue);
         c.disc(2, 13, 2, green);
         c.disc(13, 2, 2, red);
       }},
      {7004,
       [](Canvas& c) { // a tour through four stops
         c.polyline({{3, 3}, {12, 2}, {13, 12}, {4, 13}, {3, 3}}, purple);
         for (auto [x, y] : {std::pair{2, 2}, {11, 1}, {12, 11}, {3, 12}})
           c.rect(x, y, x + 2, y + 2, black);
       }},
      {7005,
       [](Canvas& c) { // zones around one centre
         c.disc(8, 8, 7, light_green);
         c.disc(8, 8, 4, yellow);
         c.ring(8, 8, 7, green);
         c.ring(8, 8, 4, orange);
         c.node(7, 7, red);
       }},
      {7007,
       [](Canvas& c) { // links coloured by cost band from a centre
         c.line(8, 8, 1, 2, green);
         c.line(8, 8, 14, 3, green);
         c.line(8, 8, 2, 14, orange);
         c.line(8, 8, 14, 13, red);
         c.node(7, 7, black);
       }},
      {7009,
       [](Canvas& c) { // links coloured by their nearest of two centres
         c.polyline({{1, 8}, {5, 4}, {8, 8}}, blue);
         c.polyline({{1, 8}, {5, 12}}, blue);
         c.polyline({{8, 8}, {11, 4}, {14, 8}, {11, 12}}, green);
         c.node(4, 3, black);
         c.node(10, 11, black);
       }},
      {7012, [](Canvas& c) { gauge(c, red); }},   // temporary speed
      {7031, [](Canvas& c) { gauge(c, green); }}, // back to the default speed
      {7032,
       [](Canvas& c) { // eraser
         c.polygon({{2, 10}, {9, 3}, {14, 8}, {7, 15}}, pink);
         c.polygon({{2, 10}, {5, 7}, {10, 12}, {7, 15}}, white);
         c.polyline({{2, 10}, {9, 3}, {14, 8}, {7, 15}, {2, 10}}, black);
       }},
      {7034,
       [](Canvas& c) { // about
         c.disc(8, 8, 7, blue);
         c.glyph(6, 4, 'i', white);
       }},
      {7035, [](Canvas& c) { road_with_bar(c, green); }}, // open road
      {7037, [](Canvas& c) { road_with_bar(c, red); }},   // close road
      {7039,
       [](Canvas& c) { // look up stops by name
         c.ring(6, 6, 4, black);
         c.disc(6, 6, 3, light_blue);
         c.line(9, 9, 14, 14, brown);
         c.line(10, 9, 14, 13, brown);
       }},
      {7040,
       [](Canvas& c) { // time-distance table
         c.rect(1, 2, 14, 13, white);
         c.rect(1, 2, 14, 4, blue);
         c.frame(1, 2, 14, 13, black);
         for (int y : {7, 10})
           c.line(1, y, 14, y, grey);
         for (int x : {5, 10})
           c.line(x, 2, x, 13, grey);
       }},
      {7043,
       [](Canvas& c) { // zones around several points
         for (auto [x, y] : {std::pair{4, 4}, {11, 5}, {7, 11}}) {
           c.disc(x, y, 3, light_green);
           c.ring(x, y, 3, green);
           c.dot(x, y, red);
         }
       }},
      {7046,
       [](Canvas& c) { // nearest-centre zones
         c.polygon({{0, 0}, {9, 0}, {7, 8}, {0, 10}}, light_blue);
         c.polygon({{9, 0}, {16, 0}, {16, 11}, {7, 8}}, light_green);
         c.polygon({{0, 10}, {7, 8}, {16, 11}, {16, 16}, {0, 16}}, yellow);
         c.node(3, 4, black);
         c.node(11, 4, black);
         c.node(7, 12, black);
       }},
      {7047,
       [](Canvas& c) { // close the network
         network(c, grey, grey);
         c.glyph(8, 7, 'x', red);
         c.glyph(9, 7, 'x', red);
       }},
      {7048, [](Canvas& c) { network(c, road, blue); }}, // create or load the network
      {7049,
       [](Canvas& c) { // nodes close together
         c.line(1, 8, 6, 8, road);
         c.line(10, 8, 15, 8, road);
         c.node(6, 7, blue);
         c.node(9, 7, blue);
         c.ring(8, 8, 4, red);
       }},
      {7050,
       [](Canvas& c) { // dead end
         c.line(1, 8, 9, 8, road);
         c.line(1, 7, 9, 7, road);
         c.disc(11, 7, 3, road);
         c.node(0, 7, blue);
         c.disc(11, 7, 1, red);
       }},
      {7051,
       [](Canvas& c) { // zones around several centres
         c.disc(5, 8, 5, light_green);
         c.disc(11, 8, 5, light_blue);
         c.ring(5, 8, 5, green);
         c.ring(11, 8, 5, blue);
         c.node(4, 7, red);
         c.node(10, 7, red);
       }},
      {7052,
       [](Canvas& c) { // two parts of a network that do not meet
         c.polyline({{1, 3}, {5, 1}, {6, 6}, {1, 3}}, blue);
         c.polyline({{9, 10}, {14, 9}, {12, 14}, {9, 10}}, red);
         for (auto [x, y] : {std::pair{0, 2}, {4, 0}, {5, 5}})
           c.node(x, y, black);
         for (auto [x, y] : {std::pair{8, 9}, {13, 8}, {11, 13}})
           c.node(x, y, black);
       }},
      {7053,
       [](Canvas& c) { // add the node layer
         for (auto [x, y] : {std::pair{1, 2}, {6, 4}, {2, 9}})
           c.rect(x, y, x + 2, y + 2, blue);
         c.glyph(9, 8, '+', green);
         c.glyph(10, 8, '+', green);
       }},
      {7054,
       [](Canvas& c) { // speeds per road class
         c.rect(1, 1, 14, 14, white);
         c.frame(1, 1, 14, 14, black);
         for (auto [y, color] : {std::pair{4, red}, {8, orange}, {12, green}}) {
           c.line(3, y, 8, y, color);
           c.line(3, y - 1, 8, y - 1, color);
           c.line(10, y, 12, y - 2, black);
         }
       }},
      {7056,
       [](Canvas& c) { // two links between the same two nodes
         c.polyline({{3, 8}, {6, 3}, {10, 3}, {13, 8}}, road);
         c.polyline({{3, 8}, {6, 12}, {10, 12}, {13, 8}}, orange);
         c.node(2, 7, blue);
         c.node(13, 7, blue);
       }},
      {7057,
       [](Canvas& c) { // help
         c.disc(8, 8, 7, yellow);
         c.ring(8, 8, 7, black);
         c.glyph(6, 4, '?', black);
       }},
      {7058,
       [](Canvas& c) { // links no route uses
         c.line(1, 3, 14, 3, road);
         for (int x = 1; x < 15; x += 4)
           c.line(x, 8, x + 1, 8, grey);
         c.line(1, 13, 14, 13, road);
         c.node(0, 7, blue);
         c.node(14, 7, blue);
       }},
      {7059,
       [](Canvas& c) { // road classes rewritten
         c.line(1, 3, 9, 3, red);
         c.line(1, 7, 9, 7, orange);
         c.line(1, 11, 9, 11, green);
         c.polygon({{11, 4}, {15, 8}, {11, 12}}, blue);
       }},
      {7060,
       [](Canvas& c) { // a node that only joins two links
         c.line(0, 8, 15, 8, road);
         c.line(0, 9, 15, 9, road);
         c.node(0, 8, blue);
         c.node(14, 8, blue);
         c.glyph(5, 5, 'x', red);
       }},
      {7061,
       [](Canvas& c) { // route colour
         for (auto [x, color] : {std::pair{1, red}, {6, green}, {11, blue}}) {
           c.rect(x, 1, x + 3, 5, color);
           c.frame(x, 1, x + 3, 5, black);
         }
         c.polyline({{1, 14}, {5, 9}, {10, 12}, {14, 8}}, red);
         c.polyline({{1, 13}, {5, 8}, {10, 11}, {14, 7}}, red);
       }},
  };
  return all;
}

} // namespace

std::vector<CommandPicture> command_pictures() {
  std::vector<CommandPicture> pictures;
  for (const auto& [id, draw] : drawings()) {
    Canvas canvas(16, 16, face);
    draw(canvas);
    pictures.push_back({id, std::move(canvas)});
  }
  return pictures;
}

} // namespace resources
