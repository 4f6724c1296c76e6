#include "support/cut_jobs.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <random>

namespace corvane::testing {

namespace {

using Path = std::vector<PathPoint>;
constexpr double kPi = 3.14159265358979;

// A closed outline round a centre, radius varying by angle.
Path ring(double cx, double cy, double rx, double ry, int vertices, std::mt19937& random,
          double roughness) {
  std::uniform_real_distribution<double> jitter(1.0 - roughness, 1.0);
  Path path;
  for (int k = 0; k < vertices; ++k) {
    const double a = 2.0 * kPi * k / vertices;
    const double f = jitter(random);
    path.push_back({static_cast<std::int32_t>(cx + rx * f * std::cos(a)),
                    static_cast<std::int32_t>(cy + ry * f * std::sin(a)), 0});
  }
  path.erase(std::unique(path.begin(), path.end()), path.end());
  path.push_back(path.front());
  return path;
}

Path line(double x0, double y0, double x1, double y1) {
  return {{static_cast<std::int32_t>(x0), static_cast<std::int32_t>(y0), 0},
          {static_cast<std::int32_t>(x1), static_cast<std::int32_t>(y1), 0}};
}

std::vector<PathPoint> join(const std::vector<Path>& paths) {
  std::vector<PathPoint> points;
  for (const Path& path : paths) {
    PathPoint up = path.front();
    up.penUp = 1;
    points.push_back(up);
    points.insert(points.end(), path.begin(), path.end());
  }
  points.push_back({0, 0, 1});
  return points;
}

}  // namespace

std::vector<PathPoint> stickerSheet(std::size_t shapes, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> kind(0, 9);
  std::vector<Path> paths;
  const double pitch = 60 * 40.0;  // 60 mm a sticker
  const auto columns =
      static_cast<std::size_t>(std::ceil(std::sqrt(static_cast<double>(shapes) * 0.6)));
  for (std::size_t i = 0; paths.size() < shapes; ++i) {
    const double cx = 400 + pitch * static_cast<double>(i % columns);
    const double cy = 400 + pitch * static_cast<double>(i / columns);
    const int k = kind(random);
    paths.push_back(ring(cx + pitch / 2, cy + pitch / 2, pitch * 0.45, pitch * (k < 5 ? 0.45 : 0.3),
                         k < 5 ? 48 : 24, random, 0.0));
    if (k < 3 && paths.size() < shapes) {
      paths.push_back(
          ring(cx + pitch / 2, cy + pitch / 2, pitch * 0.2, pitch * 0.2, 10, random, 0.5));
    }
  }
  std::shuffle(paths.begin(), paths.end(), random);
  return join(paths);
}

std::vector<PathPoint> lettering(std::size_t paths, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> kind(0, 9);
  std::vector<Path> out;
  const double height = 12 * 40.0, advance = 9 * 40.0, leading = 18 * 40.0;
  const std::size_t perRow = 60;
  for (std::size_t letter = 0; out.size() < paths; ++letter) {
    const double x = 400 + advance * static_cast<double>(letter % perRow);
    const double y = 400 + leading * static_cast<double>(letter / perRow);
    const int k = kind(random);
    if (k == 9) {
      // An open stroke, as a hairline or an underline stroke is exported.
      out.push_back(line(x, y, x + advance * 0.8, y + height * 0.1));
      continue;
    }
    out.push_back(
        ring(x + advance * 0.4, y + height / 2, advance * 0.4, height / 2, 36, random, 0.15));
    if (k < 4 && out.size() < paths) {
      out.push_back(
          ring(x + advance * 0.4, y + height / 2, advance * 0.15, height * 0.2, 16, random, 0.1));
    }
  }
  return join(out);
}

std::vector<PathPoint> marker(std::size_t paths, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> size(0.6, 1.0);
  std::uniform_int_distribution<int> kind(0, 9);
  std::vector<Path> out;
  const double cell = 50 * 40.0;
  const std::size_t rows = 30;  // a 1.5 m wide roll
  for (std::size_t piece = 0; out.size() < paths; ++piece) {
    // Pieces are placed column by column along the roll.
    const double cx = cell * (0.5 + static_cast<double>(piece / rows));
    const double cy = cell * (0.5 + static_cast<double>(piece % rows));
    const double r = cell * 0.48 * size(random);
    out.push_back(ring(cx, cy, r, r * 0.9, 16 + kind(random), random, 0.3));
    const int k = kind(random);
    if (k < 4 && out.size() < paths) out.push_back(line(cx - r * 0.3, cy, cx + r * 0.3, cy));
    if (k < 2 && out.size() < paths) out.push_back(line(cx, cy - r * 0.3, cx, cy + r * 0.3));
  }
  // Pieces of one size are placed together: the file hops between columns.
  std::vector<std::size_t> blocks(out.size() / 40 + 1);
  std::iota(blocks.begin(), blocks.end(), 0);
  std::shuffle(blocks.begin(), blocks.end(), random);
  std::vector<Path> placed;
  for (const std::size_t b : blocks) {
    for (std::size_t i = b * 40; i < std::min(out.size(), b * 40 + 40); ++i)
      placed.push_back(out[i]);
  }
  return join(placed);
}

}  // namespace corvane::testing
