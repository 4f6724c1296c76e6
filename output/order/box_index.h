#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "output/order/path_nesting.h"

namespace corvane::order {

// An R-tree of path boxes, so that neither nesting nor the nearest path is
// found by looking at every pair.
class BoxIndex {
 public:
  BoxIndex();
  ~BoxIndex();
  BoxIndex(const BoxIndex&) = delete;
  BoxIndex& operator=(const BoxIndex&) = delete;

  void build(const std::vector<JobPath>& paths, const std::vector<std::size_t>& which);
  void insert(const JobPath& path, std::size_t id);
  void remove(const JobPath& path, std::size_t id);
  bool empty() const;

  // Paths whose box covers the box.
  void covering(const Box& box, std::vector<std::size_t>& out) const;
  // The k paths whose boxes lie nearest to the point, nearest first, with
  // the distance of each box.
  void nearest(const Vertex& from, std::size_t k,
               std::vector<std::pair<double, std::size_t>>& out) const;
  // Up to k paths whose boxes lie nearest to the box.
  void nearestTo(const Box& box, std::size_t k, std::vector<std::size_t>& out) const;

 private:
  struct Tree;
  std::unique_ptr<Tree> tree_;
};

}  // namespace corvane::order
