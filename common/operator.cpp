#include "common/operator.h"

namespace corvane {

Operator::~Operator() = default;

void Operator::tellFileFailure(MessageKind kind, std::string_view text, const FileFailure&) {
  tell(kind, text);
}

}  // namespace corvane
