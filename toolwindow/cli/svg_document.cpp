#include "toolwindow/cli/svg_document.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "toolwindow/document/layer_names.h"
#include "toolwindow/standins/host/whole_file.h"
#include "toolwindow/standins/svg/svg_print.h"
#include "toolwindow/standins/svg/svg_reader.h"

namespace corvane::toolwindow {

bool IsSvgDrawing(const std::string& path) {
  if (path.size() < 4) return false;
  std::string ending = path.substr(path.size() - 4);
  std::transform(ending.begin(), ending.end(), ending.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ending == ".svg";
}

bool OpenSvgDrawing(standin::StandInHost& host, const std::string& path,
                    standin::svg::SvgDrawing& drawing) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "corvane: cannot open %s: The file cannot be opened.\n", path.c_str());
    return false;
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto read = standin::svg::readSvgDrawing(std::move(text));
  if (!read) {
    std::fprintf(stderr, "corvane: cannot open %s: %s\n", path.c_str(), read.error().text.c_str());
    return false;
  }
  drawing = std::move(read).value();
  for (const std::string& notice : drawing.notices) {
    std::fprintf(stderr, "corvane: %s: %s\n", path.c_str(), notice.c_str());
  }
  const auto slash = path.find_last_of('/');
  host.newDocument(path.substr(slash == std::string::npos ? 0 : slash + 1));
  std::size_t shapes = 0;
  for (const standin::svg::SvgLayer& layer : drawing.layers) {
    for (const standin::svg::SvgShape& shape : layer.shapes) {
      host.addShape(layer.name, shape.name, shape.paths);
      ++shapes;
    }
  }
  if (shapes == 0) {
    std::fprintf(stderr, "corvane: %s: the drawing has no shape to cut\n", path.c_str());
  }
  return true;
}

bool WriteSvgPrintFile(const standin::StandInHost& host, const standin::svg::SvgDrawing& drawing,
                       const std::string& path) {
  std::vector<standin::Path> marks;
  double outlineWidth = 0;
  for (const standin::LayerView& layer : host.layers()) {
    if (layer.name != kMarkLayer) continue;
    for (const standin::ShapeView& shape : layer.shapes) {
      marks.insert(marks.end(), shape.paths.begin(), shape.paths.end());
      outlineWidth = std::max(outlineWidth, shape.outlineWidth);
    }
  }
  // A mark off the sheet is not printed, and the cutter cannot find it.
  const auto offSheet = [&](const host::Point& p) {
    return p.x < 0 || p.y < 0 || p.x > drawing.root.widthMm || p.y > drawing.root.heightMm;
  };
  if (std::any_of(marks.begin(), marks.end(), [&](const standin::Path& mark) {
        return std::any_of(mark.points.begin(), mark.points.end(), offSheet);
      })) {
    std::fprintf(stderr,
                 "corvane: warning: registration marks lie off the %g x %g mm sheet: leave 22 mm "
                 "free around the artwork\n",
                 drawing.root.widthMm, drawing.root.heightMm);
  }
  if (marks.empty()) {
    std::fprintf(stderr,
                 "corvane: the document has no registration marks: %s holds the drawing alone\n",
                 path.c_str());
  }
  const auto text = standin::svg::printFileText(drawing, marks, outlineWidth);
  if (!text) {
    std::fprintf(stderr, "corvane: %s\n", text.error().text.c_str());
    return false;
  }
  if (const auto written = standin::writeWholeFile(path, text.value()); !written) {
    std::fprintf(stderr, "corvane: %s\n", written.error().text.c_str());
    return false;
  }
  return true;
}

}  // namespace corvane::toolwindow
