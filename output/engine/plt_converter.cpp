#include "output/engine/plt_converter.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <limits>
#include <new>
#include <thread>

#include "common/job_contract.h"
#include "common/path_text.h"
#include "output/engine/corner_writer.h"
#include "output/engine/engine_messages.h"
#include "output/engine/file_range.h"
#include "output/engine/saturate.h"

namespace corvane {

namespace {

// Large files are read as two sections on two threads.
constexpr std::uint64_t kSectionedReadSize = std::uint64_t{8} << 20;

namespace fs = std::filesystem;

// Each returns 0 when the file was read whole, otherwise the errno.
int readWhole(const fs::path& path, std::vector<PathPoint>& points, JobCommand& job) {
  PltParser parser(points, job);
  const int error =
      readFileRange(path, 0, kToEndOfFile, [&](std::string_view text) { parser.feed(text); });
  if (error == 0) parser.finish();
  return error;
}

// The second half is read from the first command boundary past the middle on
// a thread of its own, then joined to the first as if read in one pass.
int readSectioned(const fs::path& path, std::uint64_t length, std::vector<PathPoint>& points,
                  JobCommand& job) {
  const std::uint64_t split = findCommandEnd(path, length / 2);
  if (split >= length) return readWhole(path, points, job);

  std::vector<PathPoint> section;
  JobCommand sectionJob;
  PltParser sectionParser = PltParser::forSection(section, sectionJob);
  int sectionError = 0;
  bool sectionOutOfMemory = false;
  std::thread second([&] {
    try {
      section.reserve(static_cast<std::size_t>((length - split) / 6));
      sectionError = readFileRange(path, split, kToEndOfFile,
                                   [&](std::string_view text) { sectionParser.feed(text); });
      sectionParser.finish();
    } catch (const std::bad_alloc&) {
      sectionOutOfMemory = true;
    }
  });

  PltParser parser(points, job);
  int firstError = 0;
  try {
    firstError = readFileRange(path, 0, split, [&](std::string_view text) { parser.feed(text); });
  } catch (...) {
    second.join();
    throw;
  }
  second.join();
  if (sectionOutOfMemory) throw std::bad_alloc();
  if (firstError != 0 || sectionError != 0) return firstError != 0 ? firstError : sectionError;
  // The first section ends with a ';', so no command is left open in it.
  joinSection(points, job, parser.state(), section, sectionJob, sectionParser);
  return 0;
}

// Millimetres to plotter units, truncated. A distance that is negative, not
// a number, or beyond any coordinate is refused rather than wrapped.
bool toPlotterUnits(double millimetres, std::uint32_t& units) {
  const double value = std::trunc(millimetres * job::kPlotterUnitsPerMm);
  if (!(value >= 0.0 && value <= std::numeric_limits<std::int32_t>::max())) return false;
  units = static_cast<std::uint32_t>(value);
  return true;
}

}  // namespace

PltConverter::PltConverter(Operator& op) : operator_(op) {}

bool PltConverter::readPlt(const fs::path& path) {
  const auto cannotOpen = [&](const std::string& reason) {
    operator_.tellFileFailure(MessageKind::Stop, messages::kOpenPltFailed,
                              {"cannot open", pathText(path), reason});
    return false;
  };
  std::error_code error;
  if (fs::is_directory(path, error)) return cannotOpen(std::generic_category().message(EISDIR));
  const std::uint64_t length = fs::file_size(path, error);
  if (error) return cannotOpen(error.message());
  // The model is built aside and only replaces the old one once the whole
  // file has been read.
  std::vector<PathPoint> points;
  JobCommand job = job_;
  int readError = 0;
  try {
    // Job text takes at least 6 bytes a point; denser text grows the array.
    points.reserve(static_cast<std::size_t>(length / 6));
    readError = length >= kSectionedReadSize ? readSectioned(path, length, points, job)
                                             : readWhole(path, points, job);
  } catch (const std::bad_alloc&) {
    operator_.tell(MessageKind::Stop, messages::kJobTooLarge);
    return false;
  }
  if (readError != 0) return cannotOpen(std::generic_category().message(readError));
  points_ = std::move(points);
  job_ = job;
  return true;
}

void PltConverter::readPltText(std::string_view text) {
  std::vector<PathPoint> points;
  points.reserve(text.size() / 6);
  PltParser parser(points, job_);
  parser.feed(text);
  parser.finish();
  points_ = std::move(points);
}

bool PltConverter::hasJobCommand() {
  if (job_.tbSeen || job_.dbSeen) return true;
  operator_.tell(MessageKind::Warning, messages::kNeedsJobCommand);
  return false;
}

bool PltConverter::applyMarkOffset(std::int32_t a, std::int32_t b) {
  if (!hasJobCommand()) return false;
  if (a == 0 && b == 0) {
    operator_.tell(MessageKind::Warning, messages::kOffsetAllZero);
    return false;
  }
  for (PathPoint& p : points_) {
    p.x = saturateToInt32(std::int64_t{a} - p.x);
    p.y = saturateToInt32(std::int64_t{p.y} - b);
  }
  return true;
}

bool PltConverter::computeBounds() {
  minX_ = minY_ = maxX_ = maxY_ = 0;
  for (const PathPoint& p : points_) {
    minX_ = std::min(minX_, p.x);
    minY_ = std::min(minY_, p.y);
    maxX_ = std::max(maxX_, p.x);
    maxY_ = std::max(maxY_, p.y);
  }
  return true;
}

bool PltConverter::finishFile(FileSink& file, bool written) {
  if (written && file.close()) return true;
  operator_.tell(MessageKind::Stop, file.error());
  return false;  // the sink removes what it wrote
}

bool PltConverter::writePlain(const fs::path& path, Dialect dialect) {
  if (!hasJobCommand()) return false;
  FileSink file(path);
  if (!file.isOpen()) {
    operator_.tell(MessageKind::Stop, file.error());
    return false;
  }
  return finishFile(file, writePlain(file, dialect));
}

bool PltConverter::writePlain(ByteSink& sink, Dialect dialect) {
  if (!hasJobCommand()) return false;
  CommandWriter out(sink, dialect);
  out.header();
  for (const PathPoint& p : points_) {
    if (p.penUp) {
      out.penUp(p.y, p.x);
    } else {
      out.penDown(p.y, p.x);
    }
  }
  out.trailer();
  return out.flush();
}

bool PltConverter::setCornerDistances(double angleMm, double closedMm) {
  cornerDistance_ = closeDistance_ = 0;
  std::uint32_t corner = 0;
  std::uint32_t close = 0;
  if (!toPlotterUnits(angleMm, corner) || !toPlotterUnits(closedMm, close) ||
      (corner == 0 && close == 0)) {
    operator_.tell(MessageKind::Warning, messages::kCornerParametersWrong);
    return false;
  }
  cornerDistance_ = corner;
  closeDistance_ = close;
  return true;
}

bool PltConverter::writeWithCorners(const fs::path& path, Dialect dialect) {
  if (cornerDistance_ == 0 && closeDistance_ == 0) return false;
  FileSink file(path);
  if (!file.isOpen()) {
    operator_.tell(MessageKind::Stop, file.error());
    return false;
  }
  return finishFile(file, writeWithCorners(file, dialect));
}

bool PltConverter::writeWithCorners(ByteSink& sink, Dialect dialect) {
  if (cornerDistance_ == 0 && closeDistance_ == 0) return false;
  CommandWriter out(sink, dialect);
  out.header();
  CornerWriter corners(out, minSegment, cornerLimit, arcStep);
  corners.writeRuns(points_, cornerDistance_, closeDistance_);
  out.trailer();
  return out.flush();
}

void PltConverter::releasePoints() { std::vector<PathPoint>().swap(points_); }

}  // namespace corvane
