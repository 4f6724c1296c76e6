#include <memory>

#include "output/transport/serial_send.h"
#include "output/transport/transport.h"
#include "output/transport/usb_spooler.h"
#include "output/transport/win32_systems.h"

namespace corvane {

namespace {

class Win32Transport final : public Transport {
 public:
  std::vector<PortEntry> listPorts(Operator& op) override {
    std::vector<PortEntry> ports;
    for (std::string& name : listSerialPorts(registry_)) {
      ports.push_back({std::move(name), PortKind::Serial, ""});
    }
    std::vector<std::string> usb;
    if (!listUsbPorts(spooler_, usb)) op.tell(MessageKind::Stop, "Enum USB Port Failed");
    for (std::string& name : usb) ports.push_back({std::move(name), PortKind::UsbQueue, ""});
    return ports;
  }

  // Windows has no directly written USB devices; every USB port is a
  // spooler port.
  bool sendText(const PortEntry& port, std::string_view text, const SendOptions& options,
                Operator& op) override {
    if (port.kind == PortKind::Serial) {
      return sendTextSerial(serial_, port.name, text, options.baud, op, options.progress,
                            options.stop);
    }
    return sendTextUsb(spooler_, port.name, text, options.documentName, op);
  }

  bool sendFile(const PortEntry& port, const std::filesystem::path& path,
                const SendOptions& options, Operator& op) override {
    if (port.kind == PortKind::Serial) {
      return sendFileSerial(serial_, port.name, path, options.baud, op, options.progress,
                            options.stop);
    }
    return sendFileUsb(spooler_, port.name, path, options.documentName, op, options.progress);
  }

  SerialSystem& serialSystem() override { return serial_; }

 private:
  Win32SerialSystem serial_;
  Win32SerialCommRegistry registry_;
  Win32PrintSpooler spooler_;
};

}  // namespace

std::unique_ptr<Transport> makeSystemTransport() { return std::make_unique<Win32Transport>(); }

}  // namespace corvane
