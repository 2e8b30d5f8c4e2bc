#pragma once

#include <vector>

#include "host/geometry.h"

namespace host {

// Removes vertices that repeat their predecessor and drops paths left with fewer than two.
std::vector<Path> clean_paths(std::vector<Path> paths);

// Drops every segment that repeats an earlier one (in either direction), splitting a path
// where one is dropped: the set union of lines that share vertices. A line united with itself
// stays itself.
std::vector<Path> without_repeated_segments(const std::vector<Path>& paths);

// Joins paths that meet at an end shared by exactly two path ends (never through a junction of
// three or more), reversing a path where needed. Each result keeps the direction of its
// earliest member, and results come in the order of their earliest member:
//   A(0,0)-(1,0) and B(2,0)-(1,0) give (0,0)-(1,0)-(2,0).
std::vector<Path> merge_paths(std::vector<Path> paths);

} // namespace host
