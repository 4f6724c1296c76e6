#pragma once

// What every object of the host's object model is made of: the strict
// dispatcher over its member table, and the server's state, which it hands
// on to every object it makes. A member maps the call onto DrawingHost
// operations of the stand-in; where the DrawingHost has no operation for
// it, the member says how it stands in.

#include <cstdint>
#include <string>
#include <utility>

#include "toolwindow/host/host_handles.h"
#include "toolwindow/host/host_result.h"
#include "toolwindow/standins/server/dispatch/strict_dispatch.h"
#include "toolwindow/standins/server/state/server_state.h"

namespace corvane::standin_server {

template <class Self>
class Served : public Automated<Self> {
 public:
  Served(ObjectKind kind, ServerState& state) : Automated<Self>(kind), state_(state) {}

  ServerState& state() const { return state_; }
  standin::StandInHost& stand() const { return state_.host(); }

  // The member's result from an operation's outcome: a number or a text
  // as it is...
  template <class T>
  host::HostStatus answer(host::HostResult<T> outcome, VARIANT* result) const {
    if (!outcome) return outcome.error();
    setResult(result, outcome.value());
    return {};
  }
  // ...or a handle as a new Object of ours.
  template <class Object, class Handle>
  host::HostStatus answerAs(host::HostResult<Handle> outcome, VARIANT* result) const {
    if (!outcome) return outcome.error();
    setResult(result, new Object(state_, outcome.value()));
    return {};
  }

 private:
  void beforeMember() override { state_.callArrives(); }
  void afterMember() override { state_.showDocument(); }

  ServerState& state_;
};

// Sets the member's result, a success.
template <class Value>
host::HostStatus answered(VARIANT* result, Value value) {
  setResult(result, value);
  return {};
}

// The result Nothing.
inline constexpr AutomationObject* kNothing = nullptr;

// A refusal of the stand-in server's own, in the host's error form.
inline host::HostError refused(std::string text) { return host::HostError{"", std::move(text)}; }

// Object argument i as the kind its signature declares; null for Nothing.
template <class Object>
Object* objectArg(const Arguments& arguments, std::size_t i) {
  return static_cast<Object*>(arguments.object(i));
}

}  // namespace corvane::standin_server
