#include "toolwindow/binding/host_calls_win32.h"

#include <utility>

#include "common/win32/wide_text.h"
#include "toolwindow/binding/hresult_text_win32.h"

namespace corvane::host {

std::string MemberName(ObjectKind kind, std::wstring_view member) {
  return std::string(KindName(kind)) + "." + utf8Text(member);
}

ComRef<IDispatch> ObjectIn(const VariantValue& value) {
  const VARIANT& v = *value;
  if (V_VT(&v) == VT_DISPATCH) return ComRef<IDispatch>::Share(V_DISPATCH(&v));
  ComRef<IDispatch> object;
  if (V_VT(&v) == VT_UNKNOWN && V_UNKNOWN(&v)) {
    V_UNKNOWN(&v)->QueryInterface(IID_IDispatch, object.putVoid());
  }
  return object;
}

HostResult<ComRef<IDispatch>> HostCalls::Application() {
  if (EndsCommand(host_.commandLost_)) return Ended();
  if (!host_.application_) {
    ConnectOutcome connected = host_.connector_->Connect();
    if (!connected.application) {
      // The operator's words for it come from the text table; this is the
      // detail that goes with them.
      HostError failure{
          operation_,
          connected.runningHidden ? "hidden, with documents" : HresultText(connected.failure),
          connected.runningHidden ? HostFailure::RunningHidden : HostFailure::NotRunning};
      // One try per command: no later step starts or finds another host.
      if (host_.inCommand_) host_.commandLost_ = failure;
      return failure;
    }
    host_.application_ = std::move(connected.application);
  }
  return ComRef<IDispatch>::Share(host_.application_.get());
}

HostError HostCalls::Ended() const {
  HostError failure = host_.commandLost_;
  failure.operation = operation_;
  return failure;
}

InvokeOutcome HostCalls::Raw(IDispatch* target, ObjectKind kind, std::wstring_view member,
                             CallKind call, ArgumentList arguments) {
  if (!target) {
    InvokeOutcome outcome;
    outcome.hr = E_POINTER;
    outcome.noTarget = true;
    return outcome;
  }
  if (EndsCommand(host_.commandLost_)) {
    InvokeOutcome outcome;
    outcome.hr = RPC_E_DISCONNECTED;
    outcome.commandEnded = true;
    return outcome;
  }
  InvokeOutcome outcome = host_.invoker_.Invoke(target, kind, member, call, std::move(arguments));
  if (HostGone(outcome.hr)) {
    host_.Disconnect();
    if (host_.inCommand_) host_.commandLost_ = Failure(outcome, kind, member);
  }
  return outcome;
}

bool HostGone(HRESULT hr) {
  return IsLostConnection(hr) || IsBusyRefusal(hr) || hr == RPC_E_CALL_CANCELED;
}

HostError HostCalls::Failure(const InvokeOutcome& outcome, ObjectKind kind,
                             std::wstring_view member) const {
  const std::string name = MemberName(kind, member);
  if (outcome.commandEnded) return Ended();
  if (outcome.noTarget) return Fail(name + ": no object of this host to call it on");
  if (outcome.hr == DISP_E_EXCEPTION) {
    if (!outcome.hostText.empty()) return Fail(outcome.hostText);
    const std::string source = outcome.hostSource.empty() ? "" : " in " + outcome.hostSource;
    return Fail(name + ": the drawing application reported a failure" + source + ": " +
                HresultText(outcome.hostCode));
  }
  // The operator's words for a host that is gone come from the text table;
  // the member and the system's words for the code are the detail.
  if (HostGone(outcome.hr))
    return {operation_, name + ": " + HresultText(outcome.hr), HostFailure::Lost};
  std::string text = name + " failed: " + HresultText(outcome.hr);
  if (outcome.badArgument != 0) text += ", argument " + std::to_string(outcome.badArgument);
  return Fail(std::move(text));
}

HostResult<VariantValue> HostCalls::Call(IDispatch* target, ObjectKind kind,
                                         std::wstring_view member, CallKind call,
                                         ArgumentList arguments) {
  InvokeOutcome outcome = Raw(target, kind, member, call, std::move(arguments));
  if (FAILED(outcome.hr)) return Failure(outcome, kind, member);
  return std::move(outcome.result);
}

HostResult<ComRef<IDispatch>> HostCalls::Object(IDispatch* target, ObjectKind kind,
                                                std::wstring_view member, CallKind call,
                                                ArgumentList arguments) {
  auto result = Call(target, kind, member, call, std::move(arguments));
  if (!result) return result.error();
  ComRef<IDispatch> object = ObjectIn(result.value());
  if (!object) return Fail(MemberName(kind, member) + " gave no object (Nothing)");
  return object;
}

HostStatus HostCalls::Run(IDispatch* target, ObjectKind kind, std::wstring_view member,
                          ArgumentList arguments) {
  auto result = Call(target, kind, member, CallKind::Method, std::move(arguments));
  if (!result) return result.error();
  return {};
}

HostStatus HostCalls::Put(IDispatch* target, ObjectKind kind, std::wstring_view member,
                          ArgumentList value) {
  auto result = Call(target, kind, member, CallKind::Put, std::move(value));
  if (!result) return result.error();
  return {};
}

HostResult<std::int32_t> HostCalls::Int32(IDispatch* target, ObjectKind kind,
                                          std::wstring_view member, ArgumentList arguments) {
  auto result = Call(target, kind, member, CallKind::Get, std::move(arguments));
  if (!result) return result.error();
  VariantValue number;
  if (FAILED(VariantChangeType(number.get(), result.value().get(), 0, VT_I4))) {
    return Fail(MemberName(kind, member) + " gave no number");
  }
  return static_cast<std::int32_t>(V_I4(number.get()));
}

HostResult<std::string> HostCalls::Text(IDispatch* target, ObjectKind kind,
                                        std::wstring_view member) {
  auto result = Call(target, kind, member, CallKind::Get);
  if (!result) return result.error();
  VariantValue text;
  if (FAILED(VariantChangeType(text.get(), result.value().get(), 0, VT_BSTR))) {
    return Fail(MemberName(kind, member) + " gave no text");
  }
  // A null BSTR is the empty text.
  const BSTR value = V_BSTR(text.get());
  return value ? utf8Text(std::wstring_view(value, SysStringLen(value))) : std::string();
}

}  // namespace corvane::host
