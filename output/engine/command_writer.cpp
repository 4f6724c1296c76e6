#include "output/engine/command_writer.h"

#include <charconv>
#include <cstring>
#include <string_view>

namespace corvane {

namespace {

constexpr std::string_view kHpglHeader = "IN;PA;PU0,0;";
constexpr std::string_view kHpglTrailer = "PU0,0;!PG;";
constexpr std::string_view kDmplHeader = ";:H A L0 ECN U SP1;";
constexpr std::string_view kDmplTrailer = "U0,0 @ U0,0 @";

inline char* putNumber(char* out, std::int32_t value) {
  return std::to_chars(out, out + 11, value).ptr;
}

inline char* putPair(char* out, std::int32_t x, std::int32_t y) {
  out = putNumber(out, x);
  *out++ = ',';
  return putNumber(out, y);
}

}  // namespace

Dialect dialectForMachine(std::string_view machine) {
  return machine.substr(0, 2) == "RQ" ? Dialect::Dmpl : Dialect::Hpgl;
}

const char* dialectName(Dialect dialect) { return dialect == Dialect::Hpgl ? "HPGL" : "DM/PL"; }

CommandWriter::CommandWriter(ByteSink& sink, Dialect dialect)
    : sink_(sink), dialect_(dialect), buffer_(new char[kBufferSize]) {}

char* CommandWriter::room() {
  if (kBufferSize - used_ < kLongestCommand) flush();
  return buffer_.get() + used_;
}

void CommandWriter::literal(const char* text, std::size_t size) {
  char* out = room();
  std::memcpy(out, text, size);
  commit(out + size);
}

void CommandWriter::header() {
  const std::string_view text = dialect_ == Dialect::Hpgl ? kHpglHeader : kDmplHeader;
  literal(text.data(), text.size());
}

void CommandWriter::trailer() {
  const std::string_view text = dialect_ == Dialect::Hpgl ? kHpglTrailer : kDmplTrailer;
  literal(text.data(), text.size());
}

void CommandWriter::penUp(std::int32_t x, std::int32_t y) { move('U', x, y); }

void CommandWriter::penDown(std::int32_t x, std::int32_t y) { move('D', x, y); }

// HPGL "PU x,y;" and DM/PL "U x,y ": the same letter for the pen.
void CommandWriter::move(char pen, std::int32_t x, std::int32_t y) {
  char* out = room();
  const bool hpgl = dialect_ == Dialect::Hpgl;
  if (hpgl) *out++ = 'P';
  *out++ = pen;
  out = putPair(out, x, y);
  *out++ = hpgl ? ';' : ' ';
  commit(out);
}

void CommandWriter::twoCuts(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  if (dialect_ == Dialect::Hpgl) {
    penDown(x1, y1);
    penDown(x2, y2);
    return;
  }
  char* out = room();
  *out++ = 'D';
  out = putPair(out, x1, y1);
  *out++ = ' ';
  out = putPair(out, x2, y2);
  *out++ = ' ';
  commit(out);
}

bool CommandWriter::flush() {
  if (used_ > 0 && ok_) ok_ = sink_.write(std::string_view(buffer_.get(), used_));
  used_ = 0;
  return ok_;
}

}  // namespace corvane
