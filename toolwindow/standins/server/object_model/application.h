#pragma once

// Application: what a client of the three application classes is handed.
// Every Application works on the one stand-in host of the server; they
// differ only in the VersionMajor of their class.

#include <cstdint>
#include <vector>

#include "toolwindow/standins/server/object_model/served_object.h"

namespace corvane::standin_server {

class Application : public Served<Application> {
 public:
  Application(ServerState& state, std::int32_t versionMajor)
      : Served(ObjectKind::Application, state), version(versionMajor) {}
  static const std::vector<Member<Application>>& members();
  std::int32_t version;
};

}  // namespace corvane::standin_server
