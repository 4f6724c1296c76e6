#include "toolwindow/binding/com_apartment_win32.h"

#include <objbase.h>

namespace corvane::host {

HRESULT STDMETHODCALLTYPE BusyHostFilter::QueryInterface(REFIID iid, void** object) {
  if (iid == IID_IUnknown || iid == IID_IMessageFilter) {
    *object = static_cast<IMessageFilter*>(this);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

DWORD STDMETHODCALLTYPE BusyHostFilter::HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) {
  return SERVERCALL_ISHANDLED;
}

DWORD STDMETHODCALLTYPE BusyHostFilter::RetryRejectedCall(HTASK, DWORD tickCount,
                                                          DWORD rejectType) {
  // A flat refusal is final; "retry later" is, until the limit. -1 cancels
  // the call, which then fails with RPC_E_CALL_REJECTED.
  const auto waited = std::chrono::milliseconds(tickCount);
  if (rejectType == SERVERCALL_RETRYLATER &&
      waited + std::chrono::milliseconds(kRetryDelayMs) <= retryLimit_) {
    return kRetryDelayMs;
  }
  return static_cast<DWORD>(-1);
}

DWORD STDMETHODCALLTYPE BusyHostFilter::MessagePending(HTASK, DWORD tickCount, DWORD) {
  // Cancelling may leave the host's half of the call behind; only a host
  // silent for this long is given up on.
  if (std::chrono::milliseconds(tickCount) >= answerLimit_) return PENDINGMSG_CANCELCALL;
  return PENDINGMSG_WAITDEFPROCESS;
}

ComApartment::ComApartment() : status_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {
  if (ok()) {
    filterRegistered_ = SUCCEEDED(CoRegisterMessageFilter(&filter_, &previousFilter_));
  }
}

ComApartment::~ComApartment() {
  if (filterRegistered_) {
    IMessageFilter* ours = nullptr;
    CoRegisterMessageFilter(previousFilter_, &ours);
    if (previousFilter_) previousFilter_->Release();
  }
  if (ok()) CoUninitialize();
}

}  // namespace corvane::host
