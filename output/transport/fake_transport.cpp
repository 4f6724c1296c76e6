#include "output/transport/fake_transport.h"

#include <variant>

#include "output/transport/stream_file.h"

namespace corvane {

std::vector<PortEntry> FakeTransport::listPorts(Operator&) { return ports; }

bool FakeTransport::sendText(const PortEntry& port, std::string_view text,
                             const SendOptions& options, Operator& op) {
  sends.push_back({port, std::string(text), {}, options});
  if (failSends) op.tell(MessageKind::Stop, "Sending to " + port.name + " failed");
  return !failSends;
}

bool FakeTransport::sendFile(const PortEntry& port, const std::string& path,
                             const SendOptions& options, Operator& op) {
  auto file = readStreamFile(path);
  if (const SystemError* error = std::get_if<SystemError>(&file)) {
    op.tell(MessageKind::Stop, "Stream file " + path + " not sent: " + describe(*error));
    return false;
  }
  sends.push_back({port, std::get<std::string>(std::move(file)), path, options});
  if (failSends) op.tell(MessageKind::Stop, "Sending to " + port.name + " failed");
  return !failSends;
}

}  // namespace corvane
