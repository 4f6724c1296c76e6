#include "output/preview/svg_preview.h"

#include <charconv>
#include <cstdint>

#include "common/job_contract.h"

namespace corvane {

namespace {

constexpr double kUnitsPerMm = job::kPlotterUnitsPerMm;
constexpr double kMarginMm = 5.0;

void appendNumber(std::string& out, double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

std::string numberText(double value) {
  std::string text;
  appendNumber(text, value);
  return text;
}

void appendPoint(std::string& out, char command, std::int32_t x, std::int32_t y) {
  appendSvgPoint(out, command, x, y);
}

}  // namespace

void appendSvgPoint(std::string& out, char command, double x, double y) {
  out += command;
  appendNumber(out, x / kUnitsPerMm);
  out += ',';
  // SVG's Y axis points down. (0.0 - keeps a zero from printing as "-0".)
  appendNumber(out, 0.0 - y / kUnitsPerMm);
  out += ' ';
}

std::string renderSvgPreview(const StreamTrace& trace, std::string_view under,
                             std::string_view over) {
  const double left = trace.minX / kUnitsPerMm - kMarginMm;
  const double top = -trace.maxY / kUnitsPerMm - kMarginMm;
  const double width = (static_cast<double>(trace.maxX) - trace.minX) / kUnitsPerMm + 2 * kMarginMm;
  const double height =
      (static_cast<double>(trace.maxY) - trace.minY) / kUnitsPerMm + 2 * kMarginMm;

  std::string cuts;
  std::string travel;
  bool cutOpen = false;
  std::int32_t atX = 0;
  std::int32_t atY = 0;
  for (const TraceSegment& s : trace.segments) {
    if (s.cut) {
      if (!cutOpen || s.x0 != atX || s.y0 != atY) appendPoint(cuts, 'M', s.x0, s.y0);
      appendPoint(cuts, 'L', s.x1, s.y1);
      cutOpen = true;
    } else {
      appendPoint(travel, 'M', s.x0, s.y0);
      appendPoint(travel, 'L', s.x1, s.y1);
      cutOpen = false;
    }
    atX = s.x1;
    atY = s.y1;
  }

  const std::string w = numberText(width);
  const std::string h = numberText(height);
  const std::string x = numberText(left);
  const std::string y = numberText(top);
  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"";
  svg += " width=\"" + w + "mm\" height=\"" + h + "mm\" viewBox=\"" + x + ' ' + y + ' ' + w + ' ' +
         h + "\">\n";
  svg += "<rect x=\"" + x + "\" y=\"" + y + "\" width=\"" + w + "\" height=\"" + h +
         "\" fill=\"white\"/>\n";
  svg += under;
  svg +=
      "<path fill=\"none\" stroke=\"#999999\" stroke-width=\"0.2\" stroke-dasharray=\"1 1\" d=\"";
  svg += travel;
  svg += "\"/>\n<path fill=\"none\" stroke=\"#0040c0\" stroke-width=\"0.3\" d=\"";
  svg += cuts;
  svg += "\"/>\n";
  svg += over;
  svg += "</svg>\n";
  return svg;
}

}  // namespace corvane
