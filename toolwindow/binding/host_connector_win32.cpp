#include "toolwindow/binding/host_connector_win32.h"

#include <oleauto.h>

#include <string>

#include "common/win32/wide_text.h"

namespace corvane::host {

namespace {

// A member without arguments, as a getter or a method; the result comes
// back in `result` (cleared by the caller).
HRESULT CallWithoutArguments(IDispatch* object, const wchar_t* name, WORD flags, VARIANT& result) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  if (const HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
      FAILED(hr)) {
    return hr;
  }
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  EXCEPINFO exception{};
  UINT argumentError = 0;
  const HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &none, &result,
                                    &exception, &argumentError);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  return hr;
}

// Whether the application answers Visible False. A host that cannot tell
// is taken to be shown: the operator's.
bool Hidden(IDispatch* application) {
  VARIANT visible;
  VariantInit(&visible);
  const HRESULT hr = CallWithoutArguments(application, L"Visible",
                                          DISPATCH_PROPERTYGET | DISPATCH_METHOD, visible);
  const bool hidden = SUCCEEDED(hr) &&
                      SUCCEEDED(VariantChangeType(&visible, &visible, 0, VT_BOOL)) &&
                      V_BOOL(&visible) == VARIANT_FALSE;
  VariantClear(&visible);
  return hidden;
}

// Whether Documents.Count answers 0: nothing in it that could be lost.
bool HoldsNoDocument(IDispatch* application) {
  VARIANT documents;
  VariantInit(&documents);
  bool empty = false;
  if (SUCCEEDED(CallWithoutArguments(application, L"Documents",
                                     DISPATCH_PROPERTYGET | DISPATCH_METHOD, documents)) &&
      V_VT(&documents) == VT_DISPATCH && V_DISPATCH(&documents)) {
    VARIANT count;
    VariantInit(&count);
    empty = SUCCEEDED(CallWithoutArguments(V_DISPATCH(&documents), L"Count",
                                           DISPATCH_PROPERTYGET | DISPATCH_METHOD, count)) &&
            SUCCEEDED(VariantChangeType(&count, &count, 0, VT_I4)) && V_I4(&count) == 0;
    VariantClear(&count);
  }
  VariantClear(&documents);
  return empty;
}

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
    if (FAILED(hr) || !application) return {{}, FAILED(hr) ? hr : E_NOINTERFACE};
    return AdoptActivated(std::move(application));
  }

 private:
  std::wstring classId_;
};

}  // namespace

ConnectOutcome AdoptActivated(ComRef<IDispatch> application) {
  if (!Hidden(application.get())) return {std::move(application), S_OK};
  if (!HoldsNoDocument(application.get())) return {{}, S_OK, true};
  // Started for this call, with nothing in it: left running it would stay
  // in the background with nobody to close it.
  VARIANT ignored;
  VariantInit(&ignored);
  CallWithoutArguments(application.get(), L"Quit", DISPATCH_METHOD, ignored);
  VariantClear(&ignored);
  // What the running-object table says of an application that is not running.
  return {{}, MK_E_UNAVAILABLE};
}

std::unique_ptr<HostConnector> ApplicationConnector(std::string_view classId) {
  return std::make_unique<ClassIdConnector>(classId);
}

}  // namespace corvane::host
