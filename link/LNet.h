#pragma once
// The network link engine: frames to the device over the owner's TCP client
// socket. The worker writes through LinkOwner::WriteSocket; received bytes
// come only from the owner's socket read handler, which hands over every
// read as it comes; the engine's cutter reassembles frames across reads.

#include <cstddef>
#include <cstdint>
#include <string>

#include "link/LinkEngine.h"

// The transport: the owner's socket.
class LNet : public LinkEngine {
 public:
  static constexpr std::size_t BufferSize = 128;
  static constexpr std::uint32_t KeepAliveTimeoutMs = 5000;

  ~LNet() override;

  using LinkEngine::OnReceived;
  using LinkEngine::Start;
  using LinkEngine::Stop;

 protected:
  LNet(sys::MessageTarget* owner, LinkOwner* io, int deviceId);
  bool WriteTransport(const std::uint8_t* data, std::size_t size, std::string& error) override;
};

// What the main window creates for a network link.
class LNetProc final : public LNet {
 public:
  LNetProc(sys::MessageTarget* owner, LinkOwner* io, int deviceId);
  ~LNetProc() override;
};
