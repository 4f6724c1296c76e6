#pragma once

// The words the member tables are written in: each member states its
// signature as the host's object model declares it (name, invoke kind,
// arguments with their VARIANT types, the optional ones), and the strict
// dispatcher checks a call against it before the handler runs.

#include <utility>
#include <vector>

#include "toolwindow/standins/server/dispatch/strict_dispatch.h"

namespace corvane::standin_server::signatures {

inline constexpr Param kText{ArgType::Text};
inline constexpr Param kInt32{ArgType::Int32};
inline constexpr Param kInt16{ArgType::Int16};
inline constexpr Param kReal{ArgType::Real};
inline constexpr Param kFlag{ArgType::Flag};
inline constexpr Param kIndex{ArgType::IndexOrName};
inline constexpr Param kOut{ArgType::OutReal};
inline constexpr Param kMore{ArgType::ParamArray, true};

constexpr Param optional(Param param) {
  param.optional = true;
  return param;
}

constexpr Param object(ObjectKind kind, bool optional = false) {
  return Param{ArgType::Object, optional, kind};
}

inline MemberSignature get(const wchar_t* name, std::vector<Param> params = {}) {
  return {name, MemberKind::Get, std::move(params)};
}

inline MemberSignature method(const wchar_t* name, std::vector<Param> params = {}) {
  return {name, MemberKind::Method, std::move(params)};
}

inline MemberSignature put(const wchar_t* name, ArgType type,
                           ObjectKind kind = ObjectKind::Application) {
  return {name, MemberKind::Put, {}, type, kind};
}

inline MemberSignature getPut(const wchar_t* name, ArgType type,
                              ObjectKind kind = ObjectKind::Application) {
  return {name, MemberKind::GetPut, {}, type, kind};
}

}  // namespace corvane::standin_server::signatures
