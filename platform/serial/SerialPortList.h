#pragma once
// The serial ports of the machine, read from sysfs: every tty of the families
// ttyS (on-board UARTs), ttyUSB (USB adapters) and ttyACM (USB modems) that
// sits on a device with a bound driver. A ttyS whose UART type is unknown (0)
// is a placeholder the kernel keeps for ports that are not there; opening one
// fails, so it is not listed.
//
// The scan for a device asks GetSerialPorts, which lists the machine's ports
// unless another source was selected with SelectSerialPortSource (tests give
// a simulator's pseudo-terminal, and no real port ever joins their scans).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct SerialPortInfo {
  std::string Name;  // "ttyUSB0"
  std::string Path;  // "/dev/ttyUSB0", what SerialPort::Open takes
  int Number = -1;   // the name's trailing digits, -1 when it has none
};

// The value of the trailing digits of a name ("ttyUSB12" -> 12, "COM3" -> 3),
// -1 when the name does not end in a digit; saturates instead of overflowing.
int SerialPortNumber(std::string_view name);

// Orders ports by number, ports without a number last; ports of equal number
// keep their order.
void SortSerialPorts(std::vector<SerialPortInfo>& ports);

// The ports found under sysRoot (normally "/sys"), with device paths under
// devRoot, sorted by number (ties by name). An unreadable tree gives an empty
// list.
std::vector<SerialPortInfo> ListSerialPorts(const std::string& sysRoot = "/sys",
                                            const std::string& devRoot = "/dev");

// A port of any path, such as a pseudo-terminal's "/dev/pts/3": named after
// the path's last part, numbered by its trailing digits.
SerialPortInfo SerialPortAt(const std::string& path);

// Where GetSerialPorts takes its list from.
using SerialPortSource = std::function<std::vector<SerialPortInfo>()>;

// The ports a scan offers, sorted by number: the selected source's, else the
// machine's (ListSerialPorts).
std::vector<SerialPortInfo> GetSerialPorts();
// Chooses the source for the rest of the run; null goes back to the
// machine's ports. Safe from any thread; a scan already under way keeps the
// list it got.
void SelectSerialPortSource(SerialPortSource source);
