#pragma once

#include <filesystem>
#include <vector>

#include "output/transport/port.h"

namespace corvane {

// Where the kernel shows its devices; tests point these at a made-up tree.
struct DeviceTree {
  std::filesystem::path sysfs = "/sys";
  std::filesystem::path dev = "/dev";
};

// Serial lines that exist as hardware: on-board UARTs the kernel detected
// (ttyS* whose UART type is known), USB serial adapters (ttyUSB*) and USB
// modems (ttyACM*), with the USB product name where the device gives one.
// Sorted by kind, then by number.
std::vector<PortEntry> listSerialDevices(const DeviceTree& tree = {});

// USB printer-class devices (/dev/usb/lp*).
std::vector<PortEntry> listUsbPrinterDevices(const DeviceTree& tree = {});

}  // namespace corvane
