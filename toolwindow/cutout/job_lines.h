#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The job instruction lines the output program takes the job's origin and
// frame from. Numbers are plotter units, 40 to the millimetre.
namespace corvane::toolwindow {

inline constexpr double kPlotterUnitsPerMm = 40.0;

// A length in plotter units taken down to the next integer toward minus
// infinity; nothing when it is not a finite number a job line can hold.
std::optional<std::int32_t> FloorPlotterUnits(double units);

// "DB0,0,x,y;" with CR LF: the reference corner of a Cut/Plot job.
std::string DbLine(std::int32_t x, std::int32_t y);

// "TBw,h,r,b;" with CR LF: the frame of the registration marks.
std::string TbLine(std::int32_t width, std::int32_t height, std::int32_t right,
                   std::int32_t bottom);

// "SBn;" with CR LF: the multiple-mark count.
std::string SbLine(std::int32_t count);

}  // namespace corvane::toolwindow
