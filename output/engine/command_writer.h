#pragma once

// Writes cutter commands in one of the two dialects we drive:
//
//   element         HPGL                 DM/PL
//   header          IN;PA;PU0,0;         ;:H A L0 ECN U SP1;
//   pen-up move     PUx,y;               Ux,y<blank>
//   pen-down cut    PDx,y;               Dx,y<blank>
//   two cuts        PDx,y;PDx,y;         Dx,y x,y<blank>
//   trailer         PU0,0;!PG;           U0,0 @ U0,0 @
//
// Numbers are decimal integers in plotter units; no line breaks anywhere.
// Commands are formatted straight into a large buffer that goes to the sink
// in big writes.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "output/engine/byte_sink.h"

namespace corvane {

enum class Dialect : std::uint8_t { Hpgl, Dmpl };

// The "RQ" cutter models speak DM/PL, every other model HPGL.
Dialect dialectForMachine(std::string_view machine);
const char* dialectName(Dialect dialect);

class CommandWriter {
 public:
  CommandWriter(ByteSink& sink, Dialect dialect);
  CommandWriter(const CommandWriter&) = delete;
  CommandWriter& operator=(const CommandWriter&) = delete;

  void header();
  void trailer();
  void penUp(std::int32_t x, std::int32_t y);
  void penDown(std::int32_t x, std::int32_t y);
  void twoCuts(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);

  // Hands everything buffered to the sink; false if any write failed.
  bool flush();

 private:
  static constexpr std::size_t kBufferSize = std::size_t{1} << 16;
  // Longest single command: "PD-2147483648,-2147483648;" twice.
  static constexpr std::size_t kLongestCommand = 64;

  char* room();
  void commit(char* end) { used_ = static_cast<std::size_t>(end - buffer_.get()); }
  void literal(const char* text, std::size_t size);
  // One move with the pen up (U) or down (D).
  void move(char pen, std::int32_t x, std::int32_t y);

  ByteSink& sink_;
  Dialect dialect_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
  bool ok_ = true;
};

}  // namespace corvane
