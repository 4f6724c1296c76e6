#include "toolwindow/standins/svg/svg_curves.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace corvane::standin::svg {
namespace {

// A drawing with an absurd curve still opens; it is drawn no finer than this.
constexpr double kMostSteps = 100000;

double length(double x, double y) { return std::hypot(x, y); }

// Steps of a uniform parameter split keeping the chord error within
// `tolerance` for a curve whose second derivative is at most `bend`.
std::size_t stepsFor(double bend, double span, double tolerance) {
  if (!(bend > 0) || !std::isfinite(bend)) return 1;
  const double step = std::sqrt(8 * tolerance / bend);
  return static_cast<std::size_t>(std::clamp(std::ceil(span / step), 1.0, kMostSteps));
}

}  // namespace

host::Point Affine::apply(double x, double y) const {
  return {a * x + c * y + e, b * x + d * y + f};
}

Affine Affine::after(const Affine& inner) const {
  return {a * inner.a + c * inner.b, b * inner.a + d * inner.b,     a * inner.c + c * inner.d,
          b * inner.c + d * inner.d, a * inner.e + c * inner.f + e, b * inner.e + d * inner.f + f};
}

void appendQuadratic(std::vector<host::Point>& out, host::Point from, host::Point control,
                     host::Point to, double tolerance) {
  // B'' = 2 (P0 - 2 P1 + P2), constant.
  const double bend = 2 * length(from.x - 2 * control.x + to.x, from.y - 2 * control.y + to.y);
  const std::size_t steps = stepsFor(bend, 1, tolerance);
  for (std::size_t i = 1; i <= steps; ++i) {
    const double t = static_cast<double>(i) / static_cast<double>(steps);
    const double u = 1 - t;
    out.push_back({u * u * from.x + 2 * u * t * control.x + t * t * to.x,
                   u * u * from.y + 2 * u * t * control.y + t * t * to.y});
  }
  out.back() = to;
}

void appendCubic(std::vector<host::Point>& out, host::Point from, host::Point control1,
                 host::Point control2, host::Point to, double tolerance) {
  // |B''| <= 6 max(|P0 - 2 P1 + P2|, |P1 - 2 P2 + P3|).
  const double bend =
      6 *
      std::max(length(from.x - 2 * control1.x + control2.x, from.y - 2 * control1.y + control2.y),
               length(control1.x - 2 * control2.x + to.x, control1.y - 2 * control2.y + to.y));
  const std::size_t steps = stepsFor(bend, 1, tolerance);
  for (std::size_t i = 1; i <= steps; ++i) {
    const double t = static_cast<double>(i) / static_cast<double>(steps);
    const double u = 1 - t;
    const double w0 = u * u * u;
    const double w1 = 3 * u * u * t;
    const double w2 = 3 * u * t * t;
    const double w3 = t * t * t;
    out.push_back({w0 * from.x + w1 * control1.x + w2 * control2.x + w3 * to.x,
                   w0 * from.y + w1 * control1.y + w2 * control2.y + w3 * to.y});
  }
  out.back() = to;
}

void appendArc(std::vector<host::Point>& out, const ArcSegment& arc, const Affine& toPage,
               double tolerance) {
  const host::Point end = toPage.apply(arc.to.x, arc.to.y);
  if (arc.from.x == arc.to.x && arc.from.y == arc.to.y) return;  // no arc at all
  double rx = std::abs(arc.rx);
  double ry = std::abs(arc.ry);
  if (rx == 0 || ry == 0) {
    out.push_back(end);
    return;
  }
  // From the end points to the centre (SVG's implementation notes on elliptical arcs).
  const double phi = arc.rotationDegrees * std::numbers::pi / 180;
  const double cosPhi = std::cos(phi);
  const double sinPhi = std::sin(phi);
  const double hx = (arc.from.x - arc.to.x) / 2;
  const double hy = (arc.from.y - arc.to.y) / 2;
  const double x1 = cosPhi * hx + sinPhi * hy;
  const double y1 = -sinPhi * hx + cosPhi * hy;
  const double reach = x1 * x1 / (rx * rx) + y1 * y1 / (ry * ry);
  if (reach > 1) {  // radii too small for the end points: scaled up, as SVG requires
    rx *= std::sqrt(reach);
    ry *= std::sqrt(reach);
  }
  const double numerator = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
  const double denominator = rx * rx * y1 * y1 + ry * ry * x1 * x1;
  double root = std::sqrt(std::max(0.0, numerator / denominator));
  if (arc.largeArc == arc.sweep) root = -root;
  const double cx1 = root * rx * y1 / ry;
  const double cy1 = -root * ry * x1 / rx;
  const double cx = cosPhi * cx1 - sinPhi * cy1 + (arc.from.x + arc.to.x) / 2;
  const double cy = sinPhi * cx1 + cosPhi * cy1 + (arc.from.y + arc.to.y) / 2;
  const double start = std::atan2((y1 - cy1) / ry, (x1 - cx1) / rx);
  double sweep = std::atan2((-y1 - cy1) / ry, (-x1 - cx1) / rx) - start;
  if (arc.sweep && sweep < 0) sweep += 2 * std::numbers::pi;
  if (!arc.sweep && sweep > 0) sweep -= 2 * std::numbers::pi;

  // On the page: E(t) = C + A cos t + B sin t, so |E''| = |A cos t + B sin t|
  // <= sqrt(|A|^2 + |B|^2).
  const host::Point axisA{toPage.a * cosPhi * rx + toPage.c * sinPhi * rx,
                          toPage.b * cosPhi * rx + toPage.d * sinPhi * rx};
  const host::Point axisB{-toPage.a * sinPhi * ry + toPage.c * cosPhi * ry,
                          -toPage.b * sinPhi * ry + toPage.d * cosPhi * ry};
  const double bend =
      std::sqrt(axisA.x * axisA.x + axisA.y * axisA.y + axisB.x * axisB.x + axisB.y * axisB.y);
  const std::size_t steps = stepsFor(bend, std::abs(sweep), tolerance);
  for (std::size_t i = 1; i < steps; ++i) {
    const double t = start + sweep * static_cast<double>(i) / static_cast<double>(steps);
    const double ux = rx * std::cos(t);
    const double uy = ry * std::sin(t);
    out.push_back(toPage.apply(cx + cosPhi * ux - sinPhi * uy, cy + sinPhi * ux + cosPhi * uy));
  }
  out.push_back(end);
}

}  // namespace corvane::standin::svg
