#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "output/transport/send_stop.h"

namespace corvane {

// How a port is reached. Callers choose the road by this, never by looking
// at the port's name: names follow each system's own conventions (COM5 and
// USB001 on Windows, /dev/ttyUSB0 and CUPS queue names on Linux).
enum class PortKind {
  Serial,     // a serial line: COM port, /dev/ttyS*, /dev/ttyUSB*, /dev/ttyACM*
  UsbQueue,   // a USB cutter behind the print spooler (Windows port or CUPS queue)
  UsbDevice,  // a USB printer-class device written directly (/dev/usb/lp*)
};

const char* portKindName(PortKind kind);

inline bool isUsb(PortKind kind) {
  return kind == PortKind::UsbQueue || kind == PortKind::UsbDevice;
}

struct PortEntry {
  std::string name;  // what the operator picks and what is opened
  PortKind kind = PortKind::Serial;
  std::string description;  // product name where the system knows it; may be empty
};

// Called after each piece of a send has been handed to the system.
using SendProgress = std::function<void(std::size_t sent, std::size_t total)>;

struct SendOptions {
  std::uint32_t baud = 9600;  // serial lines only, passed on unchecked
  std::string documentName;   // spooled jobs only: the job's title
  SendProgress progress;      // may be empty
  SendStop* stop = nullptr;   // serial lines only: lets another thread stop the send
};

}  // namespace corvane
