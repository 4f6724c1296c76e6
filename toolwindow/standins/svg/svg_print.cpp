#include "toolwindow/standins/svg/svg_print.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

namespace corvane::standin::svg {
namespace {

constexpr std::string_view kLayerId = "MarkLayer";
constexpr std::string_view kShapeId = "MarkLine";

// A nanometre-sized user unit is past any printer; rounding there keeps the
// numbers short (80, not 80.00000000000001).
std::string number(double value) {
  std::array<char, 32> text{};
  const double rounded = std::round(value * 1e9) / 1e9;
  const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), rounded);
  return error == std::errc() ? std::string(text.data(), end) : std::string("0");
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Where the root's end tag begins: after it come only comments, processing
// instructions and white space.
std::size_t rootEndTag(std::string_view text) {
  std::size_t end = text.size();
  for (;;) {
    while (end > 0 && isSpace(text[end - 1])) --end;
    const std::string_view before = text.substr(0, end);
    if (before.ends_with("-->")) {
      end = before.rfind("<!--");
    } else if (before.ends_with("?>")) {
      end = before.rfind("<?");
    } else {
      break;
    }
    if (end == std::string_view::npos) return std::string_view::npos;
  }
  const std::string_view before = text.substr(0, end);
  if (!before.ends_with('>')) return std::string_view::npos;
  const std::size_t open = before.rfind("</");
  if (open == std::string_view::npos) return open;
  // "</svg>" or "</svg:svg >": a name that ends in svg.
  std::string_view name = before.substr(open + 2, before.size() - open - 3);
  while (!name.empty() && isSpace(name.back())) name.remove_suffix(1);
  if (name != "svg" && !name.ends_with(":svg")) return std::string_view::npos;
  return open;
}

std::string marksLayer(const RootMapping& root, const std::vector<Path>& marks,
                       double outlineWidthMm) {
  std::string d;
  for (const Path& path : marks) {
    for (std::size_t i = 0; i < path.points.size(); ++i) {
      const host::Point at = root.toUser(path.points[i]);
      if (!d.empty()) d += ' ';
      d += (i == 0 ? "M " : "L ") + number(at.x) + ',' + number(at.y);
    }
    if (path.closed) d += " Z";
  }
  std::string out;
  out += "<g xmlns=\"http://www.w3.org/2000/svg\" ";
  out += "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" ";
  out += "id=\"" + std::string(kLayerId) + "\" inkscape:groupmode=\"layer\" inkscape:label=\"" +
         std::string(kLayerId) + "\">\n";
  out += "<path id=\"" + std::string(kShapeId) + "\" d=\"" + d +
         "\" fill=\"none\" stroke=\"#000000\" stroke-width=\"" +
         number(root.userLength(outlineWidthMm)) + "\" stroke-linecap=\"butt\"/>\n";
  out += "</g>\n";
  return out;
}

}  // namespace

host::HostResult<std::string> printFileText(const SvgDrawing& drawing,
                                            const std::vector<Path>& marks, double outlineWidthMm) {
  const auto failure = [](std::string why) {
    return host::HostError{"printFileText", "The print file cannot be made: " + std::move(why)};
  };
  for (const std::string_view id : {kLayerId, kShapeId}) {
    if (std::find(drawing.ids.begin(), drawing.ids.end(), id) != drawing.ids.end()) {
      return failure("the drawing already holds " + std::string(id) +
                     " (a print file?); print from the drawing itself");
    }
  }
  if (marks.empty()) return drawing.text;
  const std::size_t at = rootEndTag(drawing.text);
  if (at == std::string::npos) return failure("the drawing's svg element has no end tag");
  std::string text = drawing.text.substr(0, at);
  text += marksLayer(drawing.root, marks, outlineWidthMm);
  text += drawing.text.substr(at);
  return text;
}

}  // namespace corvane::standin::svg
