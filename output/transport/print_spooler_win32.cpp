#include <windows.h>
#include <winspool.h>

#include <vector>

#include "common/win32/unique_handle.h"
#include "output/transport/win32_error.h"
#include "output/transport/win32_systems.h"

namespace corvane {

namespace {

// The spooler's two-call pattern: ask for the size, then read into a
// zero-filled buffer of that size. No value when either call fails.
template <typename Enumerate>
std::optional<std::vector<BYTE>> enumerate(Enumerate call, DWORD& count) {
  DWORD needed = 0;
  count = 0;
  if (call(nullptr, 0, &needed, &count)) return std::vector<BYTE>{};
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
  std::vector<BYTE> buffer(needed, 0);
  if (!call(buffer.data(), needed, &needed, &count)) return std::nullopt;
  return buffer;
}

class Win32PrinterConnection final : public PrinterConnection {
 public:
  explicit Win32PrinterConnection(UniquePrinterHandle printer) : printer_(std::move(printer)) {}

  Failure startDocument(const DocumentRecord& document) override {
    std::string name = document.name;
    std::string outputFile = document.outputFile;
    std::string dataType = document.dataType;
    DOC_INFO_1A info{};
    info.pDocName = name.data();
    // An empty text would name a file; no file is what sends to the port.
    info.pOutputFile = outputFile.empty() ? nullptr : outputFile.data();
    info.pDatatype = dataType.data();
    if (StartDocPrinterA(printer_.get(), 1, reinterpret_cast<LPBYTE>(&info)) == 0) {
      return lastWin32Error("StartDocPrinter");
    }
    return {};
  }
  Failure startPage() override {
    if (!StartPagePrinter(printer_.get())) return lastWin32Error("StartPagePrinter");
    return {};
  }
  WriteOutcome write(std::string_view bytes) override {
    WriteOutcome outcome;
    if (bytes.size() > MAXDWORD) {
      outcome.failure = SystemError{"WritePrinter", 0, "the job is larger than 4 GiB"};
      return outcome;
    }
    DWORD written = 0;
    // WritePrinter does not promise to keep the caller's buffer unchanged.
    std::vector<char> copy(bytes.begin(), bytes.end());
    if (!WritePrinter(printer_.get(), copy.data(), static_cast<DWORD>(copy.size()), &written)) {
      outcome.failure = lastWin32Error("WritePrinter");
    }
    outcome.written = written;
    return outcome;
  }
  Failure endPage() override {
    if (!EndPagePrinter(printer_.get())) return lastWin32Error("EndPagePrinter");
    return {};
  }
  Failure endDocument() override {
    if (!EndDocPrinter(printer_.get())) return lastWin32Error("EndDocPrinter");
    return {};
  }
  void abortDocument() override { AbortPrinter(printer_.get()); }
  Failure close() override {
    if (!printer_.close()) return lastWin32Error("ClosePrinter");
    return {};
  }

 private:
  UniquePrinterHandle printer_;
};

}  // namespace

std::optional<std::vector<std::string>> Win32PrintSpooler::portNames() {
  DWORD count = 0;
  const auto buffer = enumerate(
      [](BYTE* data, DWORD size, DWORD* needed, DWORD* returned) {
        return EnumPortsA(nullptr, 2, data, size, needed, returned) != FALSE;
      },
      count);
  if (!buffer) return std::nullopt;
  std::vector<std::string> names;
  const auto* ports = reinterpret_cast<const PORT_INFO_2A*>(buffer->data());
  for (DWORD i = 0; i < count; ++i) {
    if (ports[i].pPortName != nullptr) names.emplace_back(ports[i].pPortName);
  }
  return names;
}

std::optional<std::vector<std::string>> Win32PrintSpooler::driverNames() {
  DWORD count = 0;
  const auto buffer = enumerate(
      [](BYTE* data, DWORD size, DWORD* needed, DWORD* returned) {
        return EnumPrinterDriversA(nullptr, nullptr, 1, data, size, needed, returned) != FALSE;
      },
      count);
  if (!buffer) return std::nullopt;
  std::vector<std::string> names;
  const auto* drivers = reinterpret_cast<const DRIVER_INFO_1A*>(buffer->data());
  for (DWORD i = 0; i < count; ++i) {
    if (drivers[i].pName != nullptr) names.emplace_back(drivers[i].pName);
  }
  return names;
}

Failure Win32PrintSpooler::addPrinter(const PrinterRecord& record) {
  std::string printerName = record.printerName;
  std::string portName = record.portName;
  std::string driverName = record.driverName;
  std::string processor = record.printProcessor;
  std::string dataType = record.dataType;
  PRINTER_INFO_2A info{};
  info.pPrinterName = printerName.data();
  info.pPortName = portName.data();
  info.pDriverName = driverName.data();
  info.pPrintProcessor = processor.data();
  info.pDatatype = dataType.empty() ? nullptr : dataType.data();
  UniquePrinterHandle printer(AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info)));
  if (!printer) return lastWin32Error("AddPrinter");
  return {};
}

std::unique_ptr<PrinterConnection> Win32PrintSpooler::openPrinter(const std::string& name) {
  std::string printerName = name;
  HANDLE printer = nullptr;
  if (!OpenPrinterA(printerName.data(), &printer, nullptr)) return nullptr;
  return std::make_unique<Win32PrinterConnection>(UniquePrinterHandle(printer));
}

void Win32PrintSpooler::pause(std::chrono::milliseconds duration) {
  Sleep(static_cast<DWORD>(duration.count()));
}

}  // namespace corvane
