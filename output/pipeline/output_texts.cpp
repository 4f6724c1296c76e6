#include "output/pipeline/output_texts.h"

#include "output/resources/texts_en.h"

namespace corvane {

TextSource::~TextSource() = default;

std::string EnglishTexts::text(TextId id) const {
  switch (id) {
    case TextId::AboutItem:
      return CORVANE_TEXT_101;
    case TextId::ContinueCut:
      return CORVANE_TEXT_102;
    case TextId::PortNotValid:
      return CORVANE_TEXT_103;
    case TextId::AlreadyRunning:
      return CORVANE_TEXT_104;
    case TextId::ToolWindowMissing:
      return CORVANE_TEXT_105;
    case TextId::JobFileMissing:
      return CORVANE_TEXT_106;
    case TextId::ProgressLine:
      return CORVANE_TEXT_107;
    case TextId::StopOnClose:
      return CORVANE_TEXT_108;
    case TextId::CannotStop:
      return CORVANE_TEXT_109;
    case TextId::KnifeMiss:
      return CORVANE_TEXT_120;
  }
  return {};
}

}  // namespace corvane
