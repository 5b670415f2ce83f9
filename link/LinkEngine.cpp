#include "link/LinkEngine.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

#include "platform/classlib/Controls.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/sys/Clock.h"

namespace {

// Received chunks that may wait for the worker; a worker held up that long
// by its owner loses the newest ones.
constexpr std::size_t MaxWaitingChunks = 256;

struct TargetSize {
  std::uint8_t code;
  std::uint8_t size;
};

// Commands whose first payload bytes name what they address. Every other
// command carries values only (levels, keep-alive, effect settings, test
// signal) and coalesces on its code alone.
constexpr std::array<TargetSize, 29> TargetSizes{{
    {0x19, 2},                        // EEPROM address
    {0x1A, 2}, {0x20, 1},             // preset number
    {0x21, 1}, {0x24, 1},             // slot
    {0x25, 2},                        // block, record
    {0x27, 1},                        // packet
    {0x28, 1}, {0x29, 1},             // preset index
    {0x2A, 2},                        // source and destination channel
    {0x30, 1},                        // channel
    {0x31, 1}, {0x32, 1}, {0x33, 2},  // channel and band
    {0x34, 1}, {0x35, 1}, {0x36, 1}, {0x38, 1}, {0x3A, 1}, {0x3B, 1},
    {0x3C, 1}, {0x3D, 1}, {0x3E, 1}, {0x55, 1}, {0x56, 1}, {0x5B, 1},  // sub-control record
    {0x61, 1}, {0x64, 1},                                              // automix or camera gate
    {0x6B, 1},                                                         // group-control record
}};

std::uint8_t CodeOf(const ByteVector& frame) {
  return frame.size() > DeviceFrame::CodeIndex ? frame[DeviceFrame::CodeIndex] : 0;
}

// The target bytes of a frame, bounded by its payload.
std::vector<std::uint8_t> TargetOf(const ByteVector& frame) {
  if (frame.size() <= DeviceFrame::LengthIndex) return {};
  const std::size_t payload = frame[DeviceFrame::LengthIndex] > 0 ? frame[DeviceFrame::LengthIndex] - 1u : 0u;
  std::size_t n = std::min(CoalescingTargetSize(CodeOf(frame)), payload);
  const std::size_t end = std::min(frame.size(), DeviceFrame::PayloadIndex + n);
  if (end <= DeviceFrame::PayloadIndex) return {};
  return {frame.begin() + DeviceFrame::PayloadIndex, frame.begin() + static_cast<std::ptrdiff_t>(end)};
}

bool SameTarget(const ByteVector& a, const ByteVector& b) {
  return CodeOf(a) == CodeOf(b) && TargetOf(a) == TargetOf(b);
}

}  // namespace

std::size_t CoalescingTargetSize(std::uint8_t code) {
  for (const auto& t : TargetSizes)
    if (t.code == code) return t.size;
  return 0;
}

void LinkOwner::WriteSocket(const std::uint8_t*, std::size_t) {}
void LinkOwner::WriteUsbReport(const std::uint8_t*, std::size_t) {}
void LinkOwner::LogSerialWrite(const std::uint8_t*, std::size_t) {}
void LinkOwner::LogSerialRead(const std::uint8_t*, std::size_t) {}

// ---------------------------------------------------------------- life

LinkEngine::LinkEngine(TWinControl* owner, LinkOwner* io, int deviceId, const Traits& traits)
    : traits_(traits),
      owner_(owner ? owner->GetHandle() : nullptr),
      io_(io),
      sendBuffer_(traits.BufferSize, 0),
      cutter_(traits.CutterTestFrom),
      deviceId_(deviceId) {}

LinkEngine::~LinkEngine() {
  Shutdown();
}

bool LinkEngine::Start() {
  if (started_ || worker_.Started()) return false;
  if (!stopEvent_.Valid() || !dataEvent_.Valid() || !sendEvent_.Valid()) return false;

  stopEvent_.Reset();
  dataEvent_.Reset();
  sendEvent_.Reset();
  {
    sys::ScopedLock lock(receiveLock_);
    received_.clear();
  }
  {
    sys::ScopedLock lock(queueLock_);
    queue_.clear();
    mark_.reset();
    busy_ = false;
  }
  cutter_.Reset();
  framed_ = false;
  stopping_ = false;
  replyTimeouts_ = 0;

  sender_ = std::make_unique<TSyncMessageSender>(owner_);
  HWND owner = owner_;
  relay_ = AllocateHWnd([owner](TMessage& m) { SendMessage(owner, m.Msg, m.WParam, m.LParam); });

  keepAlive_ = std::make_unique<TTimer>(nullptr);
  keepAlive_->SetInterval(keepAliveIntervalMs_);
  keepAlive_->OnTimer = [this](TObject* sender) { KeepAliveTimer(sender); };
  keepAlive_->SetEnabled(true);

  started_ = true;
  if (!worker_.Start([this] { Run(); })) {
    started_ = false;
    keepAlive_.reset();
    DeallocateHWnd(relay_.exchange(nullptr));
    return false;
  }
  return true;
}

void LinkEngine::Stop() {
  keepAlive_.reset();
  {
    sys::ScopedLock lock(queueLock_);
    queue_.clear();
    mark_.reset();
  }
  if (!worker_.Started()) {
    started_ = false;
    return;
  }
  stopping_ = true;
  if (sender_) sender_->Stop();
  if (HWND relay = relay_.exchange(nullptr)) DeallocateHWnd(relay);
  stopEvent_.Set();
  if (!worker_.Join(StopWaitMs)) {
    // The worker keeps its resources until it ends (the destructor waits).
    PostMessage(owner_, WM_LINK_TIMEOUT, static_cast<WPARAM>(LinkStopTimedOut), 0);
  } else {
    sender_.reset();
  }
  started_ = false;
}

void LinkEngine::Shutdown() {
  Stop();
  if (worker_.Started()) worker_.Join();
  sender_.reset();
}

void LinkEngine::SetKeepAliveInterval(std::uint32_t ms) {
  keepAliveIntervalMs_ = ms;
  if (keepAlive_) keepAlive_->SetInterval(ms);
}

// ---------------------------------------------------------------- submission

void LinkEngine::SendCommand(const ByteVector& frame, bool append) {
  if (!started_ || stopping_) return;
  // Frames the buffer cannot hold are never carried (the longest the
  // editor sends is 61 bytes).
  if (frame.empty() || frame.size() > traits_.BufferSize) return;
  RestartKeepAlive();

  sys::ScopedLock lock(queueLock_);
  framed_ = true;
  if (!busy_) {
    busy_ = true;
    turnaroundStart_ = sys::PerfCounter();
    HandOver(frame);
  } else if (append) {
    queue_.push_back(frame);
  } else if (mark_ && CodeOf(frame) == lastCode_ && SameTarget(**mark_, frame)) {
    **mark_ = frame;
  } else {
    queue_.push_back(frame);
    mark_ = std::prev(queue_.end());
  }
  lastCode_ = CodeOf(frame);
}

void LinkEngine::Send(const std::uint8_t* data, std::size_t size) {
  if (!data || size == 0) return;
  SendCommand(ByteVector(data, data + size), false);
}

void LinkEngine::Send(const ByteVector& frame) {
  SendCommand(frame, false);
}

void LinkEngine::HandOver(const ByteVector& frame) {
  if (!started_) return;
  {
    sys::ScopedLock lock(bufferLock_);
    std::copy(frame.begin(), frame.end(), sendBuffer_.begin());
    sendLength_ = frame.size();
  }
  ++handOvers_;
  HandedOver(frame.data(), frame.size());
  sendEvent_.Set();
}

void LinkEngine::SendNext(std::uint64_t answered) {
  sys::ScopedLock lock(queueLock_);
  if (handOvers_ != answered) return;
  if (queue_.empty()) {
    busy_ = false;
    return;
  }
  ByteVector next = std::move(queue_.front());
  if (mark_ && *mark_ == queue_.begin()) mark_.reset();
  queue_.pop_front();
  turnaroundStart_ = sys::PerfCounter();
  HandOver(next);
}

void LinkEngine::RestartKeepAlive() {
  if (keepAlive_ && IsMainThread()) {
    keepAlive_->SetEnabled(false);
    keepAlive_->SetEnabled(true);
  }
}

void LinkEngine::KeepAliveTimer(TObject*) {
  if (keepAliveOff_ || !started_) return;
  {
    sys::ScopedLock lock(queueLock_);
    if (busy_ || !queue_.empty()) return;
  }
  SetTimeout(traits_.KeepAliveTimeoutMs);
  LCmd keepAlive(static_cast<std::uint8_t>(deviceId_.load()), KeepAliveCode);
  SendCommand(BuildFrame(keepAlive, 1), false);
}

void LinkEngine::SetTimeout(std::uint32_t ms) {
  timeoutMs_ = ms;
}

void LinkEngine::SetRetryLimit(int count) {
  retryLimit_ = count;
}

bool LinkEngine::IsBusy() const {
  sys::ScopedLock lock(queueLock_);
  return busy_;
}

std::uint8_t LinkEngine::GetLastCode() const {
  sys::ScopedLock lock(queueLock_);
  return lastCode_;
}

std::vector<ByteVector> LinkEngine::QueuedFrames() const {
  sys::ScopedLock lock(queueLock_);
  return {queue_.begin(), queue_.end()};
}

int LinkEngine::MarkedIndex() const {
  sys::ScopedLock lock(queueLock_);
  if (!mark_) return -1;
  return static_cast<int>(std::distance(queue_.begin(), Queue::const_iterator(*mark_)));
}

// ---------------------------------------------------------------- messages

void LinkEngine::Notify(int code, int value) {
  if (stopping_) return;
  PostMessage(relay_.load(), WM_LINK_TIMEOUT, static_cast<WPARAM>(code), static_cast<LPARAM>(value));
}

// ---------------------------------------------------------------- receiving

void LinkEngine::OnReceived(const std::uint8_t* data, std::size_t size) {
  if (!data || size == 0 || size > traits_.BufferSize) return;
  {
    sys::ScopedLock lock(receiveLock_);
    if (received_.size() >= MaxWaitingChunks) return;
    received_.emplace_back(data, data + size);
  }
  dataEvent_.Set();
}

void LinkEngine::DrainReceived() {
  for (;;) {
    ByteVector chunk;
    {
      sys::ScopedLock lock(receiveLock_);
      if (received_.empty()) return;
      chunk = std::move(received_.front());
      received_.pop_front();
    }
    for (std::uint8_t b : chunk) {
      if (stopping_) return;
      OnByte(b);
    }
  }
}

void LinkEngine::OnByte(std::uint8_t b) {
  if (!framed_) return;
  if (cutter_.Push(b)) FrameComplete(cutter_.Frame());
}

void LinkEngine::FrameComplete(const ByteVector& frame) {
  if (frame.size() > traits_.BufferSize) return;
  WritePending();
  std::int64_t start;
  std::uint64_t answered;
  {
    sys::ScopedLock lock(queueLock_);
    start = turnaroundStart_;
    answered = handOvers_;
  }
  const std::int64_t freq = std::max<std::int64_t>(sys::PerfFrequency(), 1);
  const std::int64_t elapsed = std::max<std::int64_t>(sys::PerfCounter() - start, 0);
  const long double ms = static_cast<long double>(elapsed) * 1000.0L / static_cast<long double>(freq);
  const std::uint32_t turnaround =
      ms >= 4294967295.0L ? std::numeric_limits<std::uint32_t>::max() : static_cast<std::uint32_t>(ms);

  BeforeDelivery(frame);
  // The handler gets its own copy, kept alive until it returns even when a
  // stop abandons the wait.
  auto lent = std::make_shared<ByteVector>(frame);
  if (sender_)
    sender_->Send(FrameMessage(), reinterpret_cast<WPARAM>(lent.get()), static_cast<LPARAM>(turnaround),
                  lent);
  if (stopping_) return;
  SendNext(answered);
  WritePending();
}

void LinkEngine::ReplaceFrameInFlight(const ByteVector& frame) {
  sys::ScopedLock lock(bufferLock_);
  const std::size_t n = std::min(frame.size(), sendBuffer_.size());
  std::copy(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(n), sendBuffer_.begin());
  sendLength_ = n;
}

// ---------------------------------------------------------------- worker

std::uint8_t LinkEngine::SendBufferByte(std::size_t index) {
  sys::ScopedLock lock(bufferLock_);
  return index < sendBuffer_.size() ? sendBuffer_[index] : 0;
}

void LinkEngine::Rewrite(bool force) {
  std::vector<std::uint8_t> bytes;
  {
    sys::ScopedLock lock(bufferLock_);
    if (sendLength_ == 0 || (!force && sendBuffer_[0] == 0)) return;
    bytes.assign(sendBuffer_.begin(), sendBuffer_.begin() + static_cast<std::ptrdiff_t>(sendLength_));
  }
  WriteTransport(bytes.data(), bytes.size());
}

void LinkEngine::WritePending() {
  if (sendEvent_.TryWait()) {
    counts_.retries = 0;
    Rewrite(true);
  }
}

void LinkEngine::OnWaitTimeout() {
  WorkerCounts& counts = counts_;
  ++replyTimeouts_;
  if (resendCredit_ > 0) {
    --resendCredit_;
    Rewrite(true);
    return;
  }
  const bool silence = traits_.Rule == TimeoutRule::ReportAfterSilence;
  if (counts.retries < retryLimit_) {
    if (silence) counts.silent = 0;
    Rewrite(false);
    ++counts.retries;
    return;
  }
  if (silence && counts.silent <= 3) {
    ++counts.silent;
    return;
  }
  counts.retries = 0;
  {
    sys::ScopedLock lock(bufferLock_);
    sendBuffer_[0] = 0;
  }
  Notify(LinkNoAnswer, SendBufferByte(DeviceFrame::SentIdIndex));
}

void LinkEngine::Run() {
  // A frame handed over is written before received bytes are looked at.
  enum { StopIndex, SendIndex, DataIndex, PortIndex };
  std::array<sys::Event*, 3> events{&stopEvent_, &sendEvent_, &dataEvent_};
  counts_ = {};
  for (;;) {
    const int port = PortHandle();
    std::array<int, 1> fds{port};
    std::span<const int> readFds(fds.data(), port >= 0 ? 1 : 0);
    const int r = sys::WaitForAny(events, readFds, timeoutMs_.load());
    lastWaitResult_ = r;
    if (stopping_ || r == StopIndex) break;
    if (r == DataIndex) {
      DrainReceived();
    } else if (r == SendIndex) {
      counts_.retries = 0;
      Rewrite(true);
    } else if (r == PortIndex) {
      if (!ReadPort()) {
        Notify(LinkPortEventFailed, SendBufferByte(DeviceFrame::IdIndex));
        break;
      }
    } else if (r == sys::kWaitTimeout) {
      OnWaitTimeout();
    } else {
      if (traits_.ReportFailedWait) Notify(LinkWaitFailed, SendBufferByte(DeviceFrame::SentIdIndex));
      break;
    }
  }
  started_ = false;
}
