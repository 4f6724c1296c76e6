#include "toolwindow/binding/argument_list_win32.h"

#include <algorithm>
#include <utility>

#include "common/win32/wide_text.h"

namespace corvane::host {

ArgumentList::ArgumentList(ArgumentList&& other) noexcept
    : values_(std::move(other.values_)), reversed_(other.reversed_) {
  other.values_.clear();
}

ArgumentList& ArgumentList::operator=(ArgumentList&& other) noexcept {
  if (this != &other) {
    for (VARIANT& value : values_) VariantClear(&value);
    values_ = std::move(other.values_);
    reversed_ = other.reversed_;
    other.values_.clear();
  }
  return *this;
}

ArgumentList::~ArgumentList() {
  for (VARIANT& value : values_) VariantClear(&value);
}

ArgumentList&& ArgumentList::Add(const VARIANT& value) {
  values_.push_back(value);
  return std::move(*this);
}

ArgumentList&& ArgumentList::Text(std::string_view utf8) && {
  const std::wstring wide = wideText(utf8);
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_BSTR;
  V_BSTR(&value) = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  return Add(value);
}

ArgumentList&& ArgumentList::Int32(std::int32_t number) && {
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_I4;
  V_I4(&value) = number;
  return Add(value);
}

ArgumentList&& ArgumentList::Int16(std::int16_t number) && {
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_I2;
  V_I2(&value) = number;
  return Add(value);
}

ArgumentList&& ArgumentList::Real(double number) && {
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_R8;
  V_R8(&value) = number;
  return Add(value);
}

ArgumentList&& ArgumentList::Boolean(bool flag) && {
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_BOOL;
  V_BOOL(&value) = flag ? VARIANT_TRUE : VARIANT_FALSE;
  return Add(value);
}

ArgumentList&& ArgumentList::Object(IDispatch* object) && {
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_DISPATCH;
  V_DISPATCH(&value) = object;
  if (object) object->AddRef();
  return Add(value);
}

ArgumentList&& ArgumentList::RealOut(double* out) && {
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_BYREF | VT_R8;
  V_R8REF(&value) = out;
  return Add(value);
}

ArgumentList&& ArgumentList::EmptyArray() && {
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(&value) = SafeArrayCreateVector(VT_VARIANT, 0, 0);
  return Add(value);
}

VARIANT* ArgumentList::ForInvoke() {
  if (!reversed_) {
    std::reverse(values_.begin(), values_.end());
    reversed_ = true;
  }
  return values_.empty() ? nullptr : values_.data();
}

}  // namespace corvane::host
