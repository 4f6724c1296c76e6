#include <memory>
#include <variant>

#include "common/path_text.h"
#include "output/transport/cups_queue_posix.h"
#include "output/transport/posix_ports.h"
#include "output/transport/posix_serial.h"
#include "output/transport/stream_file.h"
#include "output/transport/system_transport.h"
#include "output/transport/usb_spooler.h"

namespace corvane {

namespace {

// A USB printer-class device node takes the job as a plain write.
bool writeToDevice(SerialSystem& system, const std::string& device, std::string_view bytes,
                   Operator& op, const SendProgress& progress) {
  SystemError error;
  const std::unique_ptr<SerialConnection> connection = system.open(device, error);
  if (!connection) {
    op.tell(MessageKind::Stop, "Cannot open " + device + ": " + describe(error));
    return false;
  }
  const WriteOutcome outcome = connection->write(bytes);
  if (outcome.written != bytes.size() || outcome.failure) {
    std::string text = "Sending to " + device + " stopped after " +
                       std::to_string(outcome.written) + " of " + std::to_string(bytes.size()) +
                       " bytes";
    if (outcome.failure) text += ": " + describe(*outcome.failure);
    op.tell(MessageKind::Stop, text);
    return false;
  }
  if (progress) progress(bytes.size(), bytes.size());
  return true;
}

class PosixTransport final : public SystemTransport {
 public:
  std::vector<PortEntry> listPorts(Operator& op) override {
    std::vector<PortEntry> ports = listSerialDevices();
    auto queues = listCupsUsbQueues();
    if (auto* list = std::get_if<std::vector<PortEntry>>(&queues)) {
      ports.insert(ports.end(), list->begin(), list->end());
    } else {
      op.tell(MessageKind::Warning,
              "Enum USB Port Failed: " + describe(std::get<SystemError>(queues)));
    }
    for (PortEntry& device : listUsbPrinterDevices()) ports.push_back(std::move(device));
    return ports;
  }

  SerialSystem& serialSystem() override { return serial_; }

 private:
  bool sendTextToUsb(const PortEntry& port, std::string_view text, const SendOptions& options,
                     Operator& op) override {
    if (!usbTextRequestValid(port.name, text, op)) return false;
    return sendUsb(port, text, options, op);
  }

  bool sendFileToUsb(const PortEntry& port, const std::filesystem::path& path,
                     const SendOptions& options, Operator& op) override {
    if (!usbFileRequestValid(port.name, path, op)) return false;
    auto file = readStreamFile(path);
    if (const SystemError* error = std::get_if<SystemError>(&file)) {
      op.tell(MessageKind::Stop,
              "Stream file " + pathText(path) + " not sent: " + describe(*error));
      return false;
    }
    return sendUsb(port, std::get<std::string>(file), options, op);
  }

  bool sendUsb(const PortEntry& port, std::string_view bytes, const SendOptions& options,
               Operator& op) {
    if (port.kind == PortKind::UsbDevice) {
      return writeToDevice(serial_, port.name, bytes, op, options.progress);
    }
    return printToCupsQueue(port.name, bytes, options.documentName, op, options.progress);
  }

  PosixSerialSystem serial_;
};

}  // namespace

std::unique_ptr<Transport> makeSystemTransport() { return std::make_unique<PosixTransport>(); }

}  // namespace corvane
