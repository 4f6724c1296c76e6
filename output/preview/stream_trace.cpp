#include "output/preview/stream_trace.h"

#include <algorithm>
#include <charconv>
#include <cstddef>

namespace corvane {

namespace {

class Tracer {
 public:
  explicit Tracer(std::string_view text) : text_(text) {}

  StreamTrace run() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (c == 'U' || c == 'D') {
        penDown_ = c == 'D';
        pairs();
      }
    }
    return std::move(trace_);
  }

 private:
  // The coordinate pairs after a pen command, separated by ',' or blanks.
  void pairs() {
    for (;;) {
      std::int32_t x = 0;
      std::int32_t y = 0;
      const std::size_t mark = pos_;
      skipBlanks();
      if (!number(x) || !expect(',') || !number(y)) {
        pos_ = mark;
        return;
      }
      moveTo(x, y);
      if (pos_ < text_.size() && text_[pos_] == ',') ++pos_;
    }
  }

  void skipBlanks() {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  }

  bool expect(char c) {
    if (pos_ >= text_.size() || text_[pos_] != c) return false;
    ++pos_;
    return true;
  }

  bool number(std::int32_t& value) {
    const char* begin = text_.data() + pos_;
    const auto [end, error] = std::from_chars(begin, text_.data() + text_.size(), value);
    if (error != std::errc()) return false;
    pos_ += static_cast<std::size_t>(end - begin);
    return true;
  }

  void moveTo(std::int32_t x, std::int32_t y) {
    trace_.segments.push_back({x_, y_, x, y, penDown_});
    x_ = x;
    y_ = y;
    trace_.minX = std::min(trace_.minX, x);
    trace_.minY = std::min(trace_.minY, y);
    trace_.maxX = std::max(trace_.maxX, x);
    trace_.maxY = std::max(trace_.maxY, y);
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  bool penDown_ = false;
  std::int32_t x_ = 0;
  std::int32_t y_ = 0;
  StreamTrace trace_;
};

}  // namespace

StreamTrace traceStream(std::string_view stream) { return Tracer(stream).run(); }

}  // namespace corvane
