// The device simulator as a program: serves one simulated device over TCP
// (and optionally a pseudo-terminal) until interrupted. For trying the editor
// by hand inside a private network namespace:
//   scripts/in-netns sh -c 'build/test/tests/tavo-sim & build/test/tavo-editor'
#include "tests/sim/DeviceSimulator.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void OnSignal(int) {
  stopRequested = 1;
}

void Usage() {
  std::fprintf(stderr,
               "usage: tavo-sim [--address A] [--port P] [--pty] [--id N] [--lock PASSWORD]\n"
               "                [--identity TEXT] [--preset FILE.prs] [--unit FILE.unt]\n"
               "Serves one simulated device; the address must be a loopback address\n"
               "(127.x.x.x, or 192.168.1.101 inside the test network namespace).\n");
}

bool ReadFile(const char* path, std::vector<std::uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
  std::string address = sim::DeviceAddress;
  int port = sim::DevicePort;
  bool pty = false;
  const char* presetPath = nullptr;
  const char* unitPath = nullptr;
  sim::SimConfig config;

  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--address" && hasValue)
      address = argv[++i];
    else if (arg == "--port" && hasValue)
      port = std::atoi(argv[++i]);
    else if (arg == "--pty")
      pty = true;
    else if (arg == "--id" && hasValue)
      config.DeviceId = static_cast<std::uint8_t>(std::atoi(argv[++i]));
    else if (arg == "--lock" && hasValue) {
      config.UserLock = true;
      config.Password = argv[++i];
    } else if (arg == "--identity" && hasValue)
      config.Identity = argv[++i];
    else if (arg == "--preset" && hasValue)
      presetPath = argv[++i];
    else if (arg == "--unit" && hasValue)
      unitPath = argv[++i];
    else if (arg == "--help") {
      Usage();
      return 0;
    } else {
      Usage();
      return 2;
    }
  }
  if (port < 0 || port > 65535) {
    Usage();
    return 2;
  }

  sim::DeviceSimulator simulator(config);
  std::vector<std::uint8_t> bytes;
  if (presetPath && (!ReadFile(presetPath, bytes) ||
                     !simulator.With([&](sim::SimDevice& d) { return d.LoadPresetFile(bytes); }))) {
    std::fprintf(stderr, "tavo-sim: %s is not a readable preset file\n", presetPath);
    return 1;
  }
  if (unitPath && (!ReadFile(unitPath, bytes) ||
                   !simulator.With([&](sim::SimDevice& d) { return d.LoadUnitFile(bytes); }))) {
    std::fprintf(stderr, "tavo-sim: %s is not a readable unit file\n", unitPath);
    return 1;
  }
  if (!simulator.ListenTcp(address, static_cast<std::uint16_t>(port))) {
    std::fprintf(stderr, "tavo-sim: cannot listen on %s:%d: %s\n", address.c_str(), port,
                 simulator.LastError().c_str());
    return 1;
  }
  std::printf("tavo-sim: device %d on %s:%u\n", config.DeviceId, address.c_str(), simulator.TcpPort());
  if (pty) {
    if (!simulator.OpenPty()) {
      std::fprintf(stderr, "tavo-sim: no pseudo-terminal: %s\n", simulator.LastError().c_str());
      return 1;
    }
    std::printf("tavo-sim: serial port %s\n", simulator.PtyPath().c_str());
  }
  std::fflush(stdout);

  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  while (!stopRequested) pause();
  simulator.Stop();
  return 0;
}
