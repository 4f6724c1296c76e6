#include "output/transport/serial_send.h"

#include <memory>
#include <variant>

#include "output/transport/stream_file.h"

namespace corvane {

SerialConnection::~SerialConnection() = default;
SerialSystem::~SerialSystem() = default;

namespace {

std::unique_ptr<SerialConnection> openPort(SerialSystem& system, const std::string& port,
                                           std::uint32_t baud, Operator& op) {
  SystemError error;
  std::unique_ptr<SerialConnection> connection = port.empty() ? nullptr : system.open(port, error);
  if (!connection) {
    op.tell(MessageKind::Stop, kOpenCommFailed);
    return nullptr;
  }
  LineSettings line;
  line.baud = baud;
  connection->applyLine(line);
  return connection;
}

// One write of the whole piece; a write that stops early ends the send.
bool writePiece(SerialConnection& connection, std::string_view piece, std::size_t& sent,
                std::size_t total, const std::string& port, Operator& op,
                const SendProgress& progress) {
  const WriteOutcome outcome = connection.write(piece);
  sent += outcome.written;
  if (outcome.written != piece.size() || outcome.failure) {
    std::string text = "Sending to " + port + " stopped after " + std::to_string(sent) + " of " +
                       std::to_string(total) + " bytes";
    if (outcome.failure) text += ": " + describe(*outcome.failure);
    op.tell(MessageKind::Stop, text);
    return false;
  }
  if (progress) progress(sent, total);
  return true;
}

}  // namespace

bool sendTextSerial(SerialSystem& system, const std::string& port, std::string_view text,
                    std::uint32_t baud, Operator& op, const SendProgress& progress) {
  const std::unique_ptr<SerialConnection> connection = openPort(system, port, baud, op);
  if (!connection) return false;
  std::size_t sent = 0;
  return writePiece(*connection, text, sent, text.size(), port, op, progress);
}

bool sendFileSerial(SerialSystem& system, const std::string& port, const std::string& path,
                    std::uint32_t baud, Operator& op, const SendProgress& progress) {
  auto file = readStreamFile(path);
  if (const SystemError* error = std::get_if<SystemError>(&file)) {
    op.tell(MessageKind::Stop, "Stream file " + path + " not sent: " + describe(*error));
    return false;
  }
  const std::string& bytes = std::get<std::string>(file);
  const std::unique_ptr<SerialConnection> connection = openPort(system, port, baud, op);
  if (!connection) return false;

  const std::string_view all = bytes;
  std::size_t sent = 0;
  if (all.size() < kSerialChunkBytes) {
    return writePiece(*connection, all, sent, all.size(), port, op, progress);
  }
  const std::size_t fullChunks = all.size() / kSerialChunkBytes;
  for (std::size_t i = 0; i < fullChunks; ++i) {
    if (!writePiece(*connection, all.substr(i * kSerialChunkBytes, kSerialChunkBytes), sent,
                    all.size(), port, op, progress)) {
      return false;
    }
  }
  // The rest goes out even when it is empty, so every system sees the same
  // pattern of writes for the same file.
  return writePiece(*connection, all.substr(fullChunks * kSerialChunkBytes), sent, all.size(), port,
                    op, progress);
}

}  // namespace corvane
