#pragma once

#include <string_view>

#include "common/operator.h"

namespace corvane::bench {

// Says nothing and declines every question: a benchmark measures the work,
// not the messages.
class SilentOperator final : public Operator {
 public:
  void tell(MessageKind, std::string_view) override {}
  bool askOkCancel(std::string_view) override { return false; }
};

}  // namespace corvane::bench
