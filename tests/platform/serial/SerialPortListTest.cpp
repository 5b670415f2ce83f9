#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/serial/SerialPortList.h"

namespace fs = std::filesystem;

namespace {

// A sysfs tree in a temporary folder, laid out as the kernel lays it out:
// class/tty/<name> links to the tty's folder under devices/, whose "device"
// links to the hardware, whose "driver" links to the bound driver.
class FakeSysfs : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tavo-sysfs-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    FRoot = pattern;
    fs::create_directories(FRoot / "class" / "tty");
    fs::create_directories(FRoot / "bus" / "drivers" / "uart");
  }
  void TearDown() override { fs::remove_all(FRoot); }

  // A tty; driver: bind a driver; type: the UART type file ("" for none).
  void AddTty(const std::string& name, bool hasDevice, bool driver, const std::string& type = "") {
    const fs::path ttyDir = FRoot / "devices" / ("hw-" + name) / "tty" / name;
    fs::create_directories(ttyDir);
    fs::create_directory_symlink(ttyDir, FRoot / "class" / "tty" / name);
    if (!type.empty()) std::ofstream(ttyDir / "type") << type << "\n";
    if (!hasDevice) return;
    const fs::path hw = FRoot / "devices" / ("hw-" + name);
    fs::create_directory_symlink(hw, ttyDir / "device");
    if (driver) fs::create_directory_symlink(FRoot / "bus" / "drivers" / "uart", hw / "driver");
  }

  fs::path FRoot;
};

TEST_F(FakeSysfs, ListsRealPortsOfTheThreeFamiliesSortedByNumber) {
  AddTty("ttyUSB10", true, true);
  AddTty("ttyS0", true, true, "4");  // a 16550A
  AddTty("ttyS1", true, true, "0");  // a placeholder without a UART
  AddTty("ttyS2", true, true);       // no type reported
  AddTty("ttyACM3", true, true);
  AddTty("ttyUSB2", true, true);
  AddTty("ttyACM0", true, false);      // no driver bound
  AddTty("tty1", false, false);        // a virtual console
  AddTty("ttySAC0", true, true, "4");  // not one of the families
  AddTty("ttyUSBx", true, true);
  AddTty("ptmx", false, false);

  const auto ports = ListSerialPorts(FRoot.string(), "/devroot");
  std::vector<std::string> names, paths;
  std::vector<int> numbers;
  for (const auto& p : ports) {
    names.push_back(p.Name);
    paths.push_back(p.Path);
    numbers.push_back(p.Number);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"ttyS0", "ttyUSB2", "ttyACM3", "ttyUSB10"}));
  EXPECT_EQ(paths, (std::vector<std::string>{"/devroot/ttyS0", "/devroot/ttyUSB2", "/devroot/ttyACM3",
                                             "/devroot/ttyUSB10"}));
  EXPECT_EQ(numbers, (std::vector<int>{0, 2, 3, 10}));
}

TEST_F(FakeSysfs, PortsOfEqualNumberAreOrderedByName) {
  AddTty("ttyUSB0", true, true);
  AddTty("ttyS0", true, true, "1");
  AddTty("ttyACM0", true, true);
  const auto ports = ListSerialPorts(FRoot.string());
  ASSERT_EQ(ports.size(), 3u);
  EXPECT_EQ(ports[0].Name, "ttyACM0");
  EXPECT_EQ(ports[1].Name, "ttyS0");
  EXPECT_EQ(ports[2].Name, "ttyUSB0");
  EXPECT_EQ(ports[1].Path, "/dev/ttyS0");
}

TEST(SerialPortList, MissingTreeGivesNoPort) {
  EXPECT_TRUE(ListSerialPorts("/tmp/tavo-no-such-sysfs").empty());
}

TEST(SerialPortList, NumberIsTheTrailingDigits) {
  const std::pair<const char*, int> cases[] = {
      {"ttyUSB12", 12}, {"COM3", 3},    {"COM10", 10},
      {"ttyS0", 0},     {"port007", 7}, {"ttyS", -1},
      {"", -1},         {"12ab", -1},   {"x99999999999999", INT_MAX},
  };
  for (const auto& [name, number] : cases) EXPECT_EQ(SerialPortNumber(name), number) << name;
}

TEST(SerialPortList, SortIsByNumberStableWithUnnumberedLast) {
  std::vector<SerialPortInfo> ports = {
      {"COM10", "", 10}, {"odd", "", -1}, {"COM3", "", 3}, {"COM1", "", 1}, {"second3", "", 3},
  };
  SortSerialPorts(ports);
  std::vector<std::string> names;
  for (const auto& p : ports) names.push_back(p.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"COM1", "COM3", "second3", "COM10", "odd"}));
}

TEST(SerialPortList, PortAtAnyPathIsNamedAfterItsLastPart) {
  struct Case {
    const char* path;
    const char* name;
    int number;
  } cases[] = {{"/dev/pts/3", "3", 3}, {"/dev/ttyUSB12", "ttyUSB12", 12}, {"/tmp/sim-tty", "sim-tty", -1}};
  for (const Case& c : cases) {
    const SerialPortInfo port = SerialPortAt(c.path);
    EXPECT_EQ(port.Name, c.name) << c.path;
    EXPECT_EQ(port.Path, c.path) << c.path;
    EXPECT_EQ(port.Number, c.number) << c.path;
  }
}

// The list a scan gets: the selected source's alone, sorted; the machine's
// again once the selection is cleared.
TEST(SerialPortList, ASelectedSourceReplacesTheMachinesPorts) {
  std::vector<std::string> calls;
  SelectSerialPortSource([&] {
    calls.push_back("source");
    return std::vector<SerialPortInfo>{SerialPortAt("/dev/pts/9"), SerialPortAt("/dev/pts/2")};
  });
  const auto ports = GetSerialPorts();
  std::vector<std::string> paths;
  for (const auto& p : ports) paths.push_back(p.Path);
  EXPECT_EQ(paths, (std::vector<std::string>{"/dev/pts/2", "/dev/pts/9"}));
  EXPECT_EQ(calls.size(), 1u);

  // A source may change the selection while it is asked.
  SelectSerialPortSource([] {
    SelectSerialPortSource(nullptr);
    return std::vector<SerialPortInfo>{};
  });
  EXPECT_TRUE(GetSerialPorts().empty());
  std::vector<std::string> machine, again;
  for (const auto& p : ListSerialPorts()) machine.push_back(p.Path);
  for (const auto& p : GetSerialPorts()) again.push_back(p.Path);
  EXPECT_EQ(again, machine);
  EXPECT_EQ(calls.size(), 1u);
}

}  // namespace
