#include "bench/job_generator.h"

#include <cmath>
#include <random>

namespace corvane::bench {

namespace {

class JobText {
 public:
  explicit JobText(unsigned seed) : random_(seed) {}

  std::size_t points() const { return points_; }
  std::string& text() { return text_; }

  // One closed outline: straight strokes with sharp corners mixed with
  // curved stretches of short segments, as lettering exports.
  void outline(std::size_t maxPoints) {
    std::uniform_int_distribution<int> origin(2000, 38000);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    double x = origin(random_);
    double y = origin(random_);
    double heading = unit(random_) * 6.283;
    const int startX = static_cast<int>(x);
    const int startY = static_cast<int>(y);
    text_ += "PU" + std::to_string(startX) + "," + std::to_string(startY) + ";\r\nPD";
    std::size_t written = 0;
    const std::size_t target = std::min<std::size_t>(maxPoints, 20 + random_() % 300);
    while (written + 1 < target) {
      if (unit(random_) < 0.3) {
        // A straight stroke ending in a sharp turn.
        const double length = 200 + unit(random_) * 3000;
        x += length * std::cos(heading);
        y += length * std::sin(heading);
        heading += (unit(random_) < 0.5 ? 1 : -1) * (0.6 + unit(random_) * 2.2);
        point(x, y, written);
      } else {
        // A curve: many short segments turning a little each.
        const int segments = 5 + static_cast<int>(random_() % 40);
        const double step = 5 + unit(random_) * 50;
        const double bend = (unit(random_) - 0.5) * 0.3;
        for (int i = 0; i < segments && written + 1 < target; ++i) {
          x += step * std::cos(heading);
          y += step * std::sin(heading);
          heading += bend;
          point(x, y, written);
        }
      }
    }
    text_ += std::to_string(startX) + "," + std::to_string(startY) + ";\r\n";
    points_ += written + 2;
  }

 private:
  void point(double x, double y, std::size_t& written) {
    text_ += std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y)) + ",";
    ++written;
  }

  std::mt19937 random_;
  std::string text_;
  std::size_t points_ = 0;
};

}  // namespace

std::string generateJob(std::size_t points, unsigned seed) {
  JobText job(seed);
  job.text().reserve(points * 12 + 64);
  job.text() += "IN;PA;SP1;\r\n";
  while (job.points() < points) job.outline(points - job.points());
  job.text() += "PU0,0;SP0;\r\nDB0,0,48000,-400;\r\n";
  return std::move(job.text());
}

}  // namespace corvane::bench
