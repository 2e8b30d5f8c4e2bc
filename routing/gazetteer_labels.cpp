#include "routing/gazetteer_labels.h"

#include "com/numbers.h"
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

std::string marked(std::string_view text, std::string_view mark) {
  return std::string(text) + LineFeed + LabelBlanks(text) + std::string(mark);
}

bool start_end_mode(std::int32_t tsp_mode) {
  return tsp_mode == 0 || tsp_mode == 10;
}
bool start_only_mode(std::int32_t tsp_mode) {
  return tsp_mode == 2 || tsp_mode == 12;
}

} // namespace

std::string LabelBlanks(std::string_view text) {
  const double count = com::round_half_even(static_cast<double>(character_count(text)) / 1.7);
  return std::string(static_cast<std::size_t>(count), ' ');
}

std::string RouteStopLabel(std::string_view text, std::int32_t k, std::int32_t n) {
  if (k == n)
    return std::string(text) + LineFeed + "     (End)";
  if (k == 1)
    return std::string(text);
  std::string number = "(";
  number += win::NumText(k - 1);
  number += ")";
  return marked(text, number);
}

std::string ShortTourStopLabel(std::string_view text, std::int32_t m, std::int32_t last,
                               std::int32_t stop_count) {
  if (stop_count == 3 && m != last)
    return marked(text, win::NumText(m));
  return marked(text, " (End)");
}

std::string TourStopLabel(std::string_view text, std::int32_t m, std::int32_t last,
                          std::int32_t tsp_mode) {
  if (m == last && start_end_mode(tsp_mode))
    return marked(text, "(End)");
  if (m == last && start_only_mode(tsp_mode))
    return marked(text, " (End)");
  return marked(text, " (" + std::to_string(m) + ")");
}

std::string TourEndName(std::string_view text) {
  return std::string(text) + LineFeed + "(End)";
}

std::string StageText(std::string_view from, std::string_view to) {
  return std::string(from) + "  to  " + std::string(to);
}

} // namespace corvane
