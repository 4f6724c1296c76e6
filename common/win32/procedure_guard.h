#pragma once

#include <exception>
#include <string_view>

// Window and dialog procedures are called by the system, which cannot take
// an exception: one that escaped a handler would end the program with the
// operator's work. Every procedure of the programs runs its handlers here.
namespace corvane {

// Said for an exception that carries no text of its own.
inline constexpr std::string_view kUnexpectedFailureText =
    "An unexpected error stopped the command.";

namespace detail {

template <typename Report>
void reportFailure(Report& report, std::string_view text) noexcept {
  try {
    report(text);
  } catch (...) {
    // Nothing is left to tell the operator with; the program goes on.
  }
}

}  // namespace detail

// The handler's result; when an exception escapes it, report(text) tells
// the operator of the failure and the message gets `failed` instead.
template <typename Result, typename Handler, typename Report>
Result guardProcedure(Result failed, Handler&& handler, Report&& report) noexcept {
  try {
    return handler();
  } catch (const std::exception& failure) {
    detail::reportFailure(report, failure.what());
  } catch (...) {
    detail::reportFailure(report, kUnexpectedFailureText);
  }
  return failed;
}

}  // namespace corvane
