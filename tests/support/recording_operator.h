#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "common/operator.h"

namespace corvane::testing {

// Records every message and answers questions from a script (Cancel once
// the script runs out), so tests can assert exact texts and their order.
class RecordingOperator final : public Operator {
 public:
  void tell(MessageKind kind, std::string_view text) override {
    messages.emplace_back(kind, std::string(text));
  }
  bool askOkCancel(std::string_view text) override {
    questions.emplace_back(text);
    if (answers.empty()) return false;
    const bool ok = answers.front();
    answers.pop_front();
    return ok;
  }

  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const auto& m : messages) out.push_back(m.second);
    return out;
  }

  std::vector<std::pair<MessageKind, std::string>> messages;
  std::vector<std::string> questions;
  std::deque<bool> answers;
};

}  // namespace corvane::testing
