#pragma once

// An SVG drawing as the stand-in host opens it: its layers of shapes in
// page millimetres, and what the print file needs to put marks back into
// the drawing's own coordinates.
//
// Page millimetres are those of the stand-in's documents: origin at the
// sheet's bottom-left corner, y upwards. The sheet is the root element's
// width by height; a point (u, v) of the root's user units lies at
//   x = k (scaleX u + translateX),  y = heightMm - k (scaleY v + translateY)
// with k = 25.4 / 96 millimetres per CSS pixel.

#include <string>
#include <vector>

#include "toolwindow/host/drawing_host.h"
#include "toolwindow/standins/host/standin_host.h"

namespace corvane::standin::svg {

inline constexpr double kMmPerPixel = 25.4 / 96.0;
// How far a flattened curve may stray from the drawn one.
inline constexpr double kFlatnessMm = 0.01;

struct SvgShape {
  std::string name;  // the element's id, or "Curve N"
  std::vector<Path> paths;
};

struct SvgLayer {
  std::string name;
  std::vector<SvgShape> shapes;  // bottom to top
};

// The root's mapping of user units onto the sheet (its viewBox).
struct RootMapping {
  double scaleX = 1;
  double scaleY = 1;
  double translateX = 0;  // CSS pixels
  double translateY = 0;
  double widthMm = 0;
  double heightMm = 0;

  host::Point toPage(double u, double v) const;
  host::Point toUser(const host::Point& page) const;
  // A length of the sheet in user units (the mean of both axes' scales).
  double userLength(double mm) const;
};

struct SvgDrawing {
  std::string text;  // the file as it was read
  RootMapping root;
  std::vector<SvgLayer> layers;  // document order: bottom to top
  // What was left out and why, one line each ("text must be converted to
  // paths before cutting: title").
  std::vector<std::string> notices;
  std::vector<std::string> ids;  // every id of the document
};

}  // namespace corvane::standin::svg
