#pragma once

#include <cstdio>

#include "common/operator.h"

namespace corvane {

// The operator on a terminal: messages go to stderr, questions are answered
// on stdin.
class StderrOperator final : public Operator {
 public:
  explicit StderrOperator(std::FILE* answers = stdin) : answers_(answers) {}
  void tell(MessageKind kind, std::string_view text) override;
  bool askOkCancel(std::string_view text) override;

 private:
  std::FILE* answers_;
};

}  // namespace corvane
