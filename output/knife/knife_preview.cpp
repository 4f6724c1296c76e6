#include "output/knife/knife_preview.h"

#include <fstream>
#include <iterator>
#include <string>

#include "output/engine/byte_sink.h"
#include "output/engine/plt_converter.h"
#include "output/order/order_job.h"

namespace corvane {

namespace {

// The preview is no place for the writers' messages: the operator sees
// them when pressing Output.
class QuietOperator final : public Operator {
 public:
  void tell(MessageKind, std::string_view) override {}
  bool askOkCancel(std::string_view) override { return false; }
};

}  // namespace

std::optional<KnifeSimulation> simulateCornerOptions(const std::filesystem::path& plainFile,
                                                     Dialect dialect, std::optional<double> angleMm,
                                                     std::optional<double> closedMm,
                                                     bool inCuttingOrder, double bladeMm,
                                                     double headingDegrees) {
  std::ifstream in(plainFile, std::ios::binary);
  if (!in) return std::nullopt;
  const std::string plain((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  QuietOperator op;
  PltConverter corners(op);
  if (!angleMm && !closedMm) {
    // The plain stream holds the intermediate file's points; only the
    // dialect's words differ, which the knife does not see.
    if (!inCuttingOrder) return simulateStream(plain, plain, bladeMm, headingDegrees);
    // Ordered as the intermediate file's points are on the corner road,
    // which cuts in the same order; written in the file's own axes.
    corners.readPltText(plain);
    putInCuttingOrder(corners, true);
    StringSink stream;
    CommandWriter out(stream, dialect);
    out.header();
    for (const PathPoint& p : corners.points()) {
      if (p.penUp) {
        out.penUp(p.x, p.y);
      } else {
        out.penDown(p.x, p.y);
      }
    }
    out.trailer();
    if (!out.flush()) return std::nullopt;
    return simulateStream(stream.text, plain, bladeMm, headingDegrees);
  }
  corners.readPltText(plain);
  if (inCuttingOrder) putInCuttingOrder(corners, true);
  if (!corners.setCornerDistances(angleMm.value_or(0.0), closedMm.value_or(0.0))) {
    return std::nullopt;
  }
  StringSink stream;
  if (!corners.writeWithCorners(stream, dialect)) return std::nullopt;
  return simulateStream(stream.text, plain, bladeMm, headingDegrees);
}

}  // namespace corvane
