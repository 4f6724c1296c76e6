#include "output/transport/system_error.h"

namespace corvane {

std::string describe(const SystemError& error) {
  std::string text = error.step;
  if (!error.message.empty()) text += (text.empty() ? "" : ": ") + error.message;
  if (error.code != 0) text += " (" + std::to_string(error.code) + ")";
  return text;
}

}  // namespace corvane
