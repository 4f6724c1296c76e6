#pragma once

#include <string>

namespace corvane {

// The output program's texts that come from its language library.
enum class TextId {
  AboutItem = 101,
  ContinueCut = 102,
  PortNotValid = 103,
  AlreadyRunning = 104,
  ToolWindowMissing = 105,
  JobFileMissing = 106,
  ProgressLine = 107,  // {port}, {sent} and {total} are filled in
  StopOnClose = 108,
  CannotStop = 109,
  KnifeMiss = 120,  // {miss} is filled in, in mm
};

class TextSource {
 public:
  virtual ~TextSource();
  virtual std::string text(TextId id) const = 0;
};

// The English texts, built in: the command line has no language library.
class EnglishTexts final : public TextSource {
 public:
  std::string text(TextId id) const override;
};

}  // namespace corvane
