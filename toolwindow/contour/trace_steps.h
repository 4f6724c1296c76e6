#pragma once

#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

#include "toolwindow/host/drawing_host.h"

namespace corvane::toolwindow {

// The host steps of one trace, each asked through this object so that the
// build's failure policy lives in one place. Stop: after the first failure
// nothing more is asked of the host. Skip: a failed step is passed over and
// the trace goes on; a later step that needs what the failed one would have
// made sees an empty result and is left out by the caller. A host that is
// gone (lost, not answering, busy) stops the trace under either policy:
// nothing more is asked of it, and of no other host either.
class TraceSteps {
 public:
  enum class Policy { Stop, Skip };
  explicit TraceSteps(Policy policy) : policy_(policy) {}

  // Asks call of the host unless the trace has stopped. A call that gives a
  // HostResult<T> yields std::optional<T>; one that gives a HostStatus
  // yields whether it succeeded.
  template <class Call>
  auto operator()(Call&& call) {
    WentOn();
    using Result = std::invoke_result_t<Call&>;
    if constexpr (std::is_same_v<Result, host::HostStatus>) {
      if (stopped_) return false;
      const host::HostStatus status = call();
      if (!status) Failed(status.error());
      return status.ok();
    } else {
      using Value = std::decay_t<decltype(std::declval<Result&>().value())>;
      if (stopped_) return std::optional<Value>();
      Result result = call();
      if (!result) {
        Failed(result.error());
        return std::optional<Value>();
      }
      return std::optional<Value>(std::move(result).value());
    }
  }

  // Ends the trace after the last failure, whatever the policy.
  void Stop() {
    stopped_ = true;
    skipped_.reset();
  }
  // The trace has come to its end.
  void Finish() { WentOn(); }

  // Told of each failed step the trace went on without (Skip), at the next
  // step or at the end; not of one that ended the trace.
  std::function<void(const host::HostError&)> onSkipped;

  bool stopped() const { return stopped_; }
  // The failure that stopped the trace, or the last one passed over.
  const host::HostError& lastFailure() const { return lastFailure_; }

 private:
  void Failed(const host::HostError& error) {
    lastFailure_ = error;
    if (policy_ == Policy::Stop || host::EndsCommand(error)) {
      stopped_ = true;
    } else {
      skipped_ = error;
    }
  }

  void WentOn() {
    if (!skipped_ || stopped_) return;
    if (onSkipped) onSkipped(*skipped_);
    skipped_.reset();
  }

  Policy policy_;
  bool stopped_ = false;
  host::HostError lastFailure_;
  std::optional<host::HostError> skipped_;
};

}  // namespace corvane::toolwindow
