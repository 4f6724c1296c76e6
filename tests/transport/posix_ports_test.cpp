#include "output/transport/posix_ports.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using corvane::testing::TempDir;

// A made-up kernel device tree: USB devices keep manufacturer and product
// on the device, the tty or lp node links to an interface below it.
class FakeDeviceTree {
 public:
  FakeDeviceTree() { tree_ = {dir_.path() / "sys", dir_.path() / "dev"}; }

  void uart(const std::string& name, const char* type) {
    dir_.write("sys/class/tty/" + name + "/type", std::string(type) + "\n");
    fs::create_directories(tree_.sysfs / "class/tty" / name / "device");
  }
  void node(const std::string& name) { fs::create_directories(tree_.sysfs / "class/tty" / name); }
  void usbTty(const std::string& name, const std::string& maker, const std::string& product) {
    linkToUsb("class/tty/" + name, name, maker, product);
  }
  void lp(const std::string& name, const std::string& maker, const std::string& product) {
    dir_.write("dev/usb/" + name, "");
    linkToUsb("class/usbmisc/" + name, name, maker, product);
  }
  const DeviceTree& tree() const { return tree_; }
  std::string dev(const std::string& name) const { return (tree_.dev / name).string(); }

 private:
  void linkToUsb(const std::string& classEntry, const std::string& name, const std::string& maker,
                 const std::string& product) {
    const fs::path usb = tree_.sysfs / "devices/pci0000:00/usb1" / ("1-" + name);
    if (!maker.empty()) dir_.write(fs::relative(usb / "manufacturer", dir_.path()), maker + "\n");
    if (!product.empty()) dir_.write(fs::relative(usb / "product", dir_.path()), product + "\n");
    const fs::path iface = usb / "1-1:1.0" / name;
    fs::create_directories(iface);
    fs::create_directories(tree_.sysfs / classEntry);
    fs::create_directory_symlink(iface, tree_.sysfs / classEntry / "device");
  }

  TempDir dir_;
  DeviceTree tree_;
};

TEST(PosixPorts, ListsRealSerialLinesInTheOrderOperatorsCountThem) {
  FakeDeviceTree devices;
  devices.uart("ttyS0", "4");
  devices.uart("ttyS1", "0");  // reserved by the kernel, no UART behind it
  devices.uart("ttyS10", "4");
  devices.uart("ttyS2", "4");
  devices.node("ttyS3");  // no device at all
  devices.node("tty0");
  devices.node("ttyprintk");
  devices.usbTty("ttyUSB0", "FTDI", "FT232R USB UART");
  devices.usbTty("ttyACM0", "", "Vinyl Cutter");
  devices.usbTty("ttyUSB1", "", "");

  const std::vector<PortEntry> ports = listSerialDevices(devices.tree());
  const struct {
    std::string name;
    std::string description;
  } expected[] = {
      {devices.dev("ttyACM0"), "Vinyl Cutter"},
      {devices.dev("ttyS0"), ""},
      {devices.dev("ttyS2"), ""},
      {devices.dev("ttyS10"), ""},
      {devices.dev("ttyUSB0"), "FTDI FT232R USB UART"},
      {devices.dev("ttyUSB1"), ""},
  };
  ASSERT_EQ(ports.size(), std::size(expected));
  for (std::size_t i = 0; i < ports.size(); ++i) {
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(ports[i].name, expected[i].name);
    EXPECT_EQ(ports[i].kind, PortKind::Serial);
    EXPECT_EQ(ports[i].description, expected[i].description);
  }
}

TEST(PosixPorts, ListsUsbPrinterDevicesWithTheirProductNames) {
  FakeDeviceTree devices;
  devices.lp("lp1", "", "");
  devices.lp("lp0", "Acme", "SignCut 60");
  const std::vector<PortEntry> ports = listUsbPrinterDevices(devices.tree());
  ASSERT_EQ(ports.size(), 2u);
  EXPECT_EQ(ports[0].name, devices.dev("usb/lp0"));
  EXPECT_EQ(ports[0].kind, PortKind::UsbDevice);
  EXPECT_EQ(ports[0].description, "Acme SignCut 60");
  EXPECT_EQ(ports[1].name, devices.dev("usb/lp1"));
  EXPECT_EQ(ports[1].description, "");
}

TEST(PosixPorts, MissingTreeGivesNoPorts) {
  TempDir dir;
  const DeviceTree nowhere{dir.path() / "sys", dir.path() / "dev"};
  EXPECT_TRUE(listSerialDevices(nowhere).empty());
  EXPECT_TRUE(listUsbPrinterDevices(nowhere).empty());
}

}  // namespace
}  // namespace corvane
