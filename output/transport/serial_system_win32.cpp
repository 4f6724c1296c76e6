#include <windows.h>

#include "common/win32/unique_handle.h"
#include "output/transport/send_stop_win32.h"
#include "output/transport/win32_error.h"
#include "output/transport/win32_systems.h"

namespace corvane {

namespace {

// Only COM1 to COM9 open by their bare names; the device namespace prefix
// opens every port, COM10 and beyond included.
std::string devicePath(const std::string& port) {
  return port.rfind("\\\\.\\", 0) == 0 ? port : "\\\\.\\" + port;
}

class Win32SerialConnection final : public SerialConnection {
 public:
  explicit Win32SerialConnection(UniqueFileHandle port) : port_(std::move(port)) {}

  void applyLine(const LineSettings& line) override {
    SetupComm(port_.get(), line.inputQueueBytes, line.outputQueueBytes);
    COMMTIMEOUTS timeouts{};  // all zero: no time-outs
    SetCommTimeouts(port_.get(), &timeouts);
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    GetCommState(port_.get(), &dcb);
    dcb.BaudRate = line.baud;
    dcb.ByteSize = static_cast<BYTE>(line.dataBits);
    dcb.Parity = line.parity ? EVENPARITY : NOPARITY;
    dcb.StopBits = line.stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    dcb.fOutxCtsFlow = line.ctsOutputFlow ? TRUE : FALSE;
    dcb.fRtsControl = line.rtsOn ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
    SetCommState(port_.get(), &dcb);
  }

  WriteOutcome write(std::string_view bytes) override {
    WriteOutcome outcome;
    while (true) {
      const std::size_t left = bytes.size() - outcome.written;
      const DWORD piece = static_cast<DWORD>(left < MAXDWORD ? left : MAXDWORD);
      DWORD written = 0;
      if (!WriteFile(port_.get(), bytes.data() + outcome.written, piece, &written, nullptr)) {
        outcome.written += written;
        outcome.failure = lastWin32Error("WriteFile");
        return outcome;
      }
      outcome.written += written;
      if (outcome.written == bytes.size()) return outcome;
      if (written == 0) {
        outcome.failure = SystemError{"WriteFile", 0, "the port took no bytes"};
        return outcome;
      }
    }
  }

  WriteOutcome writeUnlessStopped(std::string_view bytes, SendStop& stop) override {
    const StoppableWrite registered(stop.waker());
    if (stop.requested()) return {0, {}, true};
    WriteOutcome outcome = write(bytes);
    // A cancelled write reports what the port had taken before the cancel.
    if (outcome.failure && outcome.failure->code == ERROR_OPERATION_ABORTED && stop.requested()) {
      outcome.failure.reset();
      outcome.stopped = true;
    }
    return outcome;
  }

 private:
  UniqueFileHandle port_;
};

}  // namespace

std::unique_ptr<SerialConnection> Win32SerialSystem::open(const std::string& port,
                                                          SystemError& error) {
  UniqueFileHandle handle(CreateFileA(devicePath(port).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
  if (!handle) {
    error = lastWin32Error("CreateFile");
    return nullptr;
  }
  return std::make_unique<Win32SerialConnection>(std::move(handle));
}

}  // namespace corvane
