#pragma once

// A traced contour judged by points, the way a sign shop judges a contour
// cut: every point the knife cuts of the drawing lies inside the contour by
// the offset, and no point of the contour lies further from the drawing
// than the widest corner the contour may make.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace corvane::testing {

struct FitPoint {
  double x = 0;
  double y = 0;
};

// A path of the drawing or the contour, in millimetres.
struct FitLine {
  std::vector<FitPoint> points;
  bool closed = false;
};

struct ContourFit {
  // The least distance from a point of the drawing to the contour line,
  // negative for a point outside the contour (even-odd over its closed
  // lines).
  double leastInside = std::numeric_limits<double>::infinity();
  // The greatest distance from a corner of the contour to the drawing.
  double greatestOut = 0;
  std::string where;  // the worst points, for the failure message

  bool holds(double offset, double reach, double tolerance = 0.05) const {
    return leastInside >= offset - tolerance && greatestOut <= reach + tolerance;
  }
};

inline double distanceToSegment(FitPoint p, FitPoint a, FitPoint b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

template <class Visit>
void forEachSegment(const std::vector<FitLine>& lines, Visit visit) {
  for (const FitLine& line : lines) {
    const std::size_t n = line.points.size();
    if (n == 1) visit(line.points[0], line.points[0]);
    for (std::size_t i = 0; i + 1 < n; ++i) visit(line.points[i], line.points[i + 1]);
    if (line.closed && n > 2) visit(line.points[n - 1], line.points[0]);
  }
}

inline double distanceTo(FitPoint p, const std::vector<FitLine>& lines) {
  double least = std::numeric_limits<double>::infinity();
  forEachSegment(
      lines, [&](FitPoint a, FitPoint b) { least = std::min(least, distanceToSegment(p, a, b)); });
  return least;
}

// Even-odd over the closed lines.
inline bool inside(FitPoint p, const std::vector<FitLine>& lines) {
  bool in = false;
  for (const FitLine& line : lines) {
    if (!line.closed) continue;
    const std::size_t n = line.points.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
      const FitPoint a = line.points[i];
      const FitPoint b = line.points[j];
      if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
        in = !in;
      }
    }
  }
  return in;
}

// The drawing's points: its corners and points along its lines no more than
// `spacing` apart.
inline std::vector<FitPoint> cutPoints(const std::vector<FitLine>& drawing, double spacing = 0.5) {
  std::vector<FitPoint> points;
  forEachSegment(drawing, [&](FitPoint a, FitPoint b) {
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    const auto steps = static_cast<int>(std::ceil(length / spacing));
    for (int k = 0; k <= steps; ++k) {
      const double t = steps == 0 ? 0 : static_cast<double>(k) / steps;
      points.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
    }
  });
  return points;
}

inline ContourFit fitOf(const std::vector<FitLine>& drawing, const std::vector<FitLine>& contour) {
  ContourFit fit;
  std::ostringstream where;
  FitPoint worstIn{};
  for (const FitPoint& p : cutPoints(drawing)) {
    const double d = distanceTo(p, contour) * (inside(p, contour) ? 1 : -1);
    if (d < fit.leastInside) {
      fit.leastInside = d;
      worstIn = p;
    }
  }
  FitPoint worstOut{};
  forEachSegment(contour, [&](FitPoint a, FitPoint) {
    const double d = distanceTo(a, drawing);
    if (d > fit.greatestOut) {
      fit.greatestOut = d;
      worstOut = a;
    }
  });
  where << "drawing point (" << worstIn.x << ", " << worstIn.y << ") " << fit.leastInside
        << " mm inside; contour point (" << worstOut.x << ", " << worstOut.y << ") "
        << fit.greatestOut << " mm from the drawing";
  fit.where = where.str();
  return fit;
}

// A job's plotter units.
inline constexpr double kJobUnitsPerMm = 40;

// The pen-down runs of an HPGL text in millimetres; a run that ends where
// it began is closed. The TB frame line, when there is one, in plotter
// units: left, right, bottom, top.
struct Job {
  std::vector<FitLine> lines;
  std::vector<double> frame;
};

inline std::vector<double> numbersOf(const std::string& text) {
  std::vector<double> numbers;
  std::istringstream in(text);
  std::string number;
  while (std::getline(in, number, ',')) numbers.push_back(std::strtod(number.c_str(), nullptr));
  return numbers;
}

inline Job readJob(const std::string& hpgl) {
  Job job;
  std::istringstream in(hpgl);
  std::string command;
  FitLine* line = nullptr;
  FitPoint pen;
  while (std::getline(in, command, ';')) {
    command.erase(0, command.find_first_not_of("\r\n "));
    if (command.size() < 2) continue;
    const std::string name = command.substr(0, 2);
    const std::vector<double> numbers = numbersOf(command.substr(2));
    if (name == "TB" && numbers.size() == 4) {
      job.frame = {numbers[2] - numbers[0], numbers[2], numbers[3], numbers[3] + numbers[1]};
    } else if (name == "PU") {
      line = nullptr;
      if (numbers.size() >= 2) pen = {numbers[0] / kJobUnitsPerMm, numbers[1] / kJobUnitsPerMm};
    } else if (name == "PD") {
      if (line == nullptr) {
        job.lines.push_back({{pen}, false});
        line = &job.lines.back();
      }
      for (std::size_t i = 0; i + 1 < numbers.size(); i += 2) {
        line->points.push_back({numbers[i] / kJobUnitsPerMm, numbers[i + 1] / kJobUnitsPerMm});
      }
    }
  }
  for (FitLine& run : job.lines) {
    if (run.points.size() > 2 && run.points.front().x == run.points.back().x &&
        run.points.front().y == run.points.back().y) {
      run.points.pop_back();
      run.closed = true;
    }
  }
  return job;
}

}  // namespace corvane::testing
