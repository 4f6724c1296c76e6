#include "toolwindow/binding/host_connector_win32.h"

#include <oleauto.h>

#include <string>

#include "common/wide_text_win32.h"

namespace corvane::host {

namespace {

class ClassIdConnector final : public HostConnector {
 public:
  explicit ClassIdConnector(std::string_view classId) : classId_(wideText(classId)) {}

  ConnectOutcome Connect() override {
    CLSID clsid{};
    if (const HRESULT hr = CLSIDFromString(classId_.c_str(), &clsid); FAILED(hr)) {
      return {{}, hr};
    }
    // A stale or weak running-object entry can answer S_FALSE with no
    // object, so the pointer is what counts.
    ComRef<IUnknown> running;
    if (SUCCEEDED(GetActiveObject(clsid, nullptr, running.put())) && running) {
      ComRef<IDispatch> application;
      if (SUCCEEDED(running->QueryInterface(IID_IDispatch, application.putVoid())) && application) {
        return {std::move(application), S_OK};
      }
    }
    // Some hosts never enter the running-object table; activation then
    // hands out the running instance.
    ComRef<IDispatch> application;
    const HRESULT hr =
        CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, application.putVoid());
    if (SUCCEEDED(hr) && application) return {std::move(application), S_OK};
    return {{}, FAILED(hr) ? hr : E_NOINTERFACE};
  }

 private:
  std::wstring classId_;
};

}  // namespace

std::unique_ptr<HostConnector> ApplicationConnector(std::string_view classId) {
  return std::make_unique<ClassIdConnector>(classId);
}

}  // namespace corvane::host
