#include "output/transport/posix_ports.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <tuple>

namespace corvane {

namespace fs = std::filesystem;

namespace {

std::string firstLine(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
  return line;
}

// The USB device's own words for itself: sysfs keeps "manufacturer" and
// "product" on the USB device, a few levels above the tty or lp node.
std::string usbProductName(const fs::path& deviceLink) {
  std::error_code error;
  fs::path dir = fs::canonical(deviceLink, error);
  if (error) return {};
  for (int level = 0; level < 5 && !dir.empty() && dir != dir.root_path(); ++level) {
    if (fs::exists(dir / "product", error)) {
      const std::string maker = firstLine(dir / "manufacturer");
      const std::string product = firstLine(dir / "product");
      return maker.empty() ? product : maker + " " + product;
    }
    dir = dir.parent_path();
  }
  return {};
}

// "ttyUSB12" -> ("ttyUSB", 12), so ports sort as the operator counts them.
std::tuple<std::string, unsigned> splitNumber(std::string_view name) {
  std::size_t digits = name.size();
  while (digits > 0 && name[digits - 1] >= '0' && name[digits - 1] <= '9') --digits;
  unsigned number = 0;
  std::from_chars(name.data() + digits, name.data() + name.size(), number);
  return {std::string(name.substr(0, digits)), number};
}

void sortByNumber(std::vector<PortEntry>& ports) {
  std::sort(ports.begin(), ports.end(), [](const PortEntry& a, const PortEntry& b) {
    return splitNumber(a.name) < splitNumber(b.name);
  });
}

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::vector<PortEntry> listSerialDevices(const DeviceTree& tree) {
  std::vector<PortEntry> ports;
  std::error_code error;
  const fs::path classDir = tree.sysfs / "class" / "tty";
  for (const fs::directory_entry& entry : fs::directory_iterator(classDir, error)) {
    const std::string name = entry.path().filename().string();
    const bool uart = startsWith(name, "ttyS");
    if (!uart && !startsWith(name, "ttyUSB") && !startsWith(name, "ttyACM")) continue;
    std::error_code missing;
    if (!fs::exists(entry.path() / "device", missing)) continue;
    // The kernel reserves ttyS0..ttyS31 whether or not a UART answers;
    // type 0 is "no UART found".
    if (uart && firstLine(entry.path() / "type") == "0") continue;
    ports.push_back({(tree.dev / name).string(), PortKind::Serial,
                     uart ? std::string() : usbProductName(entry.path() / "device")});
  }
  sortByNumber(ports);
  return ports;
}

std::vector<PortEntry> listUsbPrinterDevices(const DeviceTree& tree) {
  std::vector<PortEntry> ports;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(tree.dev / "usb", error)) {
    const std::string name = entry.path().filename().string();
    if (!startsWith(name, "lp")) continue;
    ports.push_back({entry.path().string(), PortKind::UsbDevice,
                     usbProductName(tree.sysfs / "class" / "usbmisc" / name / "device")});
  }
  sortByNumber(ports);
  return ports;
}

}  // namespace corvane
