#include "link/LNet.h"

namespace {

const LinkEngine::Traits NetTraits{
    LNet::BufferSize,
    FrameCutter::StreamTestFrom,
    LNet::KeepAliveTimeoutMs,
    LinkEngine::TimeoutRule::Report,
    false,
};

}  // namespace

LNet::LNet(sys::MessageTarget* owner, LinkOwner* io, int deviceId)
    : LinkEngine(owner, io, deviceId, NetTraits) {}

LNet::~LNet() {
  Shutdown();
}

bool LNet::WriteTransport(const std::uint8_t* data, std::size_t size, std::string& error) {
  return !Io() || Io()->WriteSocket(data, size, error);
}

LNetProc::LNetProc(sys::MessageTarget* owner, LinkOwner* io, int deviceId) : LNet(owner, io, deviceId) {}

LNetProc::~LNetProc() {
  Shutdown();
}
