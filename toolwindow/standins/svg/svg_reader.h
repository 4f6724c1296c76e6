#pragma once

// Reading an SVG drawing into layers of shapes in page millimetres.
//
// Accepted: the root svg element with width and height in mm, cm, in, pt,
// pc or px (96 per inch; a plain number is px) and an optional viewBox with
// preserveAspectRatio; g, a and nested svg elements with their transforms;
// the shapes path, rect, circle, ellipse, line, polyline and polygon with
// every path command, flattened to within kFlatnessMm. The parsing of
// attribute values (path data, transforms, lengths, styles) is SVG++'s,
// over libxml2.
//
// - Each shape becomes one shape named by its id, or "Curve N" for the Nth
//   shape of the document. Its subpaths stay apart; a subpath is closed by
//   z, or, when the shape is filled, by the fill itself.
// - A g element with inkscape:groupmode="layer" is a layer named by its
//   inkscape:label (or its id); shapes outside every layer lie on
//   "Layer 1". Other groups only carry their transform and style down.
// - Elements with display:none, and with visibility hidden or collapse, are
//   not shapes. defs, symbols, clip paths, masks, patterns, markers and
//   images draw nothing to cut.
// - text, and use elements (clones), are left out with a notice: they must
//   be converted to paths (or unlinked) before cutting.
// Fails, with the reason, when the file is not XML, its root is not svg, it
// has no size on paper, or a value that shapes depend on cannot be read.

#include <string>

#include "toolwindow/host/host_result.h"
#include "toolwindow/standins/svg/svg_drawing.h"

namespace corvane::standin::svg {

host::HostResult<SvgDrawing> readSvgDrawing(std::string text);

}  // namespace corvane::standin::svg
