#pragma once

// Reader of the job-file dialect: the small HPGL subset that the tool window's
// job file and our own intermediate file contain.
//
//   - Commands end at ';'. CR and LF are dropped wherever they stand, even
//     inside a number. A command shorter than 4 bytes (';' included) is
//     ignored, so "PU;" does nothing while "TB1;" is read.
//   - A command is known by its first two bytes, case-sensitive: PU and PD
//     carry coordinate lists, TB and DB carry the four job numbers. Every
//     other command (IN, PA, SP, PG, SB, ...) is skipped.
//   - In a coordinate list each ',', ' ' or ';' switches between X and Y;
//     separators are not merged. Only digits and '-' make up a number; other
//     bytes are skipped, so "12.5" reads as 125. A number is an optional
//     leading '-' followed by digits ("1-2" is 1); an empty one is 0; one
//     beyond the 32-bit range saturates.
//   - TB/DB numbers end at ',' or ';' only (blanks do not end them); the
//     first four are kept.
//   - A pen-down list that follows a pen-up at another position starts with
//     a pen-down copy of that position; a pen-down point equal to the one
//     before it is dropped.
//
// The parser is fed in chunks of any size and keeps no command text, so a
// command of any length is read whole. A command still open at the end of
// the input is not interpreted.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "output/engine/path_point.h"

namespace corvane {

// What the TB and DB commands told: flags and the first four numbers of the
// last one read.
struct JobCommand {
  bool tbSeen = false;
  bool dbSeen = false;
  std::array<std::int32_t, 4> params{};
};

// Where the reader stands between two commands.
struct ReaderState {
  std::int32_t prevX = 0;
  std::int32_t prevY = 0;
  bool lastWasPenUp = false;
};

class PltParser {
 public:
  // Appends points to `points` and updates `job` as commands are read.
  PltParser(std::vector<PathPoint>& points, JobCommand& job);

  // A parser for a section of text that starts at a command boundary after
  // text it has not seen. Its first pen-down point cannot be judged without
  // what came before; joinSection() settles it.
  static PltParser forSection(std::vector<PathPoint>& points, JobCommand& job);

  void feed(std::string_view chunk);
  // Ends the input: drops whatever an unterminated last command added.
  void finish();

  ReaderState state() const { return {prevX_, prevY_, lastWasPenUp_}; }
  // The section's first point is a pen-down point recorded as it stands.
  bool firstPointHeld() const { return firstPointHeld_; }
  // Which of the job numbers the text read so far has set.
  const std::array<bool, 4>& paramsWritten() const { return paramsWritten_; }

 private:
  enum class Mode : std::uint8_t { Head, Coordinates, Numbers, Skip };

  // A decimal number built one byte at a time, saturating.
  class Number {
   public:
    void append(char c);
    // Consumes the run of digits that starts at p; returns where it ends.
    const char* appendDigits(const char* p, const char* end) {
      std::int64_t m = state_ == State::Digits ? magnitude_ : 0;
      do {
        const std::int64_t next = m * 10 + (*p - '0');
        m = next < kCap ? next : kCap;  // further digits keep it at the cap
        ++p;
      } while (p != end && *p >= '0' && *p <= '9');
      if (state_ != State::Stopped) {
        magnitude_ = m;
        state_ = State::Digits;
      }
      return p;
    }
    std::int32_t value() const;
    void clear() { *this = Number(); }

   private:
    static constexpr std::int64_t kCap = std::int64_t{1} << 31;
    enum class State : std::uint8_t { Empty, Sign, Digits, Stopped };
    State state_ = State::Empty;
    bool negative_ = false;
    std::int64_t magnitude_ = 0;
  };

  // The hot loop: a coordinate list up to its ';' or the end of the chunk.
  const char* scanCoordinates(const char* p, const char* end);
  void startCommand(char first, char second);
  void endCommand();
  void numberByte(char c);
  void recordPoint(std::int32_t x, std::int32_t y);

  std::vector<PathPoint>& points_;
  JobCommand& job_;
  std::array<bool, 4> paramsWritten_{};
  bool stateUnknown_ = false;
  bool firstPointHeld_ = false;

  // Reader state carried from command to command.
  std::int32_t prevX_ = 0;
  std::int32_t prevY_ = 0;
  bool lastWasPenUp_ = false;

  // The command being read.
  Mode mode_ = Mode::Head;
  std::size_t length_ = 0;  // bytes so far, CR and LF not counted
  char head_ = 0;
  bool penUpList_ = false;
  bool isTb_ = false;
  bool readingX_ = true;
  Number x_;
  Number y_;
  std::size_t numbersEnded_ = 0;
  std::array<std::int32_t, 4> pendingParams_{};

  // State at the start of the current command, restored by finish() when the
  // input ends inside it.
  std::size_t commandStartCount_ = 0;
  std::int32_t commandStartX_ = 0;
  std::int32_t commandStartY_ = 0;
  bool commandStartPenUp_ = false;
};

// Appends a section read by a forSection() parser to the points and job read
// before it, exactly as if one parser had read both texts in order.
void joinSection(std::vector<PathPoint>& points, JobCommand& job, const ReaderState& before,
                 const std::vector<PathPoint>& section, const JobCommand& sectionJob,
                 const PltParser& sectionParser);

}  // namespace corvane
