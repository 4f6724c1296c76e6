#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "toolwindow/binding/automation_host_win32.h"
#include "toolwindow/binding/com_ref_win32.h"
#include "toolwindow/binding/dispatch_invoker_win32.h"
#include "toolwindow/host/host_result.h"

namespace corvane::host {

// The host calls of one operation, with small typed helpers over the one
// generic invoke. Connects when the operation first needs the application,
// turns every failure into that operation's HostError, and lets go of a host
// that was lost; in a command that ends the command's use of the host.
class HostCalls {
 public:
  HostCalls(AutomationHost& host, const char* operation) : host_(host), operation_(operation) {}

  HostResult<ComRef<IDispatch>> Application();

  // The call as it came back; only a lost host is acted on.
  InvokeOutcome Raw(IDispatch* target, ObjectKind kind, std::wstring_view member, CallKind call,
                    ArgumentList arguments = {});
  HostResult<VariantValue> Call(IDispatch* target, ObjectKind kind, std::wstring_view member,
                                CallKind call, ArgumentList arguments = {});

  // An object result; Nothing is a failure.
  HostResult<ComRef<IDispatch>> Object(IDispatch* target, ObjectKind kind, std::wstring_view member,
                                       CallKind call = CallKind::Get, ArgumentList arguments = {});
  HostResult<ComRef<IDispatch>> Method(IDispatch* target, ObjectKind kind, std::wstring_view member,
                                       ArgumentList arguments = {}) {
    return Object(target, kind, member, CallKind::Method, std::move(arguments));
  }
  // A method whose result, if any, is not needed.
  HostStatus Run(IDispatch* target, ObjectKind kind, std::wstring_view member,
                 ArgumentList arguments = {});
  HostStatus Put(IDispatch* target, ObjectKind kind, std::wstring_view member, ArgumentList value);
  HostResult<std::int32_t> Int32(IDispatch* target, ObjectKind kind, std::wstring_view member,
                                 ArgumentList arguments = {});
  HostResult<std::string> Text(IDispatch* target, ObjectKind kind, std::wstring_view member);

  // The failure of a call that came back with an error.
  HostError Failure(const InvokeOutcome& outcome, ObjectKind kind, std::wstring_view member) const;
  HostError Fail(std::string text) const { return {operation_, std::move(text)}; }
  // The failure that ended the command's use of the host, for this operation.
  HostError Ended() const;

 private:
  AutomationHost& host_;
  const char* operation_;
};

// The host is gone for this command: lost, a call given up unanswered, or
// still busy after the retries.
bool HostGone(HRESULT hr);

// "Kind.Member", for messages.
std::string MemberName(ObjectKind kind, std::wstring_view member);

// The object a result holds: VT_DISPATCH, or VT_UNKNOWN that answers for
// IDispatch; empty for Nothing and anything else.
ComRef<IDispatch> ObjectIn(const VariantValue& value);

}  // namespace corvane::host
