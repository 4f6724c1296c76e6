#pragma once

#include <windows.h>
#include <oleauto.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

// An in-process IDispatch that records what a late-bound client sends and
// answers as a test scripts it. A member without a script answers with the
// object itself, so chains like Application.ActivePage.Layers stay on one
// double. All doubles number members alike, as objects of one interface do.
namespace corvane::host::testing {

struct ReceivedArgument {
  VARTYPE type = VT_EMPTY;
  double number = 0;  // VT_I2, VT_I4, VT_R8, VT_BOOL
  std::wstring text;  // VT_BSTR
  IDispatch* object = nullptr;
};

struct ReceivedCall {
  std::wstring member;
  WORD flags = 0;
  bool valueNamedAsPut = false;             // DISPID_PROPERTYPUT among the named arguments
  std::vector<ReceivedArgument> arguments;  // in declared order
  std::vector<VARTYPE> types() const {
    std::vector<VARTYPE> list;
    for (const auto& argument : arguments) list.push_back(argument.type);
    return list;
  }
};

class FakeDispatch final : public IDispatch {
 public:
  using Answer = std::function<HRESULT(DISPPARAMS& parameters, VARIANT* result, EXCEPINFO* ex)>;

  void Script(const std::wstring& member, Answer answer) { answers_[member] = std::move(answer); }

  std::vector<ReceivedCall> calls;
  std::vector<std::wstring> lookups;
  ULONG references = 1;

  const ReceivedCall& Last(const std::wstring& member) const {
    for (auto call = calls.rbegin(); call != calls.rend(); ++call) {
      if (call->member == member) return *call;
    }
    static const ReceivedCall none;
    return none;
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *object = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (count != 1) return DISP_E_UNKNOWNNAME;
    lookups.emplace_back(names[0]);
    ids[0] = IdOf(names[0]);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception, UINT*) override {
    if (id < 1 || static_cast<std::size_t>(id) > names_.size()) return DISP_E_MEMBERNOTFOUND;
    ReceivedCall call;
    call.member = names_[static_cast<std::size_t>(id - 1)];
    call.flags = flags;
    for (UINT n = 0; n < parameters->cNamedArgs; ++n) {
      if (parameters->rgdispidNamedArgs[n] == DISPID_PROPERTYPUT) call.valueNamedAsPut = true;
    }
    for (UINT n = parameters->cArgs; n-- > 0;)
      call.arguments.push_back(Read(parameters->rgvarg[n]));
    calls.push_back(call);
    if (auto answer = answers_.find(call.member); answer != answers_.end()) {
      return answer->second(*parameters, result, exception);
    }
    if (result) {
      V_VT(result) = VT_DISPATCH;
      V_DISPATCH(result) = this;
      AddRef();
    }
    return S_OK;
  }

 private:
  static DISPID IdOf(const std::wstring& name) {
    for (std::size_t n = 0; n < names_.size(); ++n) {
      if (names_[n] == name) return static_cast<DISPID>(n + 1);
    }
    names_.push_back(name);
    return static_cast<DISPID>(names_.size());
  }

  static ReceivedArgument Read(const VARIANT& v) {
    ReceivedArgument argument;
    argument.type = V_VT(&v);
    switch (V_VT(&v)) {
      case VT_I2:
        argument.number = V_I2(&v);
        break;
      case VT_I4:
        argument.number = V_I4(&v);
        break;
      case VT_R8:
        argument.number = V_R8(&v);
        break;
      case VT_BOOL:
        argument.number = V_BOOL(&v);
        break;
      case VT_BSTR:
        argument.text.assign(V_BSTR(&v), SysStringLen(V_BSTR(&v)));
        break;
      case VT_DISPATCH:
        argument.object = V_DISPATCH(&v);
        break;
      default:
        break;
    }
    return argument;
  }

  static inline std::vector<std::wstring> names_;
  std::map<std::wstring, Answer> answers_;
};

// Scripted answers.
inline FakeDispatch::Answer Returns(std::int32_t number) {
  return [number](DISPPARAMS&, VARIANT* result, EXCEPINFO*) {
    V_VT(result) = VT_I4;
    V_I4(result) = number;
    return S_OK;
  };
}

inline FakeDispatch::Answer Returns(IDispatch* object) {
  return [object](DISPPARAMS&, VARIANT* result, EXCEPINFO*) {
    V_VT(result) = VT_DISPATCH;
    V_DISPATCH(result) = object;
    if (object) object->AddRef();
    return S_OK;
  };
}

inline FakeDispatch::Answer Returns(const wchar_t* text) {
  return [text](DISPPARAMS&, VARIANT* result, EXCEPINFO*) {
    V_VT(result) = VT_BSTR;
    V_BSTR(result) = SysAllocString(text);
    return S_OK;
  };
}

inline FakeDispatch::Answer FailsWith(HRESULT hr) {
  return [hr](DISPPARAMS&, VARIANT*, EXCEPINFO*) { return hr; };
}

inline FakeDispatch::Answer Raises(const wchar_t* description) {
  return [description](DISPPARAMS&, VARIANT*, EXCEPINFO* exception) {
    exception->scode = static_cast<SCODE>(0x80040201);
    exception->bstrSource = SysAllocString(L"StandIn");
    exception->bstrDescription = SysAllocString(description);
    return DISP_E_EXCEPTION;
  };
}

// Writes these values through the call's [out] doubles, in declared order.
inline FakeDispatch::Answer WritesDoubles(std::vector<double> values) {
  return [values](DISPPARAMS& parameters, VARIANT*, EXCEPINFO*) {
    for (std::size_t n = 0; n < values.size(); ++n) {
      VARIANT& out = parameters.rgvarg[parameters.cArgs - 1 - n];
      if (V_VT(&out) != (VT_BYREF | VT_R8)) return DISP_E_TYPEMISMATCH;
      *V_R8REF(&out) = values[n];
    }
    return S_OK;
  };
}

}  // namespace corvane::host::testing
