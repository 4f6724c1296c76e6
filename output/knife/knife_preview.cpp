#include "output/knife/knife_preview.h"

#include <fstream>
#include <iterator>
#include <string>

#include "output/engine/byte_sink.h"
#include "output/engine/plt_converter.h"

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
                                                     std::optional<double> closedMm, double bladeMm,
                                                     double headingDegrees) {
  std::ifstream in(plainFile, std::ios::binary);
  if (!in) return std::nullopt;
  const std::string plain((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  if (!angleMm && !closedMm) {
    // The plain stream holds the intermediate file's points; only the
    // dialect's words differ, which the knife does not see.
    return simulateStream(plain, plain, bladeMm, headingDegrees);
  }
  QuietOperator op;
  PltConverter corners(op);
  corners.readPltText(plain);
  if (!corners.setCornerDistances(angleMm.value_or(0.0), closedMm.value_or(0.0))) {
    return std::nullopt;
  }
  StringSink stream;
  if (!corners.writeWithCorners(stream, dialect)) return std::nullopt;
  return simulateStream(stream.text, plain, bladeMm, headingDegrees);
}

}  // namespace corvane
