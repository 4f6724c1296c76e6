#pragma once

#include <string>
#include <utility>
#include <variant>

namespace corvane::host {

// Why a host operation failed. Refused: the host answered and said no; the
// command decides what follows. The others mean there is no host to go on
// with: it was lost (closed, killed, stopped answering, stayed busy), it is
// not running, or it runs hidden with documents nobody can see. They end the
// command in every build, and the next command connects afresh.
enum class HostFailure { Refused, Lost, NotRunning, RunningHidden };

// A failed host operation: which operation, and the host's own words for it
// (an automation server's description, or the stand-in's text). For a host
// that is gone the text is the technical detail (member and error code).
struct HostError {
  HostError() = default;
  HostError(std::string operationName, std::string failureText,
            HostFailure failureKind = HostFailure::Refused)
      : operation(std::move(operationName)), text(std::move(failureText)), kind(failureKind) {}

  std::string operation;
  std::string text;
  HostFailure kind = HostFailure::Refused;
};

// Whether nothing more can be asked of the host in this command.
inline bool EndsCommand(const HostError& error) { return error.kind != HostFailure::Refused; }

// The outcome of one host operation: a value or the host's error. Errors are
// values; no exception leaves a host implementation.
template <class T>
class HostResult {
 public:
  HostResult(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  HostResult(HostError error) : state_(std::in_place_index<1>, std::move(error)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  // Only on success.
  const T& value() const& { return std::get<0>(state_); }
  T& value() & { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }

  // Only on failure.
  const HostError& error() const { return std::get<1>(state_); }

 private:
  std::variant<T, HostError> state_;
};

// The outcome of an operation that returns nothing.
class HostStatus {
 public:
  HostStatus() = default;
  HostStatus(HostError error) : error_(std::move(error)), failed_(true) {}

  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  const HostError& error() const { return error_; }

 private:
  HostError error_;
  bool failed_ = false;
};

}  // namespace corvane::host
