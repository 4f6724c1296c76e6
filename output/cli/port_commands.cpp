#include "output/cli/port_commands.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "output/cli/cli_common.h"
#include "output/cli/interrupt_stop.h"

namespace corvane {

namespace {

constexpr const char* kUsage =
    "usage: corvane-out send FILE --port PORT [--baud N] [--title NAME]\n";

int usageError(const std::string& what) { return cli::usageError(what, kUsage); }

std::optional<std::uint32_t> parseBaud(std::string_view text) {
  std::uint32_t value = 0;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  if (result.ec != std::errc() || result.ptr != end || value == 0) return std::nullopt;
  return value;
}

// Listing also asks the print server, which may not be there, so it is
// only done for names that are not paths; its complaints are not the
// sender's business.
class QuietOperator final : public Operator {
 public:
  void tell(MessageKind, std::string_view) override {}
  bool askOkCancel(std::string_view) override { return false; }
};

}  // namespace

PortEntry resolvePort(Transport& transport, const std::string& name) {
  if (name.find('/') != std::string::npos) {
    const bool usbPrinter = name.rfind("/dev/usb/", 0) == 0;
    return {name, usbPrinter ? PortKind::UsbDevice : PortKind::Serial, ""};
  }
  QuietOperator quiet;
  for (const PortEntry& port : transport.listPorts(quiet)) {
    if (port.name == name) return port;
  }
  // Any other name is a print queue, whatever device it has.
  return {name, PortKind::UsbQueue, ""};
}

int runPortsCommand(Transport& transport, Operator& op, std::FILE* out) {
  for (const PortEntry& port : transport.listPorts(op)) {
    std::fprintf(out, "%s\t%s\t%s\n", port.name.c_str(), portKindName(port.kind),
                 port.description.c_str());
  }
  return 0;
}

int runSendCommand(int argc, char** argv, Transport& transport, Operator& op,
                   std::FILE* progressOut) {
  std::string file;
  std::string portName;
  bool portGiven = false;
  SendOptions options;
  options.documentName = "Output_Job";
  for (int i = 0; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--port" || arg == "--baud" || arg == "--title") {
      if (i + 1 >= argc) return usageError(std::string(arg) + " needs a value");
      const std::string value = argv[++i];
      if (arg == "--port") {
        portName = value;
        portGiven = true;
      } else if (arg == "--title") {
        options.documentName = value;
      } else {
        const auto baud = parseBaud(value);
        if (!baud) return usageError("--baud: not a number of baud: " + value);
        options.baud = *baud;
      }
    } else if (!arg.empty() && arg[0] == '-') {
      return usageError("unknown option " + std::string(arg));
    } else if (file.empty()) {
      file = arg;
    } else {
      return usageError("more than one file given");
    }
  }
  if (file.empty()) return usageError("no stream file given");
  if (!portGiven || portName.empty()) return usageError("no port given (--port PORT)");

  const PortEntry port = resolvePort(transport, portName);
  std::size_t sent = 0;
  std::size_t total = 0;
  if (progressOut != nullptr) {
    options.progress = [&](std::size_t done, std::size_t all) {
      sent = done;
      total = all;
      std::fprintf(progressOut, "\r%s: %zu of %zu bytes sent", port.name.c_str(), done, all);
      std::fflush(progressOut);
    };
  }
  SendStop stop;
  options.stop = &stop;
  const CtrlCStopsSend interruptible(stop);
  const bool complete = transport.sendFile(port, file, options, op);
  if (progressOut != nullptr && (sent != 0 || total != 0)) std::fputc('\n', progressOut);
  if (!complete) {
    std::fprintf(stderr, "corvane-out: %s not sent completely\n", file.c_str());
    return cli::kExitFailed;
  }
  return 0;
}

}  // namespace corvane
