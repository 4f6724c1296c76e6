#include "bench/lettering_drawing.h"

#include <cmath>
#include <numbers>
#include <random>

namespace corvane::bench {
namespace {

using standin::Path;
using Shape = std::vector<Path>;

constexpr double kLetterWidth = 8;
constexpr double kLetterHeight = 10;
constexpr double kLetterGap = 1.5;
constexpr double kStroke = 1.8;

Path ellipse(double cx, double cy, double rx, double ry, std::size_t n, double from = 0,
             double to = 2 * std::numbers::pi) {
  Path path{{}, true};
  for (std::size_t i = 0; i < n; ++i) {
    const double a = from + (to - from) * static_cast<double>(i) / static_cast<double>(n);
    path.points.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
  }
  return path;
}

// A band between two arcs of the same centre: a stencil half-bowl, or a C.
Path arcBand(double cx, double cy, double rx, double ry, double from, double to, std::size_t n) {
  Path path{{}, true};
  for (std::size_t i = 0; i <= n; ++i) {
    const double a = from + (to - from) * static_cast<double>(i) / static_cast<double>(n);
    path.points.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
  }
  for (std::size_t i = n + 1; i-- > 0;) {
    const double a = from + (to - from) * static_cast<double>(i) / static_cast<double>(n);
    path.points.push_back({cx + (rx - kStroke) * std::cos(a), cy + (ry - kStroke) * std::sin(a)});
  }
  return path;
}

// A polygon whose edges are broken into `pieces` straight segments each, as
// exports break lines.
Path brokenPolygon(const std::vector<host::Point>& corners, std::size_t pieces) {
  Path path{{}, true};
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const host::Point a = corners[i];
    const host::Point b = corners[(i + 1) % corners.size()];
    for (std::size_t k = 0; k < pieces; ++k) {
      const double t = static_cast<double>(k) / static_cast<double>(pieces);
      path.points.push_back({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t});
    }
  }
  return path;
}

// The shapes of one letter with its box's bottom-left corner at (x, y).
std::vector<Shape> letter(int kind, double x, double y) {
  const double cx = x + kLetterWidth / 2;
  const double cy = y + kLetterHeight / 2;
  const double rx = kLetterWidth / 2;
  const double ry = kLetterHeight / 2;
  const double pi = std::numbers::pi;
  switch (kind) {
    case 0:  // O with its counter, in one shape
      return {{ellipse(cx, cy, rx, ry, 36), ellipse(cx, cy, rx - kStroke, ry - kStroke, 24)}};
    case 1:  // stencil O: two half bowls
      return {{arcBand(cx, cy, rx, ry, 0.55 * pi, 1.45 * pi, 15)},
              {arcBand(cx, cy, rx, ry, -0.45 * pi, 0.45 * pi, 15)}};
    case 2:  // C
      return {{arcBand(cx, cy, rx, ry, 0.25 * pi, 1.75 * pi, 15)}};
    case 3: {  // stencil E: the upright and the three arms apart
      const double s = kStroke;
      const double w = kLetterWidth;
      const double h = kLetterHeight;
      const double m = (h - s) / 2;
      return {
          {brokenPolygon({{x, y}, {x + s, y}, {x + s, y + h}, {x, y + h}}, 6)},
          {brokenPolygon({{x + s + 0.6, y}, {x + w, y}, {x + w, y + s}, {x + s + 0.6, y + s}}, 4)},
          {brokenPolygon({{x + s + 0.6, y + m},
                          {x + w - 1, y + m},
                          {x + w - 1, y + m + s},
                          {x + s + 0.6, y + m + s}},
                         4)},
          {brokenPolygon(
              {{x + s + 0.6, y + h - s}, {x + w, y + h - s}, {x + w, y + h}, {x + s + 0.6, y + h}},
              4)}};
    }
    case 4: {  // V: sharp corners, a narrow notch
      const double s = kStroke;
      return {{brokenPolygon({{x, y + kLetterHeight},
                              {cx - s / 2, y},
                              {cx + s / 2, y},
                              {x + kLetterWidth, y + kLetterHeight},
                              {x + kLetterWidth - s, y + kLetterHeight},
                              {cx, y + 2.5 * s},
                              {x + s, y + kLetterHeight}},
                             5)}};
    }
    default: {  // S: a wavy band
      Path path{{}, true};
      constexpr std::size_t n = 24;
      for (std::size_t i = 0; i <= n; ++i) {
        const double t = static_cast<double>(i) / n;
        path.points.push_back(
            {x + rx + (rx - kStroke) * std::sin(2 * pi * t), y + t * kLetterHeight});
      }
      for (std::size_t i = n + 1; i-- > 0;) {
        const double t = static_cast<double>(i) / n;
        path.points.push_back(
            {x + rx + (rx - kStroke) * std::sin(2 * pi * t) + kStroke, y + t * kLetterHeight});
      }
      return {{path}};
    }
  }
}

}  // namespace

std::vector<Shape> letteringShapes(std::size_t points, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> kinds(0, 5);
  std::uniform_int_distribution<int> wordLengths(3, 8);
  constexpr double kLineWidth = 400;
  constexpr double kLineStep = kLetterHeight + 6;
  std::vector<Shape> shapes;
  std::size_t count = 0;
  double x = 0;
  double y = 0;
  while (count < points) {
    const int length = wordLengths(random);
    if (x + length * (kLetterWidth + kLetterGap) > kLineWidth) {
      x = 0;
      y += kLineStep;
    }
    for (int i = 0; i < length && count < points; ++i) {
      for (Shape& shape : letter(kinds(random), x, y)) {
        for (const Path& path : shape) count += path.points.size();
        shapes.push_back(std::move(shape));
      }
      x += kLetterWidth + kLetterGap;
    }
    x += 2 * kLetterWidth;  // a word space: the contours of two words stay apart
  }
  return shapes;
}

}  // namespace corvane::bench
