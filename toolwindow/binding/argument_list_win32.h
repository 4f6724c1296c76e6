#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace corvane::host {

// The arguments of one host call, in the order the member declares them, each
// a VARIANT of exactly the type the host's dispatcher expects. What the list
// holds (strings, arrays, object references) is freed when the list goes.
//
//   ArgumentList().Text(file).Int32(1281).Int32(2).Object(options).Nothing()
class ArgumentList {
 public:
  ArgumentList() = default;
  ArgumentList(const ArgumentList&) = delete;
  ArgumentList& operator=(const ArgumentList&) = delete;
  ArgumentList(ArgumentList&& other) noexcept;
  ArgumentList& operator=(ArgumentList&& other) noexcept;
  ~ArgumentList();

  ArgumentList&& Text(std::string_view utf8) &&;  // VT_BSTR
  ArgumentList&& Int32(std::int32_t value) &&;    // VT_I4: also every enumeration
  ArgumentList&& Int16(std::int16_t value) &&;    // VT_I2
  ArgumentList&& Real(double value) &&;           // VT_R8
  ArgumentList&& Boolean(bool value) &&;          // VT_BOOL: true is VARIANT_TRUE, -1
  // VT_DISPATCH; a null object passes Nothing. The list holds a reference of
  // its own for the call.
  ArgumentList&& Object(IDispatch* object) &&;
  ArgumentList&& Nothing() && { return std::move(*this).Object(nullptr); }
  // An [out] double the host writes: VT_BYREF|VT_R8 pointing at *out.
  ArgumentList&& RealOut(double* out) &&;
  // An empty parameter array: VT_ARRAY|VT_VARIANT with no element.
  ArgumentList&& EmptyArray() &&;

  std::size_t size() const { return values_.size(); }

  // rgvarg as IDispatch::Invoke reads it: the last argument first.
  VARIANT* ForInvoke();

 private:
  ArgumentList&& Add(const VARIANT& value);

  std::vector<VARIANT> values_;
  bool reversed_ = false;
};

}  // namespace corvane::host
