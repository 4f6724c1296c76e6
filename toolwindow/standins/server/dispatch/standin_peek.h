#pragma once

// What the automation members read or set on the stand-in's objects that
// the DrawingHost operations have no call for: getters of properties the
// tool window only ever puts, the colour inside a colour handle, closing a
// subpath. These look inside the stand-in's handles and are no host calls:
// they are not logged and cannot be made to fail.

#include <cstdint>
#include <optional>
#include <string>

#include "toolwindow/host/host_handles.h"
#include "toolwindow/standins/host/standin_host.h"

namespace corvane::standin_server {

bool layerPrintable(const host::Layer& layer);
std::string shapeName(const host::Shape& shape);
double outlineWidth(const host::Shape& shape);
standin::Cmyk outlineColour(const host::Shape& shape);
standin::Cmyk colourOf(const host::Colour& colour);
// The shape's box in its document's units, as the range of it alone gives
// it; nothing for a shape that is not the stand-in's or has no points.
std::optional<host::Box> shapeBox(const host::Shape& shape);
// The document's measuring state: the origin in its current units.
struct DocumentUnits {
  double originX = 0;
  double originY = 0;
  std::int32_t unitCode = 1;
  std::int32_t referenceCode = 9;
};
DocumentUnits documentUnits(const host::Document& document);
// Marks the subpath closed; a last point on the first is dropped, as a
// closed path does not repeat it.
void closeSubpath(const host::Subpath& subpath);

}  // namespace corvane::standin_server
