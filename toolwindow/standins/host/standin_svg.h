#pragma once

// A picture of a page's layers, to look at what a command drew.

#include <string>
#include <vector>

#include "toolwindow/standins/host/standin_host.h"

namespace corvane::standin {

// SVG in millimetres with y upwards, 10 mm of white around the drawing;
// each layer a group in the host's order, each shape in its outline colour
// and width (at least 0.1 mm, to stay visible), bitmaps as grey pixels.
std::string svgOf(const std::vector<LayerView>& layers);

}  // namespace corvane::standin
