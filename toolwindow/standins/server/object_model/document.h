#pragma once

// Documents and Document: the open documents, and one with its measuring
// state, selection and export.

#include <utility>
#include <vector>

#include "toolwindow/standins/server/object_model/served_object.h"

namespace corvane::standin_server {

class Documents : public Served<Documents> {
 public:
  explicit Documents(ServerState& state) : Served(ObjectKind::Documents, state) {}
  static const std::vector<Member<Documents>>& members();
};

class Document : public Served<Document> {
 public:
  Document(ServerState& state, host::Document given)
      : Served(ObjectKind::Document, state), handle(std::move(given)) {}
  static const std::vector<Member<Document>>& members();
  host::Document handle;
};

}  // namespace corvane::standin_server
