#pragma once

#include <windows.h>
#include <oleauto.h>

namespace corvane::host {

// One VARIANT, cleared when it goes: the string, array or object in it is
// freed or released exactly once. Move-only.
class VariantValue {
 public:
  VariantValue() { VariantInit(&value_); }
  VariantValue(const VariantValue&) = delete;
  VariantValue& operator=(const VariantValue&) = delete;
  VariantValue(VariantValue&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }
  VariantValue& operator=(VariantValue&& other) noexcept {
    if (this != &other) {
      VariantClear(&value_);
      value_ = other.value_;
      VariantInit(&other.value_);
    }
    return *this;
  }
  ~VariantValue() { VariantClear(&value_); }

  VARIANT* get() { return &value_; }
  const VARIANT& operator*() const { return value_; }
  VARTYPE type() const { return V_VT(&value_); }

 private:
  VARIANT value_;
};

}  // namespace corvane::host
