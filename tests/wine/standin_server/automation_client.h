#pragma once

#include <windows.h>
#include <oleauto.h>

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

// A lean late-binding client for the stand-in server's tests: arguments in
// the order the member declares them, results and errors as they came back.
// Every cross-process call costs milliseconds under Wine, so DISPIDs are
// looked up once per name: the stand-in server gives a member name the same
// DISPID in every class (the real host need not, and the binding must not
// rely on it).
namespace corvane::wine {

class Variant {
 public:
  Variant() { VariantInit(&value_); }
  ~Variant() { VariantClear(&value_); }
  Variant(const Variant& other) : Variant() { VariantCopy(&value_, other.get()); }
  Variant& operator=(const Variant& other) {
    if (this != &other) VariantCopy(&value_, other.get());
    return *this;
  }
  VARIANT* get() { return &value_; }
  // VariantCopy wants a non-const source it does not change.
  VARIANT* get() const { return const_cast<VARIANT*>(&value_); }
  VARTYPE type() const { return V_VT(&value_); }

  static Variant text(const wchar_t* text) {
    Variant v;
    V_VT(&v.value_) = VT_BSTR;
    V_BSTR(&v.value_) = SysAllocString(text);
    return v;
  }
  static Variant int32(LONG value) {
    Variant v;
    V_VT(&v.value_) = VT_I4;
    V_I4(&v.value_) = value;
    return v;
  }
  static Variant int16(SHORT value) {
    Variant v;
    V_VT(&v.value_) = VT_I2;
    V_I2(&v.value_) = value;
    return v;
  }
  static Variant real(double value) {
    Variant v;
    V_VT(&v.value_) = VT_R8;
    V_R8(&v.value_) = value;
    return v;
  }
  static Variant flag(bool value) {
    Variant v;
    V_VT(&v.value_) = VT_BOOL;
    V_BOOL(&v.value_) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
  }
  // Null gives Nothing.
  static Variant object(IDispatch* object) {
    Variant v;
    V_VT(&v.value_) = VT_DISPATCH;
    V_DISPATCH(&v.value_) = object;
    if (object) object->AddRef();
    return v;
  }
  static Variant outReal(double* into) {
    Variant v;
    V_VT(&v.value_) = VT_BYREF | VT_R8;
    V_R8REF(&v.value_) = into;
    return v;
  }

  IDispatch* dispatch() const { return type() == VT_DISPATCH ? V_DISPATCH(&value_) : nullptr; }

 private:
  VARIANT value_;
};

struct Reply {
  HRESULT result = E_FAIL;
  UINT argError = ~0u;
  std::wstring description;
  Variant value;
};

constexpr WORD kGet = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

inline DISPID dispidOf(IDispatch* object, const wchar_t* name, HRESULT* lookup = nullptr) {
  static std::map<std::wstring, DISPID> cache;
  const auto found = cache.find(name);
  if (found != cache.end()) return found->second;
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  const HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (lookup) *lookup = hr;
  if (SUCCEEDED(hr)) cache.emplace(name, id);
  return id;
}

inline Reply invoke(IDispatch* object, const wchar_t* name, WORD flags,
                    std::initializer_list<Variant> arguments = {}) {
  Reply reply;
  HRESULT lookup = S_OK;
  const DISPID id = dispidOf(object, name, &lookup);
  if (FAILED(lookup)) {
    reply.result = lookup;
    return reply;
  }
  // rgvarg holds the last argument first; a put's value is its named argument.
  std::vector<VARIANT> reversed;
  for (auto it = std::rbegin(arguments); it != std::rend(arguments); ++it) {
    reversed.push_back(*it->get());
  }
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr,
                    static_cast<UINT>(reversed.size()), 0};
  if (flags == DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &putId;
    params.cNamedArgs = 1;
  }
  EXCEPINFO exception{};
  reply.result = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                reply.value.get(), &exception, &reply.argError);
  if (exception.bstrDescription) reply.description = exception.bstrDescription;
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  return reply;
}

}  // namespace corvane::wine
