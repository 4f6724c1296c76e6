#include "output/transport/usb_spooler.h"

#include <chrono>
#include <memory>
#include <variant>

#include "common/path_text.h"
#include "output/transport/stream_file.h"

namespace corvane {

PrinterConnection::~PrinterConnection() = default;
PrintSpooler::~PrintSpooler() = default;

namespace {

// The spooler needs a moment after creating a queue before it opens it.
constexpr std::chrono::milliseconds kQueueSettleTime{100};

std::unique_ptr<PrinterConnection> openQueue(PrintSpooler& spooler, const std::string& port,
                                             Operator& op) {
  const std::string queue = usbQueueName(port);
  if (auto printer = spooler.openPrinter(queue)) return printer;
  if (!addUsbPrinter(spooler, port, op)) {
    op.tell(MessageKind::Stop, "Add Printer Failed");
    return nullptr;
  }
  spooler.pause(kQueueSettleTime);
  auto printer = spooler.openPrinter(queue);
  // Said even after "Add printer error": the operator pressed Output and
  // must learn that nothing went to the cutter.
  if (!printer) op.tell(MessageKind::Stop, "Cannot open the printer queue " + queue);
  return printer;
}

bool stepFailed(const Failure& failure, const std::string& port, Operator& op) {
  if (!failure) return false;
  op.tell(MessageKind::Stop, "Printing to " + port + " failed: " + describe(*failure));
  return true;
}

// One job of one page holding the bytes, written in one write. The queue
// is closed on every road; only a clean close makes the job a success.
bool printJob(PrinterConnection& printer, std::string_view bytes, const std::string& documentName,
              const std::string& port, Operator& op, const SendProgress& progress) {
  if (stepFailed(printer.startDocument({documentName, "", "RAW"}), port, op)) return false;
  auto abandon = [&] {
    printer.abortDocument();
    return false;
  };
  if (stepFailed(printer.startPage(), port, op)) return abandon();
  const WriteOutcome outcome = printer.write(bytes);
  if (outcome.written != bytes.size() || outcome.failure) {
    std::string text = "Printing to " + port + " stopped after " + std::to_string(outcome.written) +
                       " of " + std::to_string(bytes.size()) + " bytes";
    if (outcome.failure) text += ": " + describe(*outcome.failure);
    op.tell(MessageKind::Stop, text);
    return abandon();
  }
  if (progress) progress(bytes.size(), bytes.size());
  if (stepFailed(printer.endPage(), port, op)) return abandon();
  if (stepFailed(printer.endDocument(), port, op)) return abandon();
  return !stepFailed(printer.close(), port, op);
}

}  // namespace

std::string usbQueueName(const std::string& port) { return "Printer for " + port; }

bool listUsbPorts(PrintSpooler& spooler, std::vector<std::string>& ports) {
  const auto names = spooler.portNames();
  if (!names) return false;
  for (const std::string& name : *names) {
    if (name.compare(0, 3, "USB") == 0) ports.push_back(name);
  }
  return true;
}

bool addUsbPrinter(PrintSpooler& spooler, const std::string& port, Operator& op) {
  const auto drivers = spooler.driverNames();
  if (!drivers) return false;
  if (drivers->empty()) {
    op.tell(MessageKind::Stop, "No printer driver in this PC, please install a printer driver");
    return false;
  }
  if (spooler.addPrinter({usbQueueName(port), port, drivers->front(), "WinPrint", "RAW"})) {
    op.tell(MessageKind::Stop, "Add printer error");
  }
  return true;
}

bool usbTextRequestValid(const std::string& port, std::string_view text, Operator& op) {
  if (port.empty()) {
    op.tell(MessageKind::Stop, "Invalid USB Port");
    return false;
  }
  if (text.empty()) {
    op.tell(MessageKind::Stop, "No USB Command");
    return false;
  }
  return true;
}

bool usbFileRequestValid(const std::string& port, const std::filesystem::path& path, Operator& op) {
  if (port.empty()) {
    op.tell(MessageKind::Stop, "无效的USB端口号");
    return false;
  }
  if (path.empty()) {
    op.tell(MessageKind::Stop, "无文件");
    return false;
  }
  return true;
}

bool sendTextUsb(PrintSpooler& spooler, const std::string& port, std::string_view text,
                 const std::string& documentName, Operator& op) {
  if (!usbTextRequestValid(port, text, op)) return false;
  const std::unique_ptr<PrinterConnection> printer = openQueue(spooler, port, op);
  if (!printer) return false;
  return printJob(*printer, text, documentName, port, op, {});
}

bool sendFileUsb(PrintSpooler& spooler, const std::string& port, const std::filesystem::path& path,
                 const std::string& documentName, Operator& op, const SendProgress& progress) {
  if (!usbFileRequestValid(port, path, op)) return false;
  auto file = readStreamFile(path);
  if (const SystemError* error = std::get_if<SystemError>(&file)) {
    op.tell(MessageKind::Stop, "Stream file " + pathText(path) + " not sent: " + describe(*error));
    return false;
  }
  const std::unique_ptr<PrinterConnection> printer = openQueue(spooler, port, op);
  if (!printer) return false;
  return printJob(*printer, std::get<std::string>(file), documentName, port, op, progress);
}

}  // namespace corvane
