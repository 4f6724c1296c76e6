#include "toolwindow/standins/server/dispatch/strict_dispatch.h"

#include <cwchar>
#include <cwctype>
#include <exception>

#include "common/win32/wide_text.h"

namespace corvane::standin_server {
namespace {

std::wstring folded(const wchar_t* name) {
  std::wstring key(name);
  for (wchar_t& c : key) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  return key;
}

// The argument as the client meant it: a VT_BYREF|VT_VARIANT is looked
// through, as the standard dispatcher does.
const VARIANT& lookThrough(const VARIANT& value) {
  if (V_VT(&value) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(&value) != nullptr) {
    return *V_VARIANTREF(&value);
  }
  return value;
}

bool isMissing(const VARIANT& value) {
  const VARIANT& v = lookThrough(value);
  return V_VT(&v) == VT_ERROR && V_ERROR(&v) == DISP_E_PARAMNOTFOUND;
}

bool isObjectType(VARTYPE type) {
  const VARTYPE base = static_cast<VARTYPE>(type & ~VT_BYREF);
  return base == VT_DISPATCH || base == VT_UNKNOWN;
}

VARTYPE scalarType(ArgType type) {
  switch (type) {
    case ArgType::Text:
      return VT_BSTR;
    case ArgType::Int32:
      return VT_I4;
    case ArgType::Int16:
      return VT_I2;
    case ArgType::Real:
      return VT_R8;
    case ArgType::Flag:
      return VT_BOOL;
    default:
      return VT_EMPTY;
  }
}

bool isEmptyArray(const VARIANT& value) {
  const VARIANT& v = lookThrough(value);
  if ((V_VT(&v) & VT_ARRAY) == 0) return false;
  SAFEARRAY* array =
      (V_VT(&v) & VT_BYREF) ? (V_ARRAYREF(&v) ? *V_ARRAYREF(&v) : nullptr) : V_ARRAY(&v);
  if (array == nullptr) return true;
  if (SafeArrayGetDim(array) != 1) return false;
  LONG lower = 0;
  LONG upper = -1;
  SafeArrayGetLBound(array, 1, &lower);
  SafeArrayGetUBound(array, 1, &upper);
  return upper < lower;
}

}  // namespace

// From the name alone, so every start of the server and every class give a
// name the same DISPID: FNV-1a of the folded name, kept positive and clear
// of DISPID_VALUE.
DISPID dispidOf(const wchar_t* name) {
  const std::wstring key = folded(name);
  if (key == L"item") return DISPID_VALUE;
  std::uint32_t hash = 2166136261u;
  for (const wchar_t c : key) {
    hash ^= static_cast<std::uint32_t>(c);
    hash *= 16777619u;
  }
  return static_cast<DISPID>((hash & 0x3fffffffu) + 1);
}

// --- Arguments ------------------------------------------------------------------

Arguments::~Arguments() {
  for (VARIANT& value : values_) VariantClear(&value);
  for (AutomationObject* object : objects_) {
    if (object) object->Release();
  }
}

bool Arguments::present(std::size_t i) const {
  return i < values_.size() && (V_VT(&values_[i]) != VT_EMPTY || objects_[i] || outs_[i]);
}

std::string Arguments::text(std::size_t i, const char* fallback) const {
  if (!present(i) || V_VT(&values_[i]) != VT_BSTR) return fallback;
  const BSTR text = V_BSTR(&values_[i]);
  return utf8Text(std::wstring_view(text ? text : L"", SysStringLen(text)));
}

std::int32_t Arguments::int32(std::size_t i, std::int32_t fallback) const {
  return present(i) && V_VT(&values_[i]) == VT_I4 ? V_I4(&values_[i]) : fallback;
}

std::int16_t Arguments::int16(std::size_t i, std::int16_t fallback) const {
  return present(i) && V_VT(&values_[i]) == VT_I2 ? V_I2(&values_[i]) : fallback;
}

double Arguments::real(std::size_t i, double fallback) const {
  return present(i) && V_VT(&values_[i]) == VT_R8 ? V_R8(&values_[i]) : fallback;
}

bool Arguments::flag(std::size_t i, bool fallback) const {
  return present(i) && V_VT(&values_[i]) == VT_BOOL ? V_BOOL(&values_[i]) != VARIANT_FALSE
                                                    : fallback;
}

bool Arguments::isName(std::size_t i) const { return present(i) && V_VT(&values_[i]) == VT_BSTR; }

AutomationObject* Arguments::object(std::size_t i) const {
  return i < objects_.size() ? objects_[i] : nullptr;
}

void Arguments::setOut(std::size_t i, double value) const {
  VARIANT* out = i < outs_.size() ? outs_[i] : nullptr;
  if (out == nullptr) return;
  if (V_VT(out) == (VT_BYREF | VT_R8)) {
    *V_R8REF(out) = value;
  } else if (V_VT(out) == (VT_BYREF | VT_VARIANT)) {
    VARIANT* inner = V_VARIANTREF(out);
    VariantClear(inner);
    V_VT(inner) = VT_R8;
    V_R8(inner) = value;
  }
}

// --- Results ----------------------------------------------------------------------

void setResult(VARIANT* result, std::int32_t value) {
  V_VT(result) = VT_I4;
  V_I4(result) = value;
}

void setResult(VARIANT* result, double value) {
  V_VT(result) = VT_R8;
  V_R8(result) = value;
}

void setFlagResult(VARIANT* result, bool value) {
  V_VT(result) = VT_BOOL;
  V_BOOL(result) = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void setResult(VARIANT* result, const std::string& utf8) {
  const std::wstring text = wideText(utf8);
  V_VT(result) = VT_BSTR;
  V_BSTR(result) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

void setResult(VARIANT* result, AutomationObject* object) {
  V_VT(result) = VT_DISPATCH;
  V_DISPATCH(result) = object;
}

// --- The dispatcher ------------------------------------------------------------------

AutomationObject::AutomationObject(ObjectKind kind) : kind_(kind) {}

AutomationObject::~AutomationObject() = default;

STDMETHODIMP AutomationObject::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
      IsEqualIID(riid, kIidAutomationObject)) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) AutomationObject::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) AutomationObject::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP AutomationObject::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

STDMETHODIMP AutomationObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP AutomationObject::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                             DISPID* ids) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  for (const MemberSignature& member : signatures()) {
    if (_wcsicmp(member.name, names[0]) == 0) ids[0] = dispidOf(member.name);
  }
  // No member here takes named arguments, so any further name is unknown.
  return ids[0] == DISPID_UNKNOWN || count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
}

HRESULT AutomationObject::convert(const MemberSignature& member, bool put, const DISPPARAMS& params,
                                  Arguments& arguments, UINT* argError) const {
  const UINT positional = params.cArgs - params.cNamedArgs;
  auto reject = [&](UINT rgvargIndex, HRESULT error) {
    if (argError) *argError = rgvargIndex;
    return error;
  };

  std::vector<Param> wanted;
  std::vector<const VARIANT*> given;
  if (put) {
    wanted.push_back(Param{member.putType, false, member.putKind});
    given.push_back(&params.rgvarg[0]);  // the DISPID_PROPERTYPUT named argument
  } else {
    wanted = member.params;
    const bool varargs = !wanted.empty() && wanted.back().type == ArgType::ParamArray;
    std::size_t required = 0;
    for (const Param& param : wanted) required += param.optional ? 0 : 1;
    const std::size_t fixed = varargs ? wanted.size() - 1 : wanted.size();
    if (positional < required || (!varargs && positional > fixed)) return DISP_E_BADPARAMCOUNT;
    for (std::size_t i = 0; i < positional; ++i)
      given.push_back(&params.rgvarg[params.cArgs - 1 - i]);
    if (varargs) {
      wanted.pop_back();
      for (std::size_t i = fixed; i < given.size(); ++i) {
        if (!isEmptyArray(*given[i])) ++arguments.extra_;
      }
      if (given.size() > fixed) given.resize(fixed);
    }
  }

  arguments.values_.resize(wanted.size());
  arguments.objects_.assign(wanted.size(), nullptr);
  arguments.outs_.assign(wanted.size(), nullptr);
  for (VARIANT& value : arguments.values_) VariantInit(&value);

  for (std::size_t i = 0; i < wanted.size(); ++i) {
    const Param& param = wanted[i];
    const UINT at = put ? 0 : params.cArgs - 1 - static_cast<UINT>(i);
    if (i >= given.size() || isMissing(*given[i])) {
      if (!param.optional) {
        return i >= given.size() ? DISP_E_BADPARAMCOUNT : reject(at, DISP_E_PARAMNOTFOUND);
      }
      continue;
    }
    const VARIANT& raw = *given[i];
    const VARIANT& value = lookThrough(raw);
    switch (param.type) {
      case ArgType::OutReal:
        if (V_VT(&raw) != (VT_BYREF | VT_R8) && V_VT(&raw) != (VT_BYREF | VT_VARIANT)) {
          return reject(at, DISP_E_TYPEMISMATCH);
        }
        arguments.outs_[i] = const_cast<VARIANT*>(&raw);
        break;
      case ArgType::Object: {
        if (!isObjectType(V_VT(&value))) return reject(at, DISP_E_TYPEMISMATCH);
        IUnknown* unknown = (V_VT(&value) & VT_BYREF)
                                ? (V_UNKNOWNREF(&value) ? *V_UNKNOWNREF(&value) : nullptr)
                                : V_UNKNOWN(&value);
        if (unknown == nullptr) {
          if (!param.optional) return reject(at, DISP_E_TYPEMISMATCH);
          break;
        }
        void* ours = nullptr;
        if (FAILED(unknown->QueryInterface(kIidAutomationObject, &ours)) || ours == nullptr) {
          return reject(at, DISP_E_TYPEMISMATCH);
        }
        auto* object = static_cast<AutomationObject*>(static_cast<IDispatch*>(ours));
        arguments.objects_[i] = object;
        if (object->kind() != param.kind) return reject(at, DISP_E_TYPEMISMATCH);
        break;
      }
      case ArgType::IndexOrName:
        if (isObjectType(V_VT(&value))) return reject(at, DISP_E_TYPEMISMATCH);
        if (FAILED(VariantChangeType(&arguments.values_[i], const_cast<VARIANT*>(&value), 0,
                                     V_VT(&value) == VT_BSTR ? VT_BSTR : VT_I4))) {
          return reject(at, DISP_E_TYPEMISMATCH);
        }
        break;
      default:
        // An object where a plain value is declared would be read through its
        // default member; ours have none without arguments.
        if (isObjectType(V_VT(&value)) ||
            FAILED(VariantChangeType(&arguments.values_[i], const_cast<VARIANT*>(&value), 0,
                                     scalarType(param.type)))) {
          return reject(at, DISP_E_TYPEMISMATCH);
        }
        break;
    }
  }
  return S_OK;
}

STDMETHODIMP AutomationObject::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                      VARIANT* result, EXCEPINFO* exception, UINT* argError) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  const std::vector<MemberSignature>& members = signatures();
  std::size_t index = members.size();
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (dispidOf(members[i].name) == id) index = i;
  }
  if (index == members.size()) return DISP_E_MEMBERNOTFOUND;
  const MemberSignature& member = members[index];

  const bool putCall = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  const bool hasPut = member.kind == MemberKind::Put || member.kind == MemberKind::GetPut;
  const bool hasGet = member.kind == MemberKind::Get || member.kind == MemberKind::GetPut;
  if (putCall) {
    if (!hasPut || flags != DISPATCH_PROPERTYPUT) return DISP_E_MEMBERNOTFOUND;
  } else if (member.kind == MemberKind::Method) {
    if ((flags & DISPATCH_METHOD) == 0) return DISP_E_MEMBERNOTFOUND;
  } else if (!hasGet || (flags & DISPATCH_PROPERTYGET) == 0) {
    return DISP_E_MEMBERNOTFOUND;
  }

  const DISPPARAMS none{nullptr, nullptr, 0, 0};
  const DISPPARAMS& given = params ? *params : none;
  if (given.cArgs < given.cNamedArgs || (given.cArgs > 0 && given.rgvarg == nullptr) ||
      (given.cNamedArgs > 0 && given.rgdispidNamedArgs == nullptr)) {
    return E_INVALIDARG;
  }
  if (putCall) {
    if (given.cNamedArgs != 1 || given.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) {
      return given.cNamedArgs == 0 ? DISP_E_PARAMNOTFOUND : DISP_E_NONAMEDARGS;
    }
    if (given.cArgs != 1) return DISP_E_BADPARAMCOUNT;
  } else if (given.cNamedArgs != 0) {
    return DISP_E_NONAMEDARGS;
  }

  Arguments arguments;
  const HRESULT checked = convert(member, putCall, given, arguments, argError);
  if (FAILED(checked)) return checked;

  VARIANT unused;
  VARIANT* out = result ? result : &unused;
  VariantInit(out);
  AddRef();  // a member may drop the last client reference to this object
  // No exception may leave through COM: one from the stand-in's read-backs
  // becomes the call's error.
  host::HostStatus status;
  try {
    beforeMember();
    status = call(index, putCall, arguments, out);
    afterMember();
  } catch (const std::exception& failure) {
    status = host::HostError{"", failure.what()};
  }
  Release();
  if (!result) VariantClear(&unused);
  if (status) return S_OK;

  VariantClear(out);
  if (exception) {
    *exception = EXCEPINFO{};
    exception->bstrSource = SysAllocString(L"Corvane stand-in host");
    exception->bstrDescription = SysAllocString(wideText(status.error().text).c_str());
    exception->scode = static_cast<SCODE>(0x80040201L);
  }
  return DISP_E_EXCEPTION;
}

}  // namespace corvane::standin_server
