#pragma once

#include <windows.h>

#include "output/pipeline/output_texts.h"

namespace corvane {

// The numbered texts of the language library the program loaded.
class LibraryTexts final : public TextSource {
 public:
  explicit LibraryTexts(HMODULE library) : library_(library) {}
  std::string text(TextId id) const override;

 private:
  HMODULE library_;
};

}  // namespace corvane
