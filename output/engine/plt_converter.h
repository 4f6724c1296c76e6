#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/operator.h"
#include "output/engine/command_writer.h"
#include "output/engine/plt_parser.h"
#include "output/engine/path_point.h"

namespace corvane {

// The output program's job model: the points of one job file, its TB/DB
// command, and the writers that turn it into a cutter stream.
//
// Every operation reports its own failures to the operator and returns
// whether it succeeded.
class PltConverter {
 public:
  explicit PltConverter(Operator& op);

  // Reads a job file (or an intermediate file) into the model. On failure the
  // model is left as it was, and the operator is told the file and why.
  bool readPlt(const std::filesystem::path& path);
  // Reads job text already in memory; the same rules as readPlt.
  void readPltText(std::string_view text);

  // Mirrors the job onto its reference corner: x := a - x, y := y - b.
  bool applyMarkOffset(std::int32_t a, std::int32_t b);
  // Bounding box of all points, always including the origin.
  bool computeBounds();

  // Every point as it is, axes exchanged.
  bool writePlain(const std::filesystem::path& path, Dialect dialect);
  bool writePlain(ByteSink& sink, Dialect dialect);

  // Drag-knife distances in millimetres; false (with a message) when both
  // are zero or either is not a usable distance.
  bool setCornerDistances(double angleMm, double closedMm);
  // The stream with sharp-corner overcut and swing (ANGLE) and lead-in,
  // lead-out and closing overlap (CLOSED).
  bool writeWithCorners(const std::filesystem::path& path, Dialect dialect);
  bool writeWithCorners(ByteSink& sink, Dialect dialect);

  // The same paths in another order (the cut order); the TB/DB state stays.
  void replacePoints(std::vector<PathPoint> points) { points_ = std::move(points); }
  // Frees the points; the TB/DB state stays.
  void releasePoints();

  const std::vector<PathPoint>& points() const { return points_; }
  std::uint32_t count() const { return static_cast<std::uint32_t>(points_.size()); }
  bool tbSeen() const { return job_.tbSeen; }
  bool dbSeen() const { return job_.dbSeen; }
  std::int32_t param1() const { return job_.params[0]; }
  std::int32_t param2() const { return job_.params[1]; }
  std::int32_t param3() const { return job_.params[2]; }
  std::int32_t param4() const { return job_.params[3]; }
  std::int32_t minX() const { return minX_; }
  std::int32_t minY() const { return minY_; }
  std::int32_t maxX() const { return maxX_; }
  std::int32_t maxY() const { return maxY_; }
  std::uint32_t cornerDistance() const { return cornerDistance_; }
  std::uint32_t closeDistance() const { return closeDistance_; }

  // Fixed for the life of the object: no setting reaches them.
  const double minSegment = 8.0;  // plotter units
  const int arcStep = 10;         // degrees
  const int cornerLimit = 160;    // index into CosTable

 private:
  bool hasJobCommand();
  bool finishFile(FileSink& file, bool written);

  Operator& operator_;
  JobCommand job_;
  std::vector<PathPoint> points_;
  std::int32_t minX_ = 0;
  std::int32_t minY_ = 0;
  std::int32_t maxX_ = 0;
  std::int32_t maxY_ = 0;
  std::uint32_t closeDistance_ = 0;
  std::uint32_t cornerDistance_ = 0;
};

}  // namespace corvane
