#pragma once

#include "output/transport/print_spooler.h"
#include "output/transport/serial_registry.h"
#include "output/transport/serial_system.h"

namespace corvane {

// COM ports through the Win32 communications calls.
class Win32SerialSystem final : public SerialSystem {
 public:
  std::unique_ptr<SerialConnection> open(const std::string& port, SystemError& error) override;
};

// HKLM\HARDWARE\DEVICEMAP\SERIALCOMM.
class Win32SerialCommRegistry final : public SerialCommRegistry {
 public:
  std::unique_ptr<SerialCommKey> open() override;
};

// The local print spooler.
class Win32PrintSpooler final : public PrintSpooler {
 public:
  std::optional<std::vector<std::string>> portNames() override;
  std::optional<std::vector<std::string>> driverNames() override;
  Failure addPrinter(const PrinterRecord& record) override;
  std::unique_ptr<PrinterConnection> openPrinter(const std::string& name) override;
  void pause(std::chrono::milliseconds duration) override;
};

}  // namespace corvane
