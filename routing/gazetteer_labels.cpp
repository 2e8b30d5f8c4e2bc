#include "routing/gazetteer_labels.h"

#include "com/numbers.h"
#include "common/tour_mode.h"
#include "win/num_text.h"

namespace corvane {

namespace {

constexpr char LineFeed = '\n';

std::size_t character_count(std::string_view text) {
  std::size_t count = 0;
  for (const char byte : text)
    if ((static_cast<unsigned char>(byte) & 0xC0) != 0x80)
      ++count;
  return count;
}

} // namespace

std::string LabelBlanks(std::string_view text) {
  const double count = com::round_half_even(static_cast<double>(character_count(text)) / 1.7);
  return std::string(static_cast<std::size_t>(count), ' ');
}

std::string MarkedStopLabel(std::string_view text, std::string_view mark) {
  return std::string(text) + LineFeed + LabelBlanks(text) + std::string(mark);
}

std::string RouteStopLabel(std::string_view text, std::int32_t k, std::int32_t n) {
  if (k == n)
    return std::string(text) + LineFeed + "     (End)";
  if (k == 1)
    return std::string(text);
  std::string number = "(";
  number += win::NumText(k - 1);
  number += ")";
  return MarkedStopLabel(text, number);
}

std::string ShortTourStopLabel(std::string_view text, std::int32_t m, std::int32_t last,
                               std::int32_t stop_count) {
  if (stop_count == 3 && m != last)
    return MarkedStopLabel(text, win::NumText(m));
  return MarkedStopLabel(text, " (End)");
}

std::string TourStopLabel(std::string_view text, std::int32_t m, std::int32_t last,
                          TspMode tsp_mode) {
  if (m == last && IsStartEndTour(tsp_mode))
    return MarkedStopLabel(text, "(End)");
  if (m == last && IsStartOnlyTour(tsp_mode))
    return MarkedStopLabel(text, " (End)");
  return MarkedStopLabel(text, " (" + std::to_string(m) + ")");
}

std::string TourEndName(std::string_view text) {
  return std::string(text) + LineFeed + "(End)";
}

std::string StageText(std::string_view from, std::string_view to) {
  return std::string(from) + "  to  " + std::string(to);
}

} // namespace corvane
