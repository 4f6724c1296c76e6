#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "common/operator.h"

namespace corvane::test {

// Keeps every message in order; sends may report from a worker thread.
class RecordingOperator final : public Operator {
 public:
  void tell(MessageKind, std::string_view text) override {
    const std::lock_guard lock(mutex_);
    messages_.emplace_back(text);
  }
  bool askOkCancel(std::string_view text) override {
    tell(MessageKind::Information, text);
    return true;
  }
  std::vector<std::string> messages() const {
    const std::lock_guard lock(mutex_);
    return messages_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> messages_;
};

}  // namespace corvane::test
