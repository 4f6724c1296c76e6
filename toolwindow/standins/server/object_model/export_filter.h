#pragma once

// ExportFilter and the export options: what Document.ExportEx starts and
// Application.CreateStructExportOptions makes.

#include <utility>
#include <vector>

#include "toolwindow/standins/server/object_model/served_object.h"

namespace corvane::standin_server {

class ExportFilter : public Served<ExportFilter> {
 public:
  ExportFilter(ServerState& state, host::ExportFilter given)
      : Served(ObjectKind::ExportFilter, state), handle(std::move(given)) {}
  static const std::vector<Member<ExportFilter>>& members();
  host::ExportFilter handle;
};

class ExportOptions : public Served<ExportOptions> {
 public:
  ExportOptions(ServerState& state, host::ExportOptions given)
      : Served(ObjectKind::ExportOptions, state), handle(std::move(given)) {}
  static const std::vector<Member<ExportOptions>>& members();
  host::ExportOptions handle;
};

}  // namespace corvane::standin_server
