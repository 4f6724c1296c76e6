#pragma once

#include <cstdio>
#include <set>
#include <string>

#include "common/operator.h"

namespace corvane {

// The operator on a terminal: messages go to stderr, questions are answered
// on stdin. A step that failed on a file names the file and the system's
// reason. Once a step has failed, the later steps' warnings (which only
// say that there is nothing to work on) are not printed, nor is any
// warning printed twice.
class StderrOperator final : public Operator {
 public:
  explicit StderrOperator(std::FILE* answers = stdin) : answers_(answers) {}
  void tell(MessageKind kind, std::string_view text) override;
  void tellFileFailure(MessageKind kind, std::string_view text,
                       const FileFailure& failure) override;
  bool askOkCancel(std::string_view text) override;

  // Whether a step has failed and said so.
  bool failureTold() const { return failureTold_; }

 private:
  std::FILE* answers_;
  bool failureTold_ = false;
  std::set<std::string, std::less<>> warnings_;
};

}  // namespace corvane
