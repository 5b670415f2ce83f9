#pragma once
// Shared bits of the link engine tests: frames as the editor and the device
// build them, an owner that records what the engines deliver (a plain
// message target: no application, no display), a transport that records
// what they write, and engines that note the moment they report a lost
// link.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "PlainTarget.h"
#include "link/LCmd.h"
#include "link/LNet.h"
#include "link/LinkEngine.h"

namespace link_test {

// A frame as the editor sends it (device ID at byte 3).
inline ByteVector Request(std::uint8_t code, std::initializer_list<std::uint8_t> payload = {},
                          std::uint8_t id = 1) {
  LCmd cmd(id, code);
  cmd.Payload.assign(payload.begin(), payload.end());
  return BuildFrame(cmd, 1);
}

// A frame as the device answers (device ID at byte 2).
inline ByteVector Reply(std::uint8_t code, std::initializer_list<std::uint8_t> payload = {},
                        std::uint8_t id = 1) {
  ByteVector f{0x10, 0x02, id, 0x00, static_cast<std::uint8_t>(payload.size() + 1), code};
  f.insert(f.end(), payload.begin(), payload.end());
  f.push_back(0x10);
  f.push_back(0x03);
  std::uint8_t check = 0;
  for (std::uint8_t b : f) check ^= b;
  f.push_back(check);
  return f;
}

inline ByteVector Join(std::initializer_list<ByteVector> parts) {
  ByteVector out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

struct Delivered {
  unsigned msg = 0;
  ByteVector frame;  // WM_LINK_FRAME and WM_LINK_FRAME_OTHER_BAUD
  sys::MessageWParam wParam = 0;
  sys::MessageLParam lParam = 0;
};

// The engines' owner: records every link message it receives.
class RecordingOwner : public PlainTarget {
 public:
  std::vector<Delivered> got;
  // Runs inside the synchronous frame handler.
  std::function<void(const ByteVector&)> onFrame;

  void Handle(unsigned msg, sys::MessageWParam wParam, sys::MessageLParam lParam) override {
    switch (msg) {
      case WM_LINK_FRAME:
      case WM_LINK_FRAME_OTHER_BAUD: {
        const auto* frame = reinterpret_cast<const ByteVector*>(wParam);
        got.push_back({msg, *frame, wParam, lParam});
        if (onFrame) onFrame(*frame);
        break;
      }
      case WM_LINK_TIMEOUT:
      case WM_LINK_LOG:
        got.push_back({msg, {}, wParam, lParam});
        break;
      default:
        break;
    }
  }

  std::vector<ByteVector> Frames(unsigned msg = WM_LINK_FRAME) const {
    std::vector<ByteVector> out;
    for (const auto& d : got)
      if (d.msg == msg) out.push_back(d.frame);
    return out;
  }
  // (code, value) of each WM_LINK_TIMEOUT.
  std::vector<std::pair<int, int>> Timeouts() const {
    std::vector<std::pair<int, int>> out;
    for (const auto& d : got)
      if (d.msg == WM_LINK_TIMEOUT) out.push_back({static_cast<int>(d.wParam), static_cast<int>(d.lParam)});
    return out;
  }
  size_t Count(unsigned msg) const {
    return static_cast<size_t>(
        std::count_if(got.begin(), got.end(), [msg](const Delivered& d) { return d.msg == msg; }));
  }
};

// Records the frames a network or USB engine writes (on its worker).
class WriteRecorder : public LinkOwner {
 public:
  bool WriteSocket(const std::uint8_t* data, std::size_t size, std::string& error) override {
    return Record(data, size, error);
  }
  bool WriteUsbReport(const std::uint8_t* data, std::size_t size, std::string& error) override {
    return Record(data, size, error);
  }
  // Every later write fails with this reason (recorded all the same).
  void FailWith(std::string reason) {
    std::lock_guard lock(FM);
    FFailure = std::move(reason);
  }

  std::vector<ByteVector> Writes() const {
    std::lock_guard lock(FM);
    return FWrites;
  }
  size_t Count() const {
    std::lock_guard lock(FM);
    return FWrites.size();
  }
  // Frames written with the given code.
  size_t CountCode(std::uint8_t code) const {
    std::lock_guard lock(FM);
    return static_cast<size_t>(std::count_if(FWrites.begin(), FWrites.end(), [code](const ByteVector& f) {
      return f.size() > 5 && f[5] == code;
    }));
  }
  // Blocks every write until Release (a worker stuck in its transport).
  void Hold() {
    std::lock_guard lock(FM);
    FHeld = true;
  }
  void Release() {
    {
      std::lock_guard lock(FM);
      FHeld = false;
    }
    FCv.notify_all();
  }
  bool Holding() const { return FInHold.load(); }

 private:
  bool Record(const std::uint8_t* data, std::size_t size, std::string& error) {
    std::unique_lock lock(FM);
    if (FHeld) {
      FInHold = true;
      FCv.wait(lock, [this] { return !FHeld; });
      FInHold = false;
    }
    FWrites.emplace_back(data, data + size);
    error = FFailure;
    return FFailure.empty();
  }

  mutable std::mutex FM;
  std::condition_variable FCv;
  std::vector<ByteVector> FWrites;
  bool FHeld = false;
  std::string FFailure;
  std::atomic<bool> FInHold{false};
};

// What an engine had done when it reported a lost link.
struct NotifySnapshot {
  int code = 0;
  int value = 0;
  int timeouts = 0;   // reply time-outs counted so far
  size_t writes = 0;  // frames written so far
};

// A transport class that notes each report on the worker, at the moment it
// is made, then reports as usual.
template <class Transport>
class Observed : public Transport {
 public:
  Observed(sys::MessageTarget* owner, LinkOwner* io, int deviceId = 1)
      : Transport(owner, io, deviceId), FIo(dynamic_cast<WriteRecorder*>(io)) {}
  ~Observed() override { this->Shutdown(); }
  using Transport::SetResendCredit;

  void Notify(int code, int value) override {
    {
      std::lock_guard lock(FM);
      FSnaps.push_back({code, value, this->ReplyTimeouts(), FIo ? FIo->Count() : 0});
    }
    Transport::Notify(code, value);
  }
  std::vector<NotifySnapshot> Snapshots() const {
    std::lock_guard lock(FM);
    return FSnaps;
  }
  size_t NotifyCount() const {
    std::lock_guard lock(FM);
    return FSnaps.size();
  }

 private:
  WriteRecorder* FIo;  // null when the transport writes elsewhere
  mutable std::mutex FM;
  std::vector<NotifySnapshot> FSnaps;
};

// A network engine over a recording transport, owned by a recording owner;
// resends and keep-alives are held off so a test sees only what it causes.
class NetEngineTest : public ::testing::Test {
 protected:
  void TearDown() override { engine.reset(); }
  void StartEngine() {
    engine = std::make_unique<LNetProc>(&owner, &io, 1);
    ASSERT_TRUE(engine->Start());
    engine->SetTimeout(60000);
    engine->SetKeepAliveInterval(60000);
  }
  void Feed(const ByteVector& chunk) { engine->OnReceived(chunk.data(), chunk.size()); }

  RecordingOwner owner;
  WriteRecorder io;
  std::unique_ptr<LNetProc> engine;
};

}  // namespace link_test
