#include "output/transport/port.h"

#include "output/transport/transport.h"

namespace corvane {

const char* portKindName(PortKind kind) {
  switch (kind) {
    case PortKind::Serial:
      return "serial";
    case PortKind::UsbQueue:
      return "usb-queue";
    case PortKind::UsbDevice:
      return "usb-device";
  }
  return "unknown";
}

Transport::~Transport() = default;

}  // namespace corvane
