#pragma once

// Follows a cutter stream of ours (either dialect) the way the cutter does,
// so that a picture of the knife's path is made from the very bytes that go
// to the cutter. Understands pen-up and pen-down commands with coordinate
// pairs, "PUx,y;" and "PDx,y;" in HPGL, "Ux,y x,y " and "Dx,y x,y " in
// DM/PL; everything else is passed over.

#include <cstdint>
#include <string_view>
#include <vector>

namespace corvane {

struct TraceSegment {
  std::int32_t x0, y0, x1, y1;
  bool cut;  // false: the knife travels up
};

struct StreamTrace {
  std::vector<TraceSegment> segments;
  std::int32_t minX = 0, minY = 0, maxX = 0, maxY = 0;  // over every segment end and the origin
};

StreamTrace traceStream(std::string_view stream);

}  // namespace corvane
