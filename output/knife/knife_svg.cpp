#include "output/knife/knife_svg.h"

#include <charconv>
#include <string_view>

#include "output/preview/svg_preview.h"

namespace corvane {

namespace {

void appendNumber(std::string& out, double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

std::string polylines(const std::vector<KnifeRun>& runs) {
  std::string d;
  for (const KnifeRun& run : runs) {
    appendSvgPoint(d, 'M', run.front().x, run.front().y);
    // A dot is drawn as a round-capped line of no length.
    if (run.size() == 1) appendSvgPoint(d, 'L', run.front().x, run.front().y);
    for (std::size_t i = 1; i < run.size(); ++i) appendSvgPoint(d, 'L', run[i].x, run[i].y);
  }
  return d;
}

void appendPath(std::string& svg, std::string_view colour, std::string_view width,
                const std::vector<KnifeRun>& runs) {
  svg += "<path fill=\"none\" stroke=\"";
  svg += colour;
  svg += "\" stroke-width=\"";
  svg += width;
  svg += "\" stroke-linecap=\"round\" stroke-linejoin=\"round\" d=\"";
  svg += polylines(runs);
  svg += "\"/>\n";
}

void appendMark(std::string& svg, std::string_view colour, std::string_view what,
                const FarthestPoint& point) {
  std::string at;
  appendSvgPoint(at, ' ', point.at.x, point.at.y);
  const std::size_t comma = at.find(',');
  const std::string x = at.substr(1, comma - 1);
  const std::string y = at.substr(comma + 1, at.size() - comma - 2);
  const double mm = point.distance / kKnifeUnitsPerMm;
  svg += "<circle cx=\"" + x + "\" cy=\"" + y + "\" r=\"1\" fill=\"none\" stroke=\"";
  svg += colour;
  svg += "\" stroke-width=\"0.2\"/>\n<text x=\"" + x + "\" y=\"" + y +
         "\" dx=\"1.3\" dy=\"-1.3\" font-family=\"sans-serif\" font-size=\"2\" fill=\"";
  svg += colour;
  svg += "\">";
  svg += what;
  svg += ' ';
  appendNumber(svg, static_cast<double>(static_cast<long long>(mm * 1000 + 0.5)) / 1000);
  svg += " mm</text>\n";
}

}  // namespace

std::string renderSvgSimulation(const KnifeSimulation& simulation) {
  std::string under;
  appendPath(under, "#b0b0b0", "0.1", simulation.design);
  std::string over;
  appendPath(over, "#e00000", "0.12", simulation.cut.runs);
  appendMark(over, "#ff8000", "miss", simulation.figures.miss);
  appendMark(over, "#c000c0", "overshoot", simulation.figures.overshoot);
  return renderSvgPreview(simulation.holder, under, over);
}

}  // namespace corvane
