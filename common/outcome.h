#pragma once

#include <concepts>
#include <type_traits>
#include <utility>
#include <variant>

// Results as values: a step that can fail returns its value or its error,
// and no exception crosses a layer for it. Each layer names its own error
// type and spells these for it.
namespace corvane {

// The value of a step, or the error that kept it from being made.
template <class T, class E>
class Outcome {
 public:
  Outcome(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Outcome(E error) : state_(std::in_place_index<1>, std::move(error)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  // Only on success.
  const T& value() const& { return std::get<0>(state_); }
  T& value() & { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }

  // Only on failure.
  const E& error() const { return std::get<1>(state_); }

 private:
  std::variant<T, E> state_;
};

// The outcome of a step that gives nothing back: done, or its error. An
// error of a lower layer that this layer's error is made from converts on
// the way up.
template <class E>
class Status {
 public:
  Status() = default;
  template <class U>
  requires std::constructible_from<E, U&&> &&
      (!std::same_as<std::remove_cvref_t<U>, Status>)Status(U&& error)
      : error_(std::forward<U>(error)), failed_(true) {}

  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  // Only on failure.
  const E& error() const { return error_; }

 private:
  E error_{};
  bool failed_ = false;
};

}  // namespace corvane
