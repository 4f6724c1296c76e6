// Fuzzes the reader and both writers, with the corner options, in both
// dialects. The first three bytes choose the options; the rest is job text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <array>
#include <vector>

#include "output/engine/plt_converter.h"
#include "output/engine/plt_parser.h"
#include "output/preview/stream_trace.h"

namespace {

class SilentOperator final : public corvane::Operator {
 public:
  void tell(corvane::MessageKind, std::string_view) override {}
  bool askOkCancel(std::string_view) override { return false; }
};

// 0..63.75 mm in quarter millimetres; 255 asks for a distance near the
// coordinate limit.
double millimetres(std::uint8_t byte) { return byte == 255 ? 5.0e7 : byte / 4.0; }

void expect(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const auto dialect = (data[0] & 1) != 0 ? corvane::Dialect::Dmpl : corvane::Dialect::Hpgl;
  const double angle = millimetres(data[1]);
  const double closed = millimetres(data[2]);
  const std::string_view text(reinterpret_cast<const char*>(data) + 3, size - 3);

  SilentOperator op;
  corvane::PltConverter job(op);
  job.readPltText(text);

  // Reading in two pieces, split anywhere, gives the same model.
  {
    std::vector<corvane::PathPoint> points;
    corvane::JobCommand command;
    corvane::PltParser parser(points, command);
    const std::size_t split = data[0] % (text.size() + 1);
    parser.feed(text.substr(0, split));
    parser.feed(text.substr(split));
    parser.finish();
    expect(points == job.points());
  }

  // Reading in two sections joined after a command boundary, as large files
  // are read, gives the same model and job numbers too.
  if (const std::size_t semicolon = text.find(';', data[1] % (text.size() + 1));
      semicolon != std::string_view::npos) {
    std::vector<corvane::PathPoint> points;
    corvane::JobCommand command;
    corvane::PltParser first(points, command);
    first.feed(text.substr(0, semicolon + 1));
    first.finish();
    std::vector<corvane::PathPoint> section;
    corvane::JobCommand sectionCommand;
    corvane::PltParser second = corvane::PltParser::forSection(section, sectionCommand);
    second.feed(text.substr(semicolon + 1));
    second.finish();
    corvane::joinSection(points, command, first.state(), section, sectionCommand, second);
    expect(points == job.points());
    expect(command.params == std::array{job.param1(), job.param2(), job.param3(), job.param4()});
    expect(command.tbSeen == job.tbSeen() && command.dbSeen == job.dbSeen());
  }

  job.applyMarkOffset(job.param3(), job.param4());
  job.computeBounds();
  corvane::StringSink plain;
  if (job.writePlain(plain, corvane::Dialect::Hpgl)) {
    expect(plain.text.rfind("IN;PA;PU0,0;", 0) == 0);
    corvane::PltConverter corners(op);
    corners.readPltText(plain.text);
    if (corners.setCornerDistances(angle, closed)) {
      corvane::StringSink stream;
      expect(corners.writeWithCorners(stream, dialect));
      corvane::traceStream(stream.text);
    }
  }

  // The corner writer straight on the reader's model: any geometry at all.
  if (job.setCornerDistances(angle, closed)) {
    corvane::StringSink stream;
    expect(job.writeWithCorners(stream, dialect));
  }
  return 0;
}
