#include "output/engine/plt_parser.h"

#include <algorithm>

#include "common/job_contract.h"
#include "output/engine/saturate.h"

namespace corvane {

namespace {

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }
inline bool isNumberByte(char c) { return isDigit(c) || c == '-'; }
inline bool isCoordinateSeparator(char c) { return c == ',' || c == ' ' || c == ';'; }

}  // namespace

void PltParser::Number::append(char c) {
  switch (state_) {
    case State::Empty:
      if (c == '-') {
        negative_ = true;
        state_ = State::Sign;
      } else {
        magnitude_ = c - '0';
        state_ = State::Digits;
      }
      break;
    case State::Sign:
      if (c == '-') {
        state_ = State::Stopped;
      } else {
        magnitude_ = c - '0';
        state_ = State::Digits;
      }
      break;
    case State::Digits:
      if (c == '-') {
        state_ = State::Stopped;
      } else {
        appendDigits(&c, &c + 1);
      }
      break;
    case State::Stopped:
      break;
  }
}

std::int32_t PltParser::Number::value() const {
  return saturateToInt32(negative_ ? -magnitude_ : magnitude_);
}

PltParser::PltParser(std::vector<PathPoint>& points, JobCommand& job)
    : points_(points), job_(job), commandStartCount_(points.size()) {}

PltParser PltParser::forSection(std::vector<PathPoint>& points, JobCommand& job) {
  PltParser parser(points, job);
  parser.stateUnknown_ = true;
  return parser;
}

void PltParser::feed(std::string_view chunk) {
  const char* p = chunk.data();
  const char* const end = p + chunk.size();
  while (p != end) {
    if (mode_ == Mode::Coordinates) {
      p = scanCoordinates(p, end);
      continue;
    }
    const char c = *p++;
    if (c == '\r' || c == '\n') continue;
    ++length_;
    switch (mode_) {
      case Mode::Head:
        if (length_ == 1) {
          head_ = c;
        } else {
          startCommand(head_, c);
        }
        break;
      case Mode::Coordinates:
        break;  // handled by scanCoordinates
      case Mode::Numbers:
        numberByte(c);
        break;
      case Mode::Skip:
        break;
    }
    if (c == ';') endCommand();
  }
}

void PltParser::finish() {
  if (length_ == 0) return;
  // The input ended inside a command: it was never complete, so it has no
  // effect. Only a coordinate list can have added points by now.
  points_.resize(commandStartCount_);
  if (points_.empty()) firstPointHeld_ = false;  // the held point went with it
  prevX_ = commandStartX_;
  prevY_ = commandStartY_;
  lastWasPenUp_ = commandStartPenUp_;
  mode_ = Mode::Head;
  length_ = 0;
}

void PltParser::startCommand(char first, char second) {
  if (first == 'P' && (second == 'U' || second == 'D')) {
    mode_ = Mode::Coordinates;
    penUpList_ = second == 'U';
  } else if (const job::Instruction instruction = job::instructionNamed(first, second);
             instruction == job::Instruction::Db || instruction == job::Instruction::Tb) {
    mode_ = Mode::Numbers;
    isTb_ = instruction == job::Instruction::Tb;
  } else {
    mode_ = Mode::Skip;
  }
}

void PltParser::endCommand() {
  // A point needs two separators after the two head bytes, so a command too
  // short to be interpreted can never have added one; only the job numbers
  // wait for the length check.
  if (mode_ == Mode::Numbers && length_ >= 4) {
    (isTb_ ? job_.tbSeen : job_.dbSeen) = true;
    const std::size_t stored = std::min<std::size_t>(numbersEnded_, job_.params.size());
    std::copy_n(pendingParams_.begin(), stored, job_.params.begin());
    std::fill_n(paramsWritten_.begin(), stored, true);
  }
  mode_ = Mode::Head;
  length_ = 0;
  readingX_ = true;
  x_.clear();
  y_.clear();
  numbersEnded_ = 0;
  commandStartCount_ = points_.size();
  commandStartX_ = prevX_;
  commandStartY_ = prevY_;
  commandStartPenUp_ = lastWasPenUp_;
}

const char* PltParser::scanCoordinates(const char* p, const char* const end) {
  // Locals keep the loop in registers. A coordinate list needs no length
  // count: a command too short to be read cannot complete a point.
  bool readingX = readingX_;
  Number x = x_;
  Number y = y_;
  while (p != end) {
    const char c = *p;
    if (isDigit(c)) {
      p = readingX ? x.appendDigits(p, end) : y.appendDigits(p, end);
      continue;
    }
    ++p;
    if (isCoordinateSeparator(c)) {
      // Every separator switches between X and Y; the second completes a point.
      if (readingX) {
        readingX = false;
      } else {
        recordPoint(x.value(), y.value());
        x.clear();
        y.clear();
        readingX = true;
      }
      if (c == ';') {
        endCommand();
        return p;
      }
    } else if (c == '-') {
      (readingX ? x : y).append(c);
    }
  }
  readingX_ = readingX;
  x_ = x;
  y_ = y;
  return p;
}

void PltParser::numberByte(char c) {
  if (job::endsJobNumber(c)) {
    if (numbersEnded_ < pendingParams_.size()) pendingParams_[numbersEnded_] = x_.value();
    numbersEnded_ = std::min(numbersEnded_ + 1, pendingParams_.size());
    x_.clear();
  } else if (isNumberByte(c)) {
    x_.append(c);
  }
}

void PltParser::recordPoint(std::int32_t x, std::int32_t y) {
  if (stateUnknown_) {
    stateUnknown_ = false;
    if (!penUpList_) {
      points_.push_back({x, y, 0});
      firstPointHeld_ = true;
      lastWasPenUp_ = false;
      prevX_ = x;
      prevY_ = y;
      return;
    }
  }
  const bool samePlace = x == prevX_ && y == prevY_;
  if (penUpList_) {
    points_.push_back({x, y, 1});
    lastWasPenUp_ = true;
  } else if (lastWasPenUp_) {
    lastWasPenUp_ = false;
    if (!samePlace) points_.push_back({prevX_, prevY_, 0});
    points_.push_back({x, y, 0});
  } else if (!samePlace) {
    points_.push_back({x, y, 0});
  }
  prevX_ = x;
  prevY_ = y;
}

void joinSection(std::vector<PathPoint>& points, JobCommand& job, const ReaderState& before,
                 const std::vector<PathPoint>& section, const JobCommand& sectionJob,
                 const PltParser& sectionParser) {
  auto from = section.begin();
  if (sectionParser.firstPointHeld()) {
    // Judge the held pen-down point as the one parser would have.
    const PathPoint& first = section.front();
    const bool samePlace = first.x == before.prevX && first.y == before.prevY;
    if (before.lastWasPenUp) {
      if (!samePlace) points.push_back({before.prevX, before.prevY, 0});
    } else if (samePlace) {
      ++from;
    }
  }
  points.insert(points.end(), from, section.end());

  job.tbSeen = job.tbSeen || sectionJob.tbSeen;
  job.dbSeen = job.dbSeen || sectionJob.dbSeen;
  for (std::size_t k = 0; k < job.params.size(); ++k) {
    if (sectionParser.paramsWritten()[k]) job.params[k] = sectionJob.params[k];
  }
}

}  // namespace corvane
