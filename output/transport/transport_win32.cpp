#include <memory>

#include "output/transport/system_transport.h"
#include "output/transport/usb_spooler.h"
#include "output/transport/win32_systems.h"

namespace corvane {

namespace {

class Win32Transport final : public SystemTransport {
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

  SerialSystem& serialSystem() override { return serial_; }

 private:
  // Windows has no directly written USB devices; every USB port is a
  // spooler port.
  bool sendTextToUsb(const PortEntry& port, std::string_view text, const SendOptions& options,
                     Operator& op) override {
    return sendTextUsb(spooler_, port.name, text, options.documentName, op);
  }

  bool sendFileToUsb(const PortEntry& port, const std::filesystem::path& path,
                     const SendOptions& options, Operator& op) override {
    return sendFileUsb(spooler_, port.name, path, options.documentName, op, options.progress);
  }

  Win32SerialSystem serial_;
  Win32SerialCommRegistry registry_;
  Win32PrintSpooler spooler_;
};

}  // namespace

std::unique_ptr<Transport> makeSystemTransport() { return std::make_unique<Win32Transport>(); }

}  // namespace corvane
