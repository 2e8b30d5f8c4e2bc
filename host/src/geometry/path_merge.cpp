#include "geometry/path_merge.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

namespace host {

namespace {
using Key = std::pair<double, double>;
Key key(const XY& p) {
  return {p.x, p.y};
}
} // namespace

std::vector<Path> clean_paths(std::vector<Path> paths) {
  std::vector<Path> out;
  for (auto& path : paths) {
    Path cleaned;
    for (const auto& p : path)
      if (cleaned.empty() || !(cleaned.back() == p))
        cleaned.push_back(p);
    if (cleaned.size() >= 2)
      out.push_back(std::move(cleaned));
  }
  return out;
}

std::vector<Path> without_repeated_segments(const std::vector<Path>& paths) {
  std::set<std::pair<Key, Key>> seen;
  std::vector<Path> out;
  for (const auto& path : paths) {
    Path piece;
    for (std::size_t i = 1; i < path.size(); ++i) {
      const Key from = key(path[i - 1]), to = key(path[i]);
      if (!seen.insert(from < to ? std::pair{from, to} : std::pair{to, from}).second) {
        if (piece.size() >= 2)
          out.push_back(std::move(piece));
        piece.clear();
        continue;
      }
      if (piece.empty())
        piece.push_back(path[i - 1]);
      piece.push_back(path[i]);
    }
    if (piece.size() >= 2)
      out.push_back(std::move(piece));
  }
  return out;
}

std::vector<Path> merge_paths(std::vector<Path> paths) {
  paths = clean_paths(std::move(paths));
  std::map<Key, int> end_count;
  for (const auto& p : paths) {
    ++end_count[key(p.front())];
    ++end_count[key(p.back())];
  }
  const auto joinable = [&](const XY& p) { return end_count[key(p)] == 2; };

  std::vector<bool> used(paths.size(), false);
  std::vector<Path> out;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (used[i])
      continue;
    used[i] = true;
    Path chain = paths[i];
    for (bool grown = true; grown;) {
      grown = false;
      for (std::size_t j = i + 1; j < paths.size(); ++j) {
        if (used[j])
          continue;
        Path next = paths[j];
        if (joinable(chain.back()) &&
            (next.front() == chain.back() || next.back() == chain.back())) {
          if (!(next.front() == chain.back()))
            std::reverse(next.begin(), next.end());
          chain.insert(chain.end(), next.begin() + 1, next.end());
        } else if (joinable(chain.front()) &&
                   (next.back() == chain.front() || next.front() == chain.front())) {
          if (!(next.back() == chain.front()))
            std::reverse(next.begin(), next.end());
          chain.insert(chain.begin(), next.begin(), next.end() - 1);
        } else {
          continue;
        }
        used[j] = true;
        grown = true;
      }
    }
    out.push_back(std::move(chain));
  }
  return out;
}

} // namespace host
