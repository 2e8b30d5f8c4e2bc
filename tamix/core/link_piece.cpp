#include "link_piece.h"

#include <algorithm>
#include <cmath>

namespace tamix {
namespace {

// The point `distance` along the line, clamped to its ends.
Point point_along(std::span<const Point> points, const std::vector<double>& walked,
                  double distance) {
  if (distance <= 0)
    return points.front();
  if (distance >= walked.back())
    return points.back();
  const std::size_t k = std::upper_bound(walked.begin(), walked.end(), distance) - walked.begin();
  const double share = (distance - walked[k - 1]) / (walked[k] - walked[k - 1]);
  const Point a = points[k - 1], b = points[k];
  return {a.x + share * (b.x - a.x), a.y + share * (b.y - a.y)};
}

// A whole link without walking its length: its end points and the vertices between them, less
// the repeats of an end point, which lie at length 0 or at the full length.
void whole_link(std::span<const Point> points, std::vector<Point>& piece) {
  std::size_t first = 1, end = points.size() - 1;
  while (first < points.size() && points[first] == points.front())
    ++first;
  while (end > first && points[end - 1] == points.back())
    --end;
  piece.push_back(points.front());
  if (first < end)
    piece.insert(piece.end(), points.begin() + first, points.begin() + end);
  piece.push_back(points.back());
}

} // namespace

void link_piece(std::span<const Point> points, double from, double to, std::vector<double>& walked,
                std::vector<Point>& piece) {
  piece.clear();
  if (points.empty())
    return;
  const bool whole = std::min(from, to) == 0 && std::max(from, to) == 1;
  if (whole) {
    whole_link(points, piece);
  } else {
    walked.assign(points.size(), 0.0);
    for (std::size_t k = 1; k < points.size(); ++k)
      walked[k] =
          walked[k - 1] + std::hypot(points[k].x - points[k - 1].x, points[k].y - points[k - 1].y);
    const double low = std::min(from, to) * walked.back();
    const double high = std::max(from, to) * walked.back();
    piece.push_back(point_along(points, walked, low));
    for (std::size_t k = 0; k < points.size(); ++k)
      if (walked[k] > low && walked[k] < high)
        piece.push_back(points[k]);
    piece.push_back(point_along(points, walked, high));
  }
  if (from > to)
    std::reverse(piece.begin(), piece.end());
}

} // namespace tamix
