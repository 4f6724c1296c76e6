#include "output/transport/system_transport.h"

#include "output/transport/serial_send.h"

namespace corvane {

bool SystemTransport::sendText(const PortEntry& port, std::string_view text,
                               const SendOptions& options, Operator& op) {
  if (port.kind != PortKind::Serial) return sendTextToUsb(port, text, options, op);
  return sendTextSerial(serialSystem(), port.name, text, options.baud, op, options.progress,
                        options.stop);
}

bool SystemTransport::sendFile(const PortEntry& port, const std::filesystem::path& path,
                               const SendOptions& options, Operator& op) {
  if (port.kind != PortKind::Serial) return sendFileToUsb(port, path, options, op);
  return sendFileSerial(serialSystem(), port.name, path, options.baud, op, options.progress,
                        options.stop);
}

}  // namespace corvane
