#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "network/state/shared_state.h"

namespace corvane {

// The texts of the gazetteer's stop labels. A label has the stop's label text, a line feed and a
// position mark; blanks stand before the mark, as many as the label text's length divided by 1.7
// (rounded, halves to even), so that the mark sits roughly under the text's middle. The start's
// label is the label text alone.

// The blanks before the mark under `text` (its length counted in characters).
std::string LabelBlanks(std::string_view text);

// `text`, a line feed, the blanks under `text` and `mark`.
std::string MarkedStopLabel(std::string_view text, std::string_view mark);

// Stop k (1-based) of n in the route mode: the start alone, the last with "(End)" behind a fixed
// five blanks, the others with "(" and the platform's short form of k - 1 (a blank for the sign)
// and ")": the second stop's mark reads "( 1)".
std::string RouteStopLabel(std::string_view text, std::int32_t k, std::int32_t n);

// Stop m (1 .. last) after the start of an optimised run too short for a tour (at most three
// stops): with three stops the middle one is marked " 1", the last stop " (End)".
std::string ShortTourStopLabel(std::string_view text, std::int32_t m, std::int32_t last,
                               std::int32_t stop_count);

// The stop at tour position m (1 .. last) of a solved tour in `tsp_mode`: " (m)", and at the last
// position "(End)" for a start-end tour (0, 10) or " (End)" for a tour from the start only (2,
// 12). A round trip's last position is the start again, so it too reads " (m)".
std::string TourStopLabel(std::string_view text, std::int32_t m, std::int32_t last,
                          TspMode tsp_mode);

// The name stored for the end of a start-end tour before the tour is solved: text, line feed,
// "(End)".
std::string TourEndName(std::string_view text);

// The Direction of the stage row that opens a leg: "FROM  to  TO".
std::string StageText(std::string_view from, std::string_view to);

} // namespace corvane
