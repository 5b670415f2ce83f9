#include "platform/serial/SerialPortList.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view UartFamily = "ttyS";
constexpr std::string_view Families[] = {"ttyS", "ttyUSB", "ttyACM"};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The family a tty name belongs to: its prefix followed by digits only.
std::string_view FamilyOf(std::string_view name) {
  for (std::string_view family : Families) {
    if (name.size() <= family.size() || name.substr(0, family.size()) != family) continue;
    std::string_view digits = name.substr(family.size());
    if (std::all_of(digits.begin(), digits.end(), IsDigit)) return family;
  }
  return {};
}

// The UART type the serial core reports for a ttyS; 0 (unknown) when absent
// or unreadable.
long UartType(const fs::path& ttyDir) {
  std::ifstream in(ttyDir / "type");
  long type = 0;
  if (!(in >> type)) return 0;
  return type;
}

std::mutex& SourceLock() {
  static std::mutex lock;
  return lock;
}

SerialPortSource& Selected() {
  static SerialPortSource source;
  return source;
}

}  // namespace

int SerialPortNumber(std::string_view name) {
  std::size_t start = name.size();
  while (start > 0 && IsDigit(name[start - 1])) --start;
  if (start == name.size()) return -1;
  long long value = 0;
  for (char c : name.substr(start)) {
    value = value * 10 + (c - '0');
    if (value > INT_MAX) return INT_MAX;
  }
  return static_cast<int>(value);
}

void SortSerialPorts(std::vector<SerialPortInfo>& ports) {
  std::stable_sort(ports.begin(), ports.end(), [](const SerialPortInfo& a, const SerialPortInfo& b) {
    if ((a.Number < 0) != (b.Number < 0)) return b.Number < 0;
    return a.Number < b.Number;
  });
}

std::vector<SerialPortInfo> ListSerialPorts(const std::string& sysRoot, const std::string& devRoot) {
  std::vector<SerialPortInfo> ports;
  const fs::path ttyClass = fs::path(sysRoot) / "class" / "tty";
  std::error_code ec;
  fs::directory_iterator it(ttyClass, ec);
  if (ec) return ports;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    const std::string name = it->path().filename().string();
    std::string_view family = FamilyOf(name);
    if (family.empty()) continue;
    std::error_code probe;
    if (!fs::exists(it->path() / "device" / "driver", probe)) continue;
    if (family == UartFamily && UartType(it->path()) == 0) continue;
    ports.push_back({name, (fs::path(devRoot) / name).string(), SerialPortNumber(name)});
  }
  std::sort(ports.begin(), ports.end(),
            [](const SerialPortInfo& a, const SerialPortInfo& b) { return a.Name < b.Name; });
  SortSerialPorts(ports);
  return ports;
}

SerialPortInfo SerialPortAt(const std::string& path) {
  const std::string name = fs::path(path).filename().string();
  return {name, path, SerialPortNumber(name)};
}

std::vector<SerialPortInfo> GetSerialPorts() {
  SerialPortSource source;
  {
    std::lock_guard<std::mutex> guard(SourceLock());
    source = Selected();
  }
  // Outside the lock: a source may take its time, or select another.
  if (!source) return ListSerialPorts();
  std::vector<SerialPortInfo> ports = source();
  SortSerialPorts(ports);
  return ports;
}

void SelectSerialPortSource(SerialPortSource source) {
  std::lock_guard<std::mutex> guard(SourceLock());
  Selected() = std::move(source);
}
