#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What the tool window and the output program rely on of each other. They
// share nothing but files, one process start and two look-ups, so every
// name and the grammar of the job's instruction lines are spelled here
// only; one side changed alone would break the road without a word.
namespace corvane::job {

// The job: the host's plot export with the tool window's instruction lines.
inline constexpr std::string_view kJobFileName = "QuillonPro1.tmp";
// The output program's own files beside it: the job moved onto its
// reference corner, and the stream in the cutter's language.
inline constexpr std::string_view kPlainFileName = "QuillonPro2.tmp";
inline constexpr std::string_view kStreamFileName = "QuillonPro3.tmp";

// The output program's image, which the tool window starts from its own
// folder and the output program ends its other copies by.
inline constexpr std::string_view kOutputProgramImage = "CORVANE-OUT.exe";
// The tool window's caption; the output program starts only beside it.
inline constexpr std::string_view kToolWindowCaption = "CORVANE";
// The named mutex that allows one output program at a time.
inline constexpr std::string_view kInstanceMutexName = "QuillonOutput";

// The unit of the job file, of its instruction lines and of every
// coordinate of the output program: 1016 to the inch.
inline constexpr double kPlotterUnitsPerMm = 40.0;

// The instruction lines. Each is two letters, decimal integers (a '-' when
// negative) separated by ',', then ';' and CR LF:
//   DB0,0,x,y;  the reference corner of a Cut/Plot job
//   TBw,h,r,b;  the frame of a contour job's registration marks
//   SBn;        the mark count after TB, which the output program skips
// The reader takes the first four numbers of the last DB or TB line from
// anywhere in the file; inside a number it keeps only digits and '-', and
// only ',' and ';' end one.
enum class Instruction { None, Db, Tb, Sb };

inline constexpr char kNumberSeparator = ',';
inline constexpr char kInstructionEnd = ';';
// DB and TB carry this many numbers to the output program.
inline constexpr int kJobNumbers = 4;

std::string dbLine(std::int32_t x, std::int32_t y);
std::string tbLine(std::int32_t width, std::int32_t height, std::int32_t right,
                   std::int32_t bottom);
std::string sbLine(std::int32_t count);

// The instruction a command's first two bytes name, case-sensitive.
constexpr Instruction instructionNamed(char first, char second) {
  if (second != 'B') return Instruction::None;
  return first == 'D'   ? Instruction::Db
         : first == 'T' ? Instruction::Tb
         : first == 'S' ? Instruction::Sb
                        : Instruction::None;
}

// Whether a byte of a DB or TB line ends one of its numbers.
constexpr bool endsJobNumber(char c) { return c == kNumberSeparator || c == kInstructionEnd; }

}  // namespace corvane::job
