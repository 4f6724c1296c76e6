#pragma once

// The drawing host's object model over the stand-in host: Application,
// Document, Page, Layers, Layer, Shapes, ShapeRange, Shape, Outline, Color,
// Bitmap, TraceSettings, Effect, Curve, SubPath, ExportFilter and the export
// options, each member one or a few DrawingHost operations on handles of the
// stand-in. The member table is in host_object_model.cpp; the README of
// this folder lists it.

#include <cstdint>
#include <functional>
#include <string>

#include "toolwindow/standins/host/standin_host.h"
#include "toolwindow/standins/server/strict_dispatch.h"

namespace corvane::standin_server {

// What the Application's private members reach outside the object model.
struct ServerHooks {
  // Application.Quit: the server ends once the call has returned.
  std::function<void()> quit;
  // Application.StandInDump(textFile [, svgFile]): writes the document out;
  // returns an error text, empty on success.
  std::function<std::string(const std::string& text, const std::string& svg)> dump;
  // Application.Visible: True when the operator started the server (its
  // window shown), False when COM started it for a client.
  bool visible = true;
  // TraceSettings.Finish gives Nothing and vectorises nothing, leaving the
  // selection as it was: a host whose vectorising failed quietly.
  bool finishGivesNothing = false;
};

// A new Application with one reference, for clients of the class whose
// VersionMajor is given. Every Application shares the one host.
AutomationObject* makeApplication(standin::StandInHost& host, std::int32_t versionMajor,
                                  const ServerHooks& hooks);

}  // namespace corvane::standin_server
