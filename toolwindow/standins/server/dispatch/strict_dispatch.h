#pragma once

#include <windows.h>
#include <oleauto.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "toolwindow/host/host_result.h"

// A hand-written IDispatch that checks its calls the way a type-library
// dispatcher does, so a client that would fail against the real host fails
// here too:
//   - a name not in the object's table: DISP_E_UNKNOWNNAME;
//   - a getter called without DISPATCH_PROPERTYGET, a method without
//     DISPATCH_METHOD (both bits together are fine for either), a put that
//     is no DISPATCH_PROPERTYPUT with the DISPID_PROPERTYPUT named argument:
//     DISP_E_MEMBERNOTFOUND (DISP_E_PARAMNOTFOUND for a put without its
//     named argument);
//   - fewer arguments than the required ones, or more than declared:
//     DISP_E_BADPARAMCOUNT. Optional ones may be left off the end or passed
//     as VT_ERROR with DISP_E_PARAMNOTFOUND;
//   - a value VariantChangeType cannot turn into the declared type, an
//     object that is not one of ours of the declared kind, an [out] double
//     that is not VT_BYREF|VT_R8 or VT_BYREF|VT_VARIANT: DISP_E_TYPEMISMATCH
//     with puArgErr, the index into the (reversed) rgvarg;
//   - a failed host operation: DISP_E_EXCEPTION with the host's text.
namespace corvane::standin_server {

enum class ObjectKind {
  Application,
  Documents,
  Document,
  Page,
  Layers,
  Layer,
  Shapes,
  ShapeRange,
  Shape,
  Outline,
  Color,
  Bitmap,
  TraceSettings,
  Effect,
  Curve,
  SubPath,
  ExportFilter,
  ExportOptions,
  // Never made here: only Nothing is accepted where palette options go.
  PaletteOptions,
};

enum class ArgType {
  Text,         // VT_BSTR
  Int32,        // VT_I4 (also every enumeration)
  Int16,        // VT_I2
  Real,         // VT_R8
  Flag,         // VT_BOOL
  IndexOrName,  // VT_I4 (from 1) or VT_BSTR
  Object,       // VT_DISPATCH of one of ours, or Nothing where optional
  OutReal,      // [out] double
  ParamArray,   // any further values
};

struct Param {
  ArgType type;
  bool optional = false;
  ObjectKind kind = ObjectKind::Application;  // for ArgType::Object
};

class AutomationObject;

// The arguments of one call, checked and converted.
class Arguments {
 public:
  Arguments() = default;
  ~Arguments();
  Arguments(const Arguments&) = delete;
  Arguments& operator=(const Arguments&) = delete;

  // Positional argument i (from 0, in the member's order).
  bool present(std::size_t i) const;
  std::string text(std::size_t i, const char* fallback = "") const;
  std::int32_t int32(std::size_t i, std::int32_t fallback = 0) const;
  std::int16_t int16(std::size_t i, std::int16_t fallback = 0) const;
  double real(std::size_t i, double fallback = 0) const;
  bool flag(std::size_t i, bool fallback = false) const;
  bool isName(std::size_t i) const;
  // Null for Nothing or an absent optional object.
  AutomationObject* object(std::size_t i) const;
  void setOut(std::size_t i, double value) const;
  // How many values followed the fixed arguments (an empty array counts none).
  std::size_t extraValues() const { return extra_; }

 private:
  friend class AutomationObject;
  std::vector<VARIANT> values_;  // converted; VT_EMPTY when absent
  std::vector<AutomationObject*> objects_;
  std::vector<VARIANT*> outs_;
  std::size_t extra_ = 0;
};

// The result of a member: set it or leave it VT_EMPTY.
void setResult(VARIANT* result, std::int32_t value);
void setResult(VARIANT* result, double value);
void setFlagResult(VARIANT* result, bool value);
void setResult(VARIANT* result, const std::string& utf8);
// Takes over the object's reference; null gives Nothing.
void setResult(VARIANT* result, AutomationObject* object);

enum class MemberKind { Get, Put, GetPut, Method };

struct MemberSignature {
  const wchar_t* name;
  MemberKind kind;
  std::vector<Param> params;  // of the get or the method
  ArgType putType = ArgType::Text;
  ObjectKind putKind = ObjectKind::Application;
};

// The one DISPID of a member name, the same in every class ("Item" is
// DISPID_VALUE, the default member).
DISPID dispidOf(const wchar_t* name);

// The private interface that identifies our own objects when a client hands
// one back.
// {5C0A8E31-7D2B-4F4E-9A61-3B2D0F1C7E55}
inline constexpr IID kIidAutomationObject = {
    0x5c0a8e31, 0x7d2b, 0x4f4e, {0x9a, 0x61, 0x3b, 0x2d, 0x0f, 0x1c, 0x7e, 0x55}};

class AutomationObject : public IDispatch {
 public:
  explicit AutomationObject(ObjectKind kind);
  virtual ~AutomationObject();
  AutomationObject(const AutomationObject&) = delete;
  AutomationObject& operator=(const AutomationObject&) = delete;

  ObjectKind kind() const { return kind_; }

  STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT* argError) override;

 protected:
  virtual const std::vector<MemberSignature>& signatures() const = 0;
  // Runs member `index` of signatures(); `put` says which half of a GetPut.
  virtual host::HostStatus call(std::size_t index, bool put, const Arguments& arguments,
                                VARIANT* result) = 0;
  // Around every call that reaches a member: before it runs, and after it
  // has returned, with or without success.
  virtual void beforeMember() = 0;
  virtual void afterMember() = 0;

 private:
  HRESULT convert(const MemberSignature& member, bool put, const DISPPARAMS& params,
                  Arguments& arguments, UINT* argError) const;

  ObjectKind kind_;
  std::atomic<ULONG> references_{1};
};

// A member table bound to a concrete class: a signature and a handler each.
template <class Self>
struct Member {
  MemberSignature signature;
  host::HostStatus (*get)(Self&, const Arguments&, VARIANT*) = nullptr;
  host::HostStatus (*put)(Self&, const Arguments&) = nullptr;
};

template <class Self>
class Automated : public AutomationObject {
 public:
  explicit Automated(ObjectKind kind) : AutomationObject(kind) {}

 protected:
  const std::vector<MemberSignature>& signatures() const override {
    static const std::vector<MemberSignature> list = [] {
      std::vector<MemberSignature> out;
      for (const Member<Self>& member : Self::members()) out.push_back(member.signature);
      return out;
    }();
    return list;
  }
  host::HostStatus call(std::size_t index, bool put, const Arguments& arguments,
                        VARIANT* result) override {
    const Member<Self>& member = Self::members()[index];
    Self& self = static_cast<Self&>(*this);
    return put ? member.put(self, arguments) : member.get(self, arguments, result);
  }
};

}  // namespace corvane::standin_server
