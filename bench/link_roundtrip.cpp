// Round trips per second over TCP on loopback against the device simulator:
// the network link engine as the editor runs it (client socket events on the
// user-interface thread, the worker's write, reassembly, synchronous
// delivery), against a bare blocking socket ping-pong of the same frames,
// which is the floor. Both talk to 127.0.0.1 only.

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>

#include "bench/support/BenchFloor.h"
#include "link/FrameCutter.h"
#include "link/LCmd.h"
#include "link/LNet.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/WindowTarget.h"
#include "platform/net/ClientSocket.h"
#include "platform/sys/Clock.h"
#include "tests/sim/DeviceSimulator.h"

namespace {

constexpr std::uint8_t LevelRequest = 0x40;

void EnsureApp() {
  if (Application) return;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "bench-link";
  static char* argv[] = {name, nullptr};
  new TApplication(argc, argv);
}

std::unique_ptr<sim::DeviceSimulator> StartSimulator(benchmark::State& state) {
  auto sim = std::make_unique<sim::DeviceSimulator>();
  sim->SetRecording(false);
  if (!sim->ListenTcp("127.0.0.1", 0)) {
    state.SkipWithError(("simulator: " + sim->LastError()).c_str());
    return nullptr;
  }
  return sim;
}

// The main window's part: the client socket, the engine's writes, and every
// read handed to the engine.
class LinkWindow : public TForm, public LinkOwner {
 public:
  explicit LinkWindow(TComponent* owner) : TForm(owner) {
    socket = new TClientSocket(this);
    socket->OnConnect = [this](TObject*, TCustomWinSocket*) { connected = true; };
    socket->OnError = [this](TObject*, TCustomWinSocket*, TErrorEvent, int& code) {
      failed = true;
      code = 0;
    };
    socket->OnRead = [this](TObject*, TCustomWinSocket* s) {
      std::uint8_t buf[100];
      int n = s->ReceiveBuf(buf, sizeof buf);
      if (n <= 0) return;
      if (engine) engine->OnReceived(buf, static_cast<size_t>(n));
    };
  }
  void Dispatch(TMessage& m) override {
    if (m.Msg == WM_LINK_FRAME) {
      ++frames;
      return;
    }
    TForm::Dispatch(m);
  }
  bool WriteSocket(const std::uint8_t* data, std::size_t size, std::string& error) override {
    if (socket->GetSocket()->SendBuf(data, static_cast<int>(size)) == static_cast<int>(size)) return true;
    error = "send failed";
    return false;
  }

  TClientSocket* socket = nullptr;
  LNetProc* engine = nullptr;
  bool connected = false;
  bool failed = false;
  long frames = 0;
};

// Handles events until done() holds; false after five seconds.
bool Pump(const std::function<bool()>& done) {
  const std::uint64_t deadline = sys::GetTickMs() + 5000;
  while (!done()) {
    if (sys::GetTickMs() > deadline) return false;
    Application->ProcessMessages();
  }
  return true;
}

void BM_EngineRoundTrip(benchmark::State& state) {
  EnsureApp();
  auto sim = StartSimulator(state);
  if (!sim) return;
  auto* window = new LinkWindow(Application);
  {
    TWindowTarget target(window);
    LNetProc engine(&target, window, 1);
    window->engine = &engine;
    engine.Start();
    engine.SetKeepAliveInterval(60000);
    engine.SetTimeout(5000);
    window->socket->SetAddress("127.0.0.1");
    window->socket->SetPort(sim->TcpPort());
    window->socket->SetActive(true);
    if (!Pump([&] { return window->connected || window->failed; }) || window->failed) {
      state.SkipWithError("no connection to the simulator");
    } else {
      const ByteVector poll = BuildFrame(CM_MCS_CMD(1, LevelRequest), 1);
      for (auto _ : state) {
        const long before = window->frames;
        engine.SendCommand(poll, false);
        if (!Pump([&] { return window->frames > before; })) {
          state.SkipWithError("no answer");
          break;
        }
      }
      state.SetItemsProcessed(state.iterations());
    }
    window->engine = nullptr;
  }
  window->Free();
}
BENCHMARK(BM_EngineRoundTrip)->Unit(benchmark::kMicrosecond);

void BM_BareSocketPingPong(benchmark::State& state) {
  auto sim = StartSimulator(state);
  if (!sim) return;
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(sim->TcpPort());
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int one = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    state.SkipWithError("no connection to the simulator");
    if (fd >= 0) ::close(fd);
    return;
  }
  const ByteVector poll = BuildFrame(CM_MCS_CMD(1, LevelRequest), 1);
  FrameCutter cutter;
  std::uint8_t buf[256];
  for (auto _ : state) {
    if (::send(fd, poll.data(), poll.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(poll.size())) {
      state.SkipWithError("write failed");
      break;
    }
    bool got = false;
    while (!got) {
      pollfd p{fd, POLLIN, 0};
      ssize_t n = ::poll(&p, 1, 5000) == 1 ? ::recv(fd, buf, sizeof buf, 0) : -1;
      if (n <= 0) break;
      for (ssize_t i = 0; i < n; ++i) got = cutter.Push(buf[i]) || got;
    }
    if (!got) {
      state.SkipWithError("no answer");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations());
  ::close(fd);
}
BENCHMARK(BM_BareSocketPingPong)->Unit(benchmark::kMicrosecond);
BENCH_FLOOR(BM_EngineRoundTrip, BM_BareSocketPingPong);

}  // namespace
