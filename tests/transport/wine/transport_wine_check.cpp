// The Win32 transport against Wine's real serial and spooler calls:
// a COM port mapped to a pseudo-terminal, a USB spooler port whose output
// Wine writes to a file. run_wine_checks.sh sets the prefix up, reads the
// far end of the line and compares it with what this program sent.
//
// usage: transport_wine_check DATA_DIR COM_PORT MISSING_PORT DIRECTORY_PORT
// DATA_DIR (a Windows path) holds stream65535.bin, stream200000.bin,
// raw.ppd, and receives usb001.prn from the spooler.
#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "output/transport/serial_registry.h"
#include "output/transport/serial_send.h"
#include "output/transport/serial_worker.h"
#include "output/transport/transport.h"
#include "output/transport/usb_spooler.h"
#include "output/transport/win32_systems.h"
#include "tests/support/recording_operator.h"
#include "tests/transport/observed_serial.h"

namespace corvane {
namespace {

int passed = 0;
int failed = 0;

void check(bool ok, const std::string& name, const std::string& detail = {}) {
  if (ok) {
    ++passed;
    std::printf("PASS %s\n", name.c_str());
  } else {
    ++failed;
    std::printf("FAIL %s%s%s\n", name.c_str(), detail.empty() ? "" : ": ", detail.c_str());
  }
  std::fflush(stdout);
}

std::string joined(const std::vector<std::string>& texts) {
  std::string all;
  for (const std::string& text : texts) all += (all.empty() ? "" : " | ") + text;
  return all;
}

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

using ObservedSerial = test::ObservedSerialSystem<Win32SerialSystem>;

// The real spooler, counting queue creations.
class ObservedSpooler final : public PrintSpooler {
 public:
  std::optional<std::vector<std::string>> portNames() override { return real_.portNames(); }
  std::optional<std::vector<std::string>> driverNames() override { return real_.driverNames(); }
  Failure addPrinter(const PrinterRecord& record) override {
    ++added;
    Failure failure = real_.addPrinter(record);
    if (failure) addFailure = describe(*failure);
    return failure;
  }
  std::unique_ptr<PrinterConnection> openPrinter(const std::string& name) override {
    return real_.openPrinter(name);
  }
  void pause(std::chrono::milliseconds duration) override { real_.pause(duration); }
  int added = 0;
  std::string addFailure;

 private:
  Win32PrintSpooler real_;
};

void checkSerial(const std::string& data, const std::string& port, const std::string& missing,
                 const std::string& directory) {
  Win32SerialCommRegistry registry;
  const std::vector<std::string> listed = listSerialPorts(registry);
  check(std::find(listed.begin(), listed.end(), port) != listed.end(),
        "registry lists the mapped port " + port, joined(listed));
  // run_wine_checks.sh adds COM42 under a value name too long for the
  // usual small buffer.
  check(std::find(listed.begin(), listed.end(), "COM42") != listed.end(),
        "registry lists a port whose value name is long", joined(listed));

  // Everything below reaches the far end in this order; the script compares.
  corvane::testing::RecordingOperator op;
  ObservedSerial serial;
  check(sendTextSerial(serial, port, "TB25,3600,5600;", 38400, op), "text sent to " + port,
        joined(op.texts()));
  serial.writes.clear();
  check(sendFileSerial(serial, port, data + "\\stream65535.bin", 38400, op) &&
            serial.writes == std::vector<std::size_t>{65535, 0},
        "65,535-byte file goes out as one chunk and a write of 0 bytes", joined(op.texts()));
  serial.writes.clear();
  check(sendFileSerial(serial, port, data + "\\stream200000.bin", 152000, op) &&
            serial.writes == std::vector<std::size_t>{65535, 65535, 65535, 3395},
        "200,000-byte file goes out as three chunks and 3,395 bytes", joined(op.texts()));
  bool workerSent = false;
  {
    SerialSendWorkers workers;
    workers.start(serial,
                  {data + "\\stream65535.bin",
                   port,
                   57600,
                   [&](bool sent) { workerSent = sent; },
                   {},
                   {},
                   nullptr},
                  op);
  }
  check(workerSent && op.texts().empty(), "worker thread sends without complaint",
        joined(op.texts()));

  HANDLE h = CreateFileA(("\\\\.\\" + port).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  COMMTIMEOUTS timeouts{1, 1, 1, 1, 1};
  const bool read =
      h != INVALID_HANDLE_VALUE && GetCommState(h, &dcb) && GetCommTimeouts(h, &timeouts);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  check(read && dcb.BaudRate == 57600 && dcb.ByteSize == 8 && dcb.Parity == NOPARITY &&
            dcb.StopBits == ONESTOPBIT && dcb.fOutxCtsFlow && dcb.fRtsControl == RTS_CONTROL_ENABLE,
        "line left at 57600 8N1 with CTS flow and RTS on",
        "baud " + std::to_string(dcb.BaudRate) + " bits " + std::to_string(dcb.ByteSize));
  check(read && timeouts.ReadIntervalTimeout == 0 && timeouts.ReadTotalTimeoutMultiplier == 0 &&
            timeouts.ReadTotalTimeoutConstant == 0 && timeouts.WriteTotalTimeoutMultiplier == 0 &&
            timeouts.WriteTotalTimeoutConstant == 0,
        "all five time-outs zero");

  for (const std::string& bad : {missing, directory}) {
    corvane::testing::RecordingOperator refused;
    const bool sent = sendTextSerial(serial, bad, "TB24;", 9600, refused);
    check(!sent && refused.texts() == std::vector<std::string>{"Open Comm Failed!"},
          bad + " that cannot be opened gives Open Comm Failed!", joined(refused.texts()));
  }
}

bool installTestDriver(const std::string& data) {
  std::string name = "Corvane Test Raw";
  std::string driver = "wineps.drv";
  std::string ppd = data + "\\raw.ppd";
  std::string dataType = "RAW";
  DRIVER_INFO_3A info{};
  info.cVersion = 3;
  info.pName = name.data();
  info.pDriverPath = driver.data();
  info.pConfigFile = driver.data();
  info.pDataFile = ppd.data();
  info.pDefaultDataType = dataType.data();
  return AddPrinterDriverExA(nullptr, 3, reinterpret_cast<LPBYTE>(&info),
                             APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY) != FALSE;
}

void checkSpooler(const std::string& data) {
  ObservedSpooler spooler;
  std::vector<std::string> usb;
  check(listUsbPorts(spooler, usb) && usb == std::vector<std::string>{"USB001"},
        "spooler lists USB001 and no other port", joined(usb));

  {
    corvane::testing::RecordingOperator op;
    const bool sent = sendTextUsb(spooler, "USB001", "TB24;", "Output_CMD", op);
    check(!sent && op.texts() == std::vector<std::string>{"No printer driver in this PC, please "
                                                          "install a printer driver",
                                                          "Add Printer Failed"},
          "no printer driver is reported", joined(op.texts()));
  }
  {
    corvane::testing::RecordingOperator op;
    check(!sendTextUsb(spooler, "", "TB24;", "Output_CMD", op) &&
              op.texts() == std::vector<std::string>{"Invalid USB Port"},
          "empty USB port is refused", joined(op.texts()));
  }

  check(installTestDriver(data), "test driver installed", std::to_string(GetLastError()));
  const std::string prn = data + "\\usb001.prn";
  corvane::testing::RecordingOperator op;
  const bool firstSent = sendTextUsb(spooler, "USB001", "TB25,3600,5600;", "Output_CMD", op);
  check(firstSent && spooler.added == 1, "first send creates the queue and prints",
        std::to_string(firstSent) + " added " + std::to_string(spooler.added) + " " +
            joined(op.texts()) + " " + spooler.addFailure);
  check(fileBytes(prn) == "TB25,3600,5600;", "command text reaches the port");

  HANDLE printer = nullptr;
  std::string queue = "Printer for USB001";
  std::string processor, port, driver;
  if (OpenPrinterA(queue.data(), &printer, nullptr)) {
    DWORD needed = 0;
    GetPrinterA(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    if (GetPrinterA(printer, 2, buffer.data(), needed, &needed)) {
      const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
      processor = info->pPrintProcessor ? info->pPrintProcessor : "";
      port = info->pPortName ? info->pPortName : "";
      driver = info->pDriverName ? info->pDriverName : "";
    }
    ClosePrinter(printer);
  }
  check(port == "USB001" && driver == "Corvane Test Raw" &&
            (processor == "WinPrint" || processor == "winprint"),
        "queue Printer for USB001 uses the port, the first driver and WinPrint",
        port + " / " + driver + " / " + processor);

  const std::string stream = fileBytes(data + "\\stream200000.bin");
  check(sendFileUsb(spooler, "USB001", data + "\\stream200000.bin", "Output_Job", op) &&
            spooler.added == 1,
        "second send uses the existing queue", joined(op.texts()));
  const std::string printed = fileBytes(prn);
  check(printed.size() == 200000 && printed == stream, "stream file reaches the port byte for byte",
        std::to_string(printed.size()) + " bytes");

  corvane::testing::RecordingOperator unreadable;
  check(!sendFileUsb(spooler, "USB001", data + "\\absent.bin", "Output_Job", unreadable) &&
            unreadable.texts().size() == 1 && fileBytes(prn) == stream,
        "unreadable stream file prints nothing", joined(unreadable.texts()));
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: transport_wine_check DATA_DIR COM_PORT MISSING_PORT DIR_PORT\n");
    return 2;
  }
  corvane::checkSerial(argv[1], argv[2], argv[3], argv[4]);
  corvane::checkSpooler(argv[1]);
  std::printf("%d passed, %d failed\n", corvane::passed, corvane::failed);
  return corvane::failed == 0 ? 0 : 1;
}
