// Connect and whole upload over TCP on loopback: the editor's own main
// window (made by the program's form-creation function) greets a device
// simulator and fetches its whole parameter set, against the sum of the
// same requests' round trips over a bare blocking socket to the same
// simulator in the same run, which is the floor. Only 127.0.0.1 is used.

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench/support/BenchFloor.h"
#include "bench/BenchProgramForms.h"
#include "link/FrameCutter.h"
#include "platform/net/ClientSocket.h"
#include "tests/sim/DeviceSimulator.h"

namespace {

// Each frame written on a fresh blocking socket and its reply awaited; the
// time of all round trips, in seconds, or a negative value on failure.
double BareRoundTrips(std::uint16_t port, const std::vector<ByteVector>& frames) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return -1;
  int one = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(port);
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    ::close(fd);
    return -1;
  }
  const auto start = std::chrono::steady_clock::now();
  std::uint8_t buf[512];
  for (const ByteVector& frame : frames) {
    if (::send(fd, frame.data(), frame.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(frame.size())) break;
    // One whole reply: its length byte tells how much.
    std::size_t have = 0;
    while (have < 5 || have < std::size_t{buf[4]} + 8u) {
      pollfd p{fd, POLLIN, 0};
      const ssize_t n = ::poll(&p, 1, 5000) == 1 ? ::recv(fd, buf + have, sizeof buf - have, 0) : -1;
      if (n <= 0) {
        ::close(fd);
        return -1;
      }
      have += static_cast<std::size_t>(n);
    }
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ::close(fd);
  return seconds;
}

void BM_ConnectAndWholeUpload(benchmark::State& state) {
  bench::ProgramWindow();
  sim::DeviceSimulator sim;
  if (!sim.ListenTcp("127.0.0.1", 0)) return state.SkipWithError(sim.LastError().c_str());
  auto* socket = dynamic_cast<TClientSocket*>(fmMain->FindComponent("ClientSocket"));
  socket->SetAddress("127.0.0.1");
  socket->SetPort(sim.TcpPort());
  double editor = 0, bare = 0;
  for (auto _ : state) {
    sim.ClearRecords();
    const auto start = std::chrono::steady_clock::now();
    fmMain->ConnectNetwork();
    if (!bench::PumpUntil([&] { return sim.CountReceived(0x12) >= 1; }))
      return state.SkipWithError("the upload did not end");
    editor += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.PauseTiming();
    // The requests of this run up to the end of the transfer, each asked
    // again over a bare socket (the keep-alive at the end awaits no answer
    // the editor waits for, so it is left out).
    std::vector<ByteVector> frames;
    for (const sim::SimFrame& f : sim.Received()) {
      if (f.Command.Code == 0x12) break;
      frames.push_back(f.Raw);
    }
    fmMain->Disconnect();
    bench::PumpUntil([&] { return sim.TcpClientCount() == 0; }, 5000);
    const double seconds = BareRoundTrips(sim.TcpPort(), frames);
    if (seconds < 0) return state.SkipWithError("bare round trips failed");
    bare += seconds;
    state.ResumeTiming();
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["editor_ms"] = 1000 * editor / n;
  state.counters["round_trips_ms"] = 1000 * bare / n;
  state.counters["ratio"] = bare > 0 ? editor / bare : 0;
}
BENCHMARK(BM_ConnectAndWholeUpload)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCH_FLOOR_COUNTER(BM_ConnectAndWholeUpload, "the same requests over a bare socket", "ratio");

}  // namespace
