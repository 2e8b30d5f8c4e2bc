#include "tsp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <vector>

namespace tamix {
namespace {

constexpr double unreachable = std::numeric_limits<double>::infinity();

struct Matrix {
  std::uint32_t size;
  std::vector<double> cost;
  double operator()(std::uint32_t a, std::uint32_t b) const { return cost[a * size + b]; }
  TspCostFn fn() const {
    return [this](std::uint32_t a, std::uint32_t b) { return (*this)(a, b); };
  }
};

// Points in a square; asymmetric adds a one-sided surcharge, like one-way detours.
Matrix random_matrix(std::uint32_t size, unsigned seed, bool asymmetric) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> coordinate(0, 100), surcharge(0, 30);
  std::vector<std::pair<double, double>> points(size);
  for (auto& p : points) p = {coordinate(random), coordinate(random)};
  Matrix m{size, std::vector<double>(std::size_t(size) * size, 0)};
  for (std::uint32_t a = 0; a < size; ++a)
    for (std::uint32_t b = 0; b < size; ++b)
      if (a != b)
        m.cost[a * size + b] =
            std::hypot(points[a].first - points[b].first, points[a].second - points[b].second) +
            (asymmetric ? surcharge(random) : 0);
  return m;
}

double tour_cost(const Matrix& m, const std::vector<std::uint32_t>& order, TspMode mode) {
  double sum = 0;
  for (std::size_t k = 1; k < order.size(); ++k) sum += m(order[k - 1], order[k]);
  if (mode == TspMode::round_trip && order.size() > 1) sum += m(order.back(), order.front());
  return sum;
}

double brute_force(const Matrix& m, TspMode mode) {
  std::vector<std::uint32_t> order(m.size);
  std::iota(order.begin(), order.end(), 0u);
  const auto free_end = mode == TspMode::start_end && m.size > 1 ? order.end() - 1 : order.end();
  double best = unreachable;
  do {
    best = std::min(best, tour_cost(m, order, mode));
  } while (m.size > 1 && std::next_permutation(order.begin() + 1, free_end));
  return best;
}

::testing::AssertionResult is_valid_tour(const TspTour& tour, std::uint32_t count, TspMode mode) {
  std::vector<std::uint32_t> sorted = tour.order;
  std::sort(sorted.begin(), sorted.end());
  for (std::uint32_t k = 0; k < count; ++k)
    if (sorted.size() != count || sorted[k] != k)
      return ::testing::AssertionFailure() << "not a permutation of the stops";
  if (tour.order.front() != 0) return ::testing::AssertionFailure() << "does not start at stop 0";
  if (mode == TspMode::start_end && tour.order.back() != count - 1)
    return ::testing::AssertionFailure() << "does not end at the last stop";
  return ::testing::AssertionSuccess();
}

const TspMode all_modes[] = {TspMode::start_end, TspMode::round_trip, TspMode::start_only};

TEST(Tsp, ExactOrderMatchesBruteForceInEveryMode) {
  for (TspMode mode : all_modes)
    for (bool asymmetric : {false, true})
      for (std::uint32_t size = 1; size <= 8; ++size) {
        const Matrix m = random_matrix(size, 100 * size + asymmetric, asymmetric);
        const TspTour tour = solve_tsp(size, mode, m.fn());
        SCOPED_TRACE(::testing::Message() << "mode " << int(mode) << " size " << size
                                          << (asymmetric ? " asymmetric" : ""));
        ASSERT_TRUE(tour.unreachable.empty());
        ASSERT_TRUE(is_valid_tour(tour, size, mode));
        EXPECT_NEAR(tour.cost, tour_cost(m, tour.order, mode), 1e-9);
        EXPECT_NEAR(tour.cost, brute_force(m, mode), 1e-9);
      }
}

TEST(Tsp, LocalSearchStaysWithinTwoPercentOfTheOptimum) {
  TspOptions search_only;
  search_only.exact_limit = 0;
  for (TspMode mode : all_modes)
    for (bool asymmetric : {false, true})
      for (unsigned seed = 1; seed <= 4; ++seed) {
        const std::uint32_t size = 10 + seed;
        const Matrix m = random_matrix(size, seed, asymmetric);
        const TspTour exact = solve_tsp(size, mode, m.fn());
        const TspTour searched = solve_tsp(size, mode, m.fn(), search_only);
        SCOPED_TRACE(::testing::Message() << "mode " << int(mode) << " seed " << seed
                                          << (asymmetric ? " asymmetric" : ""));
        ASSERT_TRUE(is_valid_tour(searched, size, mode));
        EXPECT_NEAR(searched.cost, tour_cost(m, searched.order, mode), 1e-9);
        EXPECT_LE(searched.cost, exact.cost * 1.02);
      }
}

TEST(Tsp, LargeTourIsValidAndRepeats) {
  const Matrix m = random_matrix(200, 7, false);
  for (TspMode mode : all_modes) {
    const TspTour first = solve_tsp(200, mode, m.fn());
    ASSERT_TRUE(is_valid_tour(first, 200, mode));
    EXPECT_NEAR(first.cost, tour_cost(m, first.order, mode), 1e-6);
    EXPECT_EQ(first.order, solve_tsp(200, mode, m.fn()).order);
    std::vector<std::uint32_t> given(200);
    std::iota(given.begin(), given.end(), 0u);
    EXPECT_LT(first.cost, tour_cost(m, given, mode) / 3) << "far from a real ordering";
  }
}

TEST(Tsp, StopsAtTheSameNodeAreAllVisited) {
  // Stops 1 and 3 share a node, as do 2 and 4: cost 0 between them.
  const double place[] = {0, 10, 20, 10, 20, 5};
  Matrix m{6, std::vector<double>(36)};
  for (std::uint32_t a = 0; a < 6; ++a)
    for (std::uint32_t b = 0; b < 6; ++b) m.cost[a * 6 + b] = std::abs(place[a] - place[b]);
  for (TspMode mode : all_modes) {
    const TspTour tour = solve_tsp(6, mode, m.fn());
    ASSERT_TRUE(is_valid_tour(tour, 6, mode));
    EXPECT_NEAR(tour.cost, brute_force(m, mode), 1e-9);
  }
}

TEST(Tsp, StopsBeyondReachAreReportedNotToured) {
  // Stops 0-2 on one island, 3 and 4 on another.
  Matrix m{5, std::vector<double>(25, unreachable)};
  for (std::uint32_t a = 0; a < 5; ++a)
    for (std::uint32_t b = 0; b < 5; ++b)
      if (a == b || (a < 3) == (b < 3)) m.cost[a * 5 + b] = a == b ? 0 : 1 + a + b;
  for (TspMode mode : all_modes) {
    const TspTour tour = solve_tsp(5, mode, m.fn());
    EXPECT_TRUE(tour.order.empty());
    EXPECT_EQ(tour.unreachable, (std::vector<std::uint32_t>{3, 4}));
  }
  TspOptions search_only;
  search_only.exact_limit = 0;
  EXPECT_FALSE(solve_tsp(5, TspMode::round_trip, m.fn(), search_only).unreachable.empty());
}

TEST(Tsp, OneWayOnlyMattersWhereTheModeTravelsIt) {
  // Stop 1 can be reached from 0 but cannot get back: fine for an open tour, not for a round trip.
  Matrix m{2, {0, 5, unreachable, 0}};
  EXPECT_EQ(solve_tsp(2, TspMode::start_only, m.fn()).cost, 5);
  EXPECT_EQ(solve_tsp(2, TspMode::start_end, m.fn()).order, (std::vector<std::uint32_t>{0, 1}));
  EXPECT_EQ(solve_tsp(2, TspMode::round_trip, m.fn()).unreachable,
            (std::vector<std::uint32_t>{1}));
}

} // namespace
} // namespace tamix
