#pragma once

// What a single shape shares with ranges (shape_ranges.cpp): its shapes as
// a list, selecting a list, the [out] values of a box and the boundary
// command's parameters.

#include <vector>

#include "toolwindow/standins/server/object_model/served_object.h"

namespace corvane::standin_server {

// The shapes of a host's range, one RangeItem each; a made range's list
// when there is no handle.
host::HostResult<std::vector<host::Shape>> shapesOf(standin::StandInHost& stand,
                                                    const host::ShapeRange& range,
                                                    const std::vector<host::Shape>& made = {});
// Makes them the active document's selection.
host::HostStatus selectShapes(standin::StandInHost& stand, const std::vector<host::Shape>& shapes);
// GetBoundingBox's four [out] values: x, y of the lower-left corner, width,
// height.
void setBoxOuts(const Arguments& arguments, const host::Box& box);
// CustomCommand takes nothing, or one empty array, after its two texts.
host::HostStatus noParameters(const Arguments& arguments);

}  // namespace corvane::standin_server
