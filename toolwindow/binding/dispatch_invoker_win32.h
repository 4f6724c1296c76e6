#pragma once

#include <windows.h>
#include <oaidl.h>

#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "toolwindow/binding/argument_list_win32.h"
#include "toolwindow/binding/variant_value_win32.h"

namespace corvane::host {

// The kinds of host object the binding calls. Member ids are numbered per
// interface, so they are cached per kind and member name.
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
  Bitmap,
  TraceSettings,
  Outline,
  Colour,
  Curve,
  Subpath,
  Effect,
  ExportOptions,
  ExportFilter,
};

// The host's own name of the kind, for messages.
std::string_view KindName(ObjectKind kind);

enum class CallKind {
  Get,     // DISPATCH_PROPERTYGET
  Put,     // DISPATCH_PROPERTYPUT, the value as the named DISPID_PROPERTYPUT
  Method,  // DISPATCH_METHOD
};

// What one call came back with. On DISP_E_EXCEPTION hostText holds the
// host's description of the failure, hostSource who raised it and hostCode
// its own code; on a type mismatch or a missing parameter, badArgument is
// the argument's position, from 1, in declared order.
struct InvokeOutcome {
  HRESULT hr = S_OK;
  VariantValue result;
  std::string hostText;
  std::string hostSource;
  HRESULT hostCode = S_OK;
  UINT badArgument = 0;
  // There was no object to call: an empty handle, or another host's.
  bool noTarget = false;
  // Not called: the command already lost its host.
  bool commandEnded = false;
};

// The one generic late-bound call: looks the member up by name (once per
// kind and name), calls it with the arguments in the reversed order Invoke
// wants, and reads EXCEPINFO, freeing everything the call handed back but
// the result.
class DispatchInvoker {
 public:
  InvokeOutcome Invoke(IDispatch* target, ObjectKind kind, std::wstring_view member, CallKind call,
                       ArgumentList arguments);

  // Member ids are only good for the host they came from.
  void Forget() { ids_.clear(); }

 private:
  HRESULT Lookup(IDispatch* target, ObjectKind kind, std::wstring_view member, DISPID* id);

  std::map<std::pair<ObjectKind, std::wstring>, DISPID> ids_;
};

}  // namespace corvane::host
