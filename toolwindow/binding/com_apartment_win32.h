#pragma once

#include <windows.h>
#include <objidl.h>

#include <chrono>

namespace corvane::host {

// Answers a host that refuses calls while it is busy (a modal dialog, a long
// command): a call it asks to retry later is retried for a bounded time and
// then cancelled, so the tool window reports a busy host instead of hanging.
// A call the host takes but never answers is cancelled at the first message
// that arrives after the answer limit (COM has no call timeout of its own);
// the call then fails with RPC_E_CALL_CANCELED.
class BusyHostFilter final : public IMessageFilter {
 public:
  static constexpr std::chrono::milliseconds kRetryLimit{3000};
  static constexpr std::chrono::milliseconds kAnswerLimit{60000};
  static constexpr DWORD kRetryDelayMs = 100;

  explicit BusyHostFilter(std::chrono::milliseconds retryLimit = kRetryLimit,
                          std::chrono::milliseconds answerLimit = kAnswerLimit)
      : retryLimit_(retryLimit), answerLimit_(answerLimit) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD callType, HTASK caller, DWORD tickCount,
                                             LPINTERFACEINFO interfaceInfo) override;
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK callee, DWORD tickCount,
                                            DWORD rejectType) override;
  DWORD STDMETHODCALLTYPE MessagePending(HTASK callee, DWORD tickCount, DWORD pendingType) override;

 private:
  std::chrono::milliseconds retryLimit_;
  std::chrono::milliseconds answerLimit_;
};

// The tool window's thread as a single-threaded COM apartment, for the life
// of this object, with the busy-host filter registered on it. Made once by
// the program on its user-interface thread, before the binding's first call.
class ComApartment {
 public:
  ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment();

  // S_OK or S_FALSE when the apartment is usable; otherwise why not.
  HRESULT status() const { return status_; }
  bool ok() const { return SUCCEEDED(status_); }

 private:
  HRESULT status_;
  BusyHostFilter filter_;
  IMessageFilter* previousFilter_ = nullptr;
  bool filterRegistered_ = false;
};

}  // namespace corvane::host
