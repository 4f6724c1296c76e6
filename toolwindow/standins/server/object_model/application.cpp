#include "toolwindow/standins/server/object_model/objects.h"

#include <stdexcept>
#include <string>

#include "toolwindow/standins/server/object_model/signatures.h"

namespace corvane::standin_server {
namespace {

using host::HostStatus;
using namespace signatures;

HostStatus documents(Application& self, const Arguments&, VARIANT* r) {
  return answered(r, new Documents(self.state()));
}

HostStatus activeDocument(Application& self, const Arguments&, VARIANT* r) {
  auto document = self.stand().GetActiveDocument();
  // The host answers Nothing when no document is open.
  if (!document && self.stand().documentCount() == 0) return answered(r, kNothing);
  return self.answerAs<Document>(std::move(document), r);
}

HostStatus activeLayer(Application& self, const Arguments&, VARIANT* r) {
  return self.answerAs<Layer>(self.stand().GetCurrentLayer(), r);
}

HostStatus activeSelectionRange(Application& self, const Arguments&, VARIANT* r) {
  return self.answerAs<ShapeRange>(self.stand().GetSelectionRange(), r);
}

HostStatus activePage(Application& self, const Arguments&, VARIANT* r) {
  return answered(r, self.stand().documentCount() == 0 ? nullptr : new Page(self.state()));
}

HostStatus createCmykColor(Application& self, const Arguments& a, VARIANT* r) {
  return self.answerAs<Color>(
      self.stand().NewCmykColour(a.int32(0), a.int32(1), a.int32(2), a.int32(3)), r);
}

HostStatus createCurve(Application& self, const Arguments& a, VARIANT* r) {
  host::Document document;
  if (auto* given = objectArg<Document>(a, 0)) {
    document = given->handle;
  } else {
    // Unbound: the stand-in's curves always belong to a document.
    auto active = self.stand().GetActiveDocument();
    if (!active) return active.error();
    document = active.value();
  }
  return self.answerAs<Curve>(self.stand().NewCurve(document), r);
}

HostStatus createStructExportOptions(Application& self, const Arguments&, VARIANT* r) {
  return self.answerAs<ExportOptions>(self.stand().NewExportOptions(), r);
}

HostStatus createShapeRange(Application& self, const Arguments&, VARIANT* r) {
  return answered(r, new ShapeRange(self.state()));
}

HostStatus versionMajor(Application& self, const Arguments&, VARIANT* r) {
  return answered(r, self.version);
}

HostStatus visible(Application& self, const Arguments&, VARIANT* r) {
  setFlagResult(r, self.state().settings().visible);
  return {};
}

HostStatus quit(Application& self, const Arguments&, VARIANT*) {
  self.state().quit();
  return {};
}

// --- The stand-in's own members, for tests and trials ----------------------

HostStatus dump(Application& self, const Arguments& a, VARIANT*) {
  const HostStatus written = self.state().dump(a.text(0), a.text(1));
  if (!written) return refused(written.error().text);
  return {};
}

HostStatus failCall(Application& self, const Arguments& a, VARIANT*) {
  try {
    self.stand().failCall(a.text(0), a.int32(1), a.text(2));
  } catch (const std::invalid_argument& mistake) {
    return refused(mistake.what());
  }
  return {};
}

HostStatus callLog(Application& self, const Arguments&, VARIANT* r) {
  std::string text;
  for (const standin::Call& call : self.stand().calls()) text += call.text() + "\n";
  return answered(r, text);
}

HostStatus clearCalls(Application& self, const Arguments&, VARIANT*) {
  self.stand().clearCalls();
  return {};
}

}  // namespace

const std::vector<Member<Application>>& Application::members() {
  static const std::vector<Member<Application>> table{
      {get(L"Documents"), documents},
      {get(L"ActiveDocument"), activeDocument},
      {get(L"ActiveLayer"), activeLayer},
      {get(L"ActiveSelectionRange"), activeSelectionRange},
      {get(L"ActivePage"), activePage},
      {method(L"CreateCMYKColor", {kInt32, kInt32, kInt32, kInt32}), createCmykColor},
      {method(L"CreateCurve", {object(ObjectKind::Document, true)}), createCurve},
      {method(L"CreateStructExportOptions"), createStructExportOptions},
      {method(L"CreateShapeRange"), createShapeRange},
      {get(L"VersionMajor"), versionMajor},
      {get(L"Visible"), visible},
      {method(L"Quit"), quit},
      // No real host has these.
      {method(L"StandInDump", {kText, optional(kText)}), dump},
      {method(L"StandInFailCall", {kText, kInt32, kText}), failCall},
      {get(L"StandInCallLog"), callLog},
      {method(L"StandInClearCalls"), clearCalls},
  };
  return table;
}

}  // namespace corvane::standin_server
