#include "toolwindow/binding/dispatch_invoker_win32.h"

#include "common/win32/wide_text.h"

namespace corvane::host {

std::string_view KindName(ObjectKind kind) {
  switch (kind) {
    case ObjectKind::Application:
      return "Application";
    case ObjectKind::Documents:
      return "Documents";
    case ObjectKind::Document:
      return "Document";
    case ObjectKind::Page:
      return "Page";
    case ObjectKind::Layers:
      return "Layers";
    case ObjectKind::Layer:
      return "Layer";
    case ObjectKind::Shapes:
      return "Shapes";
    case ObjectKind::ShapeRange:
      return "ShapeRange";
    case ObjectKind::Shape:
      return "Shape";
    case ObjectKind::Bitmap:
      return "Bitmap";
    case ObjectKind::TraceSettings:
      return "TraceSettings";
    case ObjectKind::Outline:
      return "Outline";
    case ObjectKind::Colour:
      return "Color";
    case ObjectKind::Curve:
      return "Curve";
    case ObjectKind::Subpath:
      return "SubPath";
    case ObjectKind::Effect:
      return "Effect";
    case ObjectKind::ExportOptions:
      return "StructExportOptions";
    case ObjectKind::ExportFilter:
      return "ExportFilter";
  }
  return "Object";
}

namespace {

WORD InvokeFlags(CallKind call) {
  switch (call) {
    case CallKind::Get:
      return DISPATCH_PROPERTYGET;
    case CallKind::Put:
      return DISPATCH_PROPERTYPUT;
    case CallKind::Method:
      return DISPATCH_METHOD;
  }
  return DISPATCH_METHOD;
}

std::string TakeText(BSTR& text) {
  std::string utf8 = text ? utf8Text(std::wstring_view(text, SysStringLen(text))) : std::string();
  SysFreeString(text);
  text = nullptr;
  return utf8;
}

}  // namespace

HRESULT DispatchInvoker::Lookup(IDispatch* target, ObjectKind kind, std::wstring_view member,
                                DISPID* id) {
  auto key = std::make_pair(kind, std::wstring(member));
  if (auto known = ids_.find(key); known != ids_.end()) {
    *id = known->second;
    return S_OK;
  }
  LPOLESTR name = key.second.data();
  const HRESULT hr = target->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, id);
  if (SUCCEEDED(hr)) ids_.emplace(std::move(key), *id);
  return hr;
}

InvokeOutcome DispatchInvoker::Invoke(IDispatch* target, ObjectKind kind, std::wstring_view member,
                                      CallKind call, ArgumentList arguments) {
  InvokeOutcome outcome;
  DISPID id = DISPID_UNKNOWN;
  outcome.hr = Lookup(target, kind, member, &id);
  if (FAILED(outcome.hr)) return outcome;

  // Never a null DISPPARAMS: the oleaut32 proxy does not take one.
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS parameters{};
  parameters.cArgs = static_cast<UINT>(arguments.size());
  parameters.rgvarg = arguments.ForInvoke();
  if (call == CallKind::Put) {
    parameters.rgdispidNamedArgs = &putId;
    parameters.cNamedArgs = 1;
  }
  EXCEPINFO exception{};
  UINT argumentError = 0;
  outcome.hr = target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, InvokeFlags(call), &parameters,
                              outcome.result.get(), &exception, &argumentError);
  if (outcome.hr == DISP_E_EXCEPTION && exception.pfnDeferredFillIn) {
    exception.pfnDeferredFillIn(&exception);
  }
  std::string description = TakeText(exception.bstrDescription);
  std::string source = TakeText(exception.bstrSource);
  TakeText(exception.bstrHelpFile);
  if (outcome.hr == DISP_E_EXCEPTION) {
    outcome.hostText = std::move(description);
    outcome.hostSource = std::move(source);
    outcome.hostCode = exception.scode != 0 ? exception.scode : exception.wCode;
  }
  // puArgErr counts in rgvarg, which runs backwards.
  if ((outcome.hr == DISP_E_TYPEMISMATCH || outcome.hr == DISP_E_PARAMNOTFOUND) &&
      argumentError < parameters.cArgs) {
    outcome.badArgument = parameters.cArgs - argumentError;
  }
  return outcome;
}

}  // namespace corvane::host
