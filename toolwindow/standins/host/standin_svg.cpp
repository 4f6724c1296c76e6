#include "toolwindow/standins/host/standin_svg.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <system_error>

namespace corvane::standin {
namespace {

constexpr double kMarginMm = 10;
constexpr double kThinnestLineMm = 0.1;

std::string number(double value) {
  std::array<char, 32> text{};
  const double rounded = std::round(value * 1000) / 1000;  // a micron is enough to look at
  const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), rounded);
  return error == std::errc() ? std::string(text.data(), end) : std::string("0");
}

std::string escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string rgb(const Cmyk& colour) {
  const auto channel = [&](std::int32_t part) {
    const double value = 255.0 * (1 - part / 100.0) * (1 - colour.black / 100.0);
    return std::to_string(static_cast<int>(std::lround(value)));
  };
  return "rgb(" + channel(colour.cyan) + "," + channel(colour.magenta) + "," +
         channel(colour.yellow) + ")";
}

// The picture's coordinates: x as it is, y turned downwards.
std::string at(const host::Point& p) { return number(p.x) + " " + number(-p.y); }

std::string pathData(const std::vector<Path>& paths) {
  std::string d;
  for (const Path& path : paths) {
    for (std::size_t i = 0; i < path.points.size(); ++i) {
      d += (i == 0 ? "M" : " L") + at(path.points[i]);
    }
    if (path.closed) d += " Z";
    d += ' ';
  }
  return d;
}

std::string pixels(const BitmapMask& mask) {
  std::string out;
  forEachSetPixel(mask, [&](double x, double y) {
    out += "<rect x=\"" + number(x) + "\" y=\"" + number(-y) + "\" width=\"" +
           number(mask.pixelSize) + "\" height=\"" + number(mask.pixelSize) + "\" fill=\"#999\"/>";
  });
  return out;
}

}  // namespace

std::string svgOf(const std::vector<LayerView>& layers) {
  std::optional<host::Box> all;
  for (const LayerView& layer : layers) {
    for (const ShapeView& shape : layer.shapes) {
      const host::Box& b = shape.box;
      if (!all) all = b;
      all->left = std::min(all->left, b.left);
      all->right = std::max(all->right, b.right);
      all->top = std::max(all->top, b.top);
      all->bottom = std::min(all->bottom, b.bottom);
    }
  }
  const host::Box box = all.value_or(host::Box{0, 100, 100, 0});
  const double left = box.left - kMarginMm;
  const double top = box.top + kMarginMm;
  const double width = box.right - box.left + 2 * kMarginMm;
  const double height = box.top - box.bottom + 2 * kMarginMm;

  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + number(width) + "mm\" height=\"" +
         number(height) + "mm\" viewBox=\"" + number(left) + " " + number(-top) + " " +
         number(width) + " " + number(height) + "\">\n";
  out += "<rect x=\"" + number(left) + "\" y=\"" + number(-top) + "\" width=\"" + number(width) +
         "\" height=\"" + number(height) + "\" fill=\"white\"/>\n";
  for (const LayerView& layer : layers) {
    out += "<g data-layer=\"" + escaped(layer.name) + "\" data-printable=\"" +
           (layer.printable ? "true" : "false") + "\">\n";
    for (const ShapeView& shape : layer.shapes) {
      if (shape.bitmap) {
        out += "<g data-shape=\"" + escaped(shape.name) + "\">" + pixels(shape.mask) + "</g>\n";
        continue;
      }
      out += "<path data-shape=\"" + escaped(shape.name) + "\" d=\"" + pathData(shape.paths) +
             "\" fill=\"none\" stroke=\"" + rgb(shape.outline) + "\" stroke-width=\"" +
             number(std::max(shape.outlineWidth, kThinnestLineMm)) +
             "\" stroke-linejoin=\"round\"/>\n";
    }
    out += "</g>\n";
  }
  out += "</svg>\n";
  return out;
}

}  // namespace corvane::standin
