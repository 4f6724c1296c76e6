#include "output/transport/serial_send.h"

#include <memory>
#include <variant>

#include "common/path_text.h"
#include "output/transport/stream_file.h"

namespace corvane {

SerialConnection::~SerialConnection() = default;

WriteOutcome SerialConnection::writeUnlessStopped(std::string_view bytes, SendStop& stop) {
  if (stop.requested()) return {0, {}, true};
  return write(bytes);
}

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

// What one send needs at each of its writes.
struct Writing {
  SerialConnection& connection;
  const std::string& port;
  std::size_t total;
  Operator& op;
  const SendProgress& progress;
  SendStop* stop;
  std::size_t sent = 0;
};

// One write of the whole piece; a write that stops early ends the send.
bool writePiece(Writing& w, std::string_view piece) {
  const WriteOutcome outcome =
      w.stop ? w.connection.writeUnlessStopped(piece, *w.stop) : w.connection.write(piece);
  w.sent += outcome.written;
  if (outcome.written != piece.size() || outcome.failure || outcome.stopped) {
    std::string text = "Sending to " + w.port + " stopped after " + std::to_string(w.sent) +
                       " of " + std::to_string(w.total) + " bytes";
    if (outcome.failure) {
      text += ": " + describe(*outcome.failure);
    } else if (outcome.stopped) {
      text += std::string(": ") + kStoppedByOperator;
    }
    w.op.tell(MessageKind::Stop, text);
    return false;
  }
  if (w.progress) w.progress(w.sent, w.total);
  return true;
}

}  // namespace

bool sendTextSerial(SerialSystem& system, const std::string& port, std::string_view text,
                    std::uint32_t baud, Operator& op, const SendProgress& progress,
                    SendStop* stop) {
  const std::unique_ptr<SerialConnection> connection = openPort(system, port, baud, op);
  if (!connection) return false;
  Writing writing{*connection, port, text.size(), op, progress, stop};
  return writePiece(writing, text);
}

bool sendFileSerial(SerialSystem& system, const std::string& port,
                    const std::filesystem::path& path, std::uint32_t baud, Operator& op,
                    const SendProgress& progress, SendStop* stop) {
  auto file = readStreamFile(path);
  if (const SystemError* error = std::get_if<SystemError>(&file)) {
    op.tell(MessageKind::Stop, "Stream file " + pathText(path) + " not sent: " + describe(*error));
    return false;
  }
  const std::string& bytes = std::get<std::string>(file);
  const std::unique_ptr<SerialConnection> connection = openPort(system, port, baud, op);
  if (!connection) return false;

  const std::string_view all = bytes;
  Writing writing{*connection, port, all.size(), op, progress, stop};
  if (all.size() < kSerialChunkBytes) return writePiece(writing, all);
  const std::size_t fullChunks = all.size() / kSerialChunkBytes;
  for (std::size_t i = 0; i < fullChunks; ++i) {
    if (!writePiece(writing, all.substr(i * kSerialChunkBytes, kSerialChunkBytes))) return false;
  }
  // The rest goes out even when it is empty, so every system sees the same
  // pattern of writes for the same file.
  return writePiece(writing, all.substr(fullChunks * kSerialChunkBytes));
}

}  // namespace corvane
