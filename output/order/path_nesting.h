#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "output/engine/path_point.h"

namespace corvane::order {

struct Vertex {
  std::int64_t x = 0;
  std::int64_t y = 0;
  friend bool operator==(const Vertex&, const Vertex&) = default;
};

struct Box {
  Vertex min;
  Vertex max;
};

// One run of pen-down points of the job.
struct JobPath {
  std::size_t first = 0;  // index of its first point in the job
  std::size_t last = 0;   // index of its last point (inclusive)
  bool closed = false;    // ends where it starts, with at least three vertices
  Box box;
};

// The runs of the job's points and which closed path each lies inside.
struct Nesting {
  std::vector<Vertex> vertices;  // per job point; the axes exchanged on request
  std::vector<JobPath> paths;
  std::vector<std::vector<std::size_t>> containers;  // per path: closed paths it lies inside
  std::vector<std::vector<std::size_t>> contents;    // per path: paths that lie inside it

  // Distinct vertices of a path: a closed path's last point is its first.
  std::size_t vertexCount(std::size_t path) const;
  const Vertex& vertex(std::size_t path, std::size_t k) const {
    return vertices[paths[path].first + k];
  }
};

Nesting findNesting(const std::vector<PathPoint>& points, bool axesExchanged);

}  // namespace corvane::order
