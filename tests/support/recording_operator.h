#pragma once

#include <deque>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "common/operator.h"

namespace corvane::testing {

// Records every message and answers questions from a script (Cancel once
// the script runs out), so tests can assert exact texts and their order.
// A send may report from its worker thread.
class RecordingOperator final : public Operator {
 public:
  void tell(MessageKind kind, std::string_view text) override {
    const std::lock_guard lock(mutex_);
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
    const std::lock_guard lock(mutex_);
    std::vector<std::string> out;
    for (const auto& m : messages) out.push_back(m.second);
    return out;
  }

  std::vector<std::pair<MessageKind, std::string>> messages;
  std::vector<std::string> questions;
  std::deque<bool> answers;

 private:
  mutable std::mutex mutex_;
};

}  // namespace corvane::testing
