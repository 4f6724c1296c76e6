#include "output/knife/knife_path.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

constexpr double kPi = 3.14159265358979323846;

KnifePoint operator+(KnifePoint a, KnifePoint b) { return {a.x + b.x, a.y + b.y}; }
KnifePoint operator-(KnifePoint a, KnifePoint b) { return {a.x - b.x, a.y - b.y}; }
KnifePoint operator*(double k, KnifePoint a) { return {k * a.x, k * a.y}; }
double dot(KnifePoint a, KnifePoint b) { return a.x * b.x + a.y * b.y; }

void append(KnifeRun& run, KnifePoint p) {
  if (run.empty() || run.back().x != p.x || run.back().y != p.y) run.push_back(p);
}

class Knife {
 public:
  Knife(double blade, double headingDegrees)
      : blade_(blade),
        heading_{std::cos(headingDegrees * kPi / 180), std::sin(headingDegrees * kPi / 180)} {}

  void follow(const StreamTrace& trace) {
    for (const TraceSegment& s : trace.segments) {
      if (s.cut) {
        if (!down_) lower({static_cast<double>(s.x0), static_cast<double>(s.y0)});
        cutTo({static_cast<double>(s.x1), static_cast<double>(s.y1)});
      } else {
        if (down_) lift();
        holder_ = {static_cast<double>(s.x1), static_cast<double>(s.y1)};
      }
    }
    if (down_) lift();
  }

  KnifeCut result() { return std::move(cut_); }

 private:
  void lower(KnifePoint at) {
    holder_ = at;
    tip_ = holder_ - blade_ * heading_;
    down_ = true;
    cut_.runs.emplace_back();
    append(cut_.runs.back(), tip_);
  }

  void lift() {
    const KnifePoint toHolder = holder_ - tip_;
    const double length = std::hypot(toHolder.x, toHolder.y);
    if (length > 1e-9) heading_ = (1 / length) * toHolder;
    down_ = false;
  }

  // The holder moves straight from holder_ to `to`. The tip stays where it
  // is until the holder is r away from it and moving away; from there on it
  // runs on the tractrix, whose angle θ between the holder's direction and
  // the tip-to-holder line obeys tan(θ/2) = tan(θ0/2) · exp(-s/r).
  void cutTo(KnifePoint to) {
    const KnifePoint from = holder_;
    const KnifePoint move = to - from;
    const double length = std::hypot(move.x, move.y);
    holder_ = to;
    if (length == 0) return;
    const KnifePoint u = (1 / length) * move;
    const KnifePoint n{-u.y, u.x};
    const double r = blade_;
    KnifeRun& run = cut_.runs.back();

    const KnifePoint behind = from - tip_;
    const double b = dot(u, behind);
    const double c = std::min(dot(behind, behind) - r * r, 0.0);
    const double pullStart = -b + std::sqrt(std::max(b * b - c, 0.0));
    if (pullStart >= length) return;

    const KnifePoint pullFrom = from + pullStart * u;
    const KnifePoint line = pullFrom - tip_;
    const double side = dot(line, n) < 0 ? -1.0 : 1.0;
    const double theta0 =
        std::clamp(std::atan2(std::abs(dot(line, n)), dot(line, u)), 0.0, kPi / 2);
    const double pulled = length - pullStart;
    const double t0 = std::tan(theta0 / 2);
    const double t1 = t0 * std::exp(-pulled / r);
    const double theta1 = 2 * std::atan(t1);
    // Arc length of the tip: r · ln(sin θ0 / sin θ1), written so that it
    // stays finite when θ1 underflows.
    cut_.length += pulled + r * std::log((1 + t1 * t1) / (1 + t0 * t0));

    auto tipAt = [&](double theta) {
      const double s = theta0 == 0 ? length : pullStart + r * std::log(t0 / std::tan(theta / 2));
      return from + s * u - r * (std::cos(theta) * u + side * std::sin(theta) * n);
    };
    const KnifePoint end = to - r * (std::cos(theta1) * u + side * std::sin(theta1) * n);

    // Points along the curve, each chord within the tolerance of it: an arc
    // of length l that turns by Δθ lies within l·Δθ/4 of its chord, and the
    // tip's arc from θa to θb is r·ln(sin θa / sin θb) long. Once the tip is
    // within the tolerance of the holder's line, what is left of the curve
    // is within it of the chord to the end.
    double theta = theta0;
    double step = 0.25;
    while (theta > theta1 && r * std::sin(theta) > kKnifeSampleTolerance) {
      double next = std::max(theta1, theta - step);
      while (r * std::log(std::sin(theta) / std::sin(next)) * (theta - next) >
             4 * kKnifeSampleTolerance) {
        step /= 2;
        next = std::max(theta1, theta - step);
      }
      if (next == theta1) break;
      append(run, tipAt(next));
      theta = next;
      step *= 1.5;
    }
    tip_ = end;
    append(run, end);
  }

  double blade_;
  KnifePoint heading_;
  KnifePoint holder_{0, 0};
  KnifePoint tip_{0, 0};
  bool down_ = false;
  KnifeCut cut_;
};

}  // namespace

std::vector<KnifeRun> penDownRuns(const StreamTrace& trace) {
  std::vector<KnifeRun> runs;
  bool inRun = false;
  for (const TraceSegment& s : trace.segments) {
    if (!s.cut) {
      inRun = false;
      continue;
    }
    if (!inRun) {
      runs.emplace_back();
      append(runs.back(), {static_cast<double>(s.x0), static_cast<double>(s.y0)});
      inRun = true;
    }
    append(runs.back(), {static_cast<double>(s.x1), static_cast<double>(s.y1)});
  }
  return runs;
}

KnifeCut simulateKnife(const StreamTrace& trace, double blade, double headingDegrees) {
  Knife knife(blade, headingDegrees);
  knife.follow(trace);
  return knife.result();
}

}  // namespace corvane
