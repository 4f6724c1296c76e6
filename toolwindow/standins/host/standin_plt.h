#pragma once

// HPGL drawings: the stand-in's PLT export filter, and reading a drawing
// file into paths.
//
// The filter writes, one command a line (CR LF):
//   IN;PA;SP1;            initialise, absolute coordinates, pen 1
//   PUx,y;                a move to the start of each path
//   PDx,y,x,y,...;        the path; a closed one ends back at its start
//   PU;SP0;               lift the pen and put it away
// Coordinates are integers: page millimetres x PlotterUnits / 25.4 x
// ScaleFactor / 100, so 40 per millimetre at the tool window's settings.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "toolwindow/host/host_result.h"
#include "toolwindow/standins/host/standin_geometry.h"

namespace corvane::standin {

// The five settings of the PLT filter, at the filter's own defaults.
struct PltSettings {
  double scaleFactor = 100.0;        // per cent
  std::int16_t plotterUnits = 1016;  // per inch
  double curveResolution = 0.02;     // inches: how far the written line may stray
  bool removeHiddenLines = false;    // leave out lines under closed shapes above them
  bool automaticWeld = false;        // write the union of the closed shapes
};

// Shapes bottom to top.
std::string pltText(const std::vector<geometry::Paths>& shapes, const PltSettings& settings);

// The pen-down runs of an HPGL drawing in millimetres at 40 plotter units
// each; a run that ends where it began is closed. Reads PU, PD, PA and PR
// with their coordinates (decimals allowed) and skips every other command.
// Fails when the text holds no pen-down line.
host::HostResult<std::vector<Path>> readPltRuns(std::string_view text);

}  // namespace corvane::standin
