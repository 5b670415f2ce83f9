#include "link/LinkEngine.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>
#include <utility>

#include "link/ReplyMatch.h"
#include "platform/sys/Clock.h"

namespace {

// Received chunks that may wait for the worker; a worker held up that long
// by its owner loses the newest ones.
constexpr std::size_t MaxWaitingChunks = 256;

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

std::string HexText(const char* head, const ByteVector& bytes) {
  std::string line = head;
  char cell[4];
  for (std::uint8_t b : bytes) {
    std::snprintf(cell, sizeof cell, "%02X ", b);
    line += cell;
  }
  return line;
}

bool SameTarget(const ByteVector& a, const ByteVector& b) {
  return CodeOf(a) == CodeOf(b) && TargetOf(a) == TargetOf(b);
}

// Routing frames keep their order among themselves: an effect route leaves
// an output before the effect bus takes the input.
bool KeepOrder(const ByteVector& a, const ByteVector& b) {
  constexpr std::uint8_t Matrix = CommandCode("CM_MCS_MATRIX");
  return CodeOf(a) == Matrix && CodeOf(b) == Matrix;
}

}  // namespace

std::size_t CoalescingTargetSize(std::uint8_t code) {
  return CommandTargetSize(code);
}

bool LinkOwner::WriteSocket(const std::uint8_t*, std::size_t, std::string&) {
  return true;
}
bool LinkOwner::WriteUsbReport(const std::uint8_t*, std::size_t, std::string&) {
  return true;
}
void LinkOwner::LogSerialWrite(const std::uint8_t*, std::size_t) {}
void LinkOwner::LogSerialRead(const std::uint8_t*, std::size_t) {}

// ---------------------------------------------------------------- life

LinkEngine::LinkEngine(sys::MessageTarget* owner, LinkOwner* io, int deviceId, const Traits& traits)
    : FTraits(traits),
      FOwner(owner),
      FIo(io),
      FSendBuffer(traits.BufferSize, 0),
      FCutter(traits.CutterTestFrom),
      FDeviceId(deviceId) {}

LinkEngine::~LinkEngine() {
  Shutdown();
}

bool LinkEngine::Start() {
  if (FStarted || FWorker.Started() || !FOwner) return false;
  if (!FStopEvent.Valid() || !FDataEvent.Valid() || !FSendEvent.Valid()) return false;

  FStopEvent.Reset();
  FDataEvent.Reset();
  FSendEvent.Reset();
  {
    sys::ScopedLock lock(FReceiveLock);
    FReceived.clear();
  }
  {
    sys::ScopedLock lock(FQueueLock);
    FQueue.clear();
    FMark.reset();
    FBusy = false;
  }
  FCutter.Reset();
  FFramed = false;
  FStopping = false;
  FReplyTimeouts = 0;

  FChannel = FOwner->OpenChannel();
  {
    // Lines whose wake-up a stop dropped still wait for the window.
    sys::ScopedLock lock(FLogLock);
    if (!FLogLines.empty() || FLogLost > 0) FChannel->Post(WM_LINK_LOG, 0, 0);
  }
  FKeepAlive = FOwner->CreateTimer([this] { KeepAliveTimer(); });
  FKeepAlive->SetInterval(FKeepAliveIntervalMs);
  FKeepAlive->SetEnabled(true);

  FStarted = true;
  if (!FWorker.Start([this] { Run(); })) {
    FStarted = false;
    FKeepAlive.reset();
    FChannel.reset();
    return false;
  }
  return true;
}

void LinkEngine::Stop() {
  FKeepAlive.reset();
  {
    sys::ScopedLock lock(FQueueLock);
    FQueue.clear();
    FMark.reset();
  }
  if (!FWorker.Started()) {
    FStarted = false;
    return;
  }
  FStopping = true;
  if (FChannel) FChannel->Stop();
  FStopEvent.Set();
  if (!FWorker.Join(StopWaitMs)) {
    // The worker keeps its resources until it ends (the destructor waits).
    FOwner->Post(WM_LINK_TIMEOUT, static_cast<sys::MessageWParam>(LinkStopTimedOut), 0);
  } else {
    FChannel.reset();
  }
  FStarted = false;
}

void LinkEngine::Shutdown() {
  Stop();
  if (FWorker.Started()) FWorker.Join();
  FChannel.reset();
}

void LinkEngine::SetKeepAliveInterval(std::uint32_t ms) {
  FKeepAliveIntervalMs = ms;
  if (FKeepAlive) FKeepAlive->SetInterval(ms);
}

// ---------------------------------------------------------------- submission

void LinkEngine::SendCommand(const ByteVector& frame, bool append) {
  Submit(frame, append, false);
}

void LinkEngine::SendLast(const ByteVector& frame) {
  Submit(frame, true, true);
}

void LinkEngine::Submit(const ByteVector& frame, bool append, bool last) {
  if (!FStarted || FStopping) return;
  // Frames the buffer cannot hold are never carried (the longest the
  // editor sends is 61 bytes).
  if (frame.empty() || frame.size() > FTraits.BufferSize) return;
  RestartKeepAlive();

  bool handed = false;
  {
    sys::ScopedLock lock(FQueueLock);
    FFramed = true;
    if (!FBusy || last) {
      FBusy = true;
      FTurnaroundStart = sys::PerfCounter();
      handed = HandOver(frame);
    } else if (append) {
      FQueue.push_back({frame, true});
    } else if (auto waiting = Replaceable(frame)) {
      (*waiting)->Frame = frame;
      FMark = *waiting;
    } else {
      FQueue.push_back({frame, false});
      FMark = std::prev(FQueue.end());
    }
    FLastCode = CodeOf(frame);
  }
  if (handed) Announce(frame);
}

std::optional<LinkEngine::Queue::iterator> LinkEngine::Replaceable(const ByteVector& frame) {
  for (auto it = FQueue.end(); it != FQueue.begin();) {
    --it;
    if (it->Appended) return std::nullopt;
    if (SameTarget(it->Frame, frame)) return it;
    if (KeepOrder(it->Frame, frame)) return std::nullopt;
  }
  return std::nullopt;
}

void LinkEngine::Send(const std::uint8_t* data, std::size_t size) {
  if (!data || size == 0) return;
  SendCommand(ByteVector(data, data + size), false);
}

void LinkEngine::Send(const ByteVector& frame) {
  SendCommand(frame, false);
}

bool LinkEngine::HandOver(const ByteVector& frame) {
  if (!FStarted) return false;
  {
    sys::ScopedLock lock(FBufferLock);
    std::copy(frame.begin(), frame.end(), FSendBuffer.begin());
    FSendLength = frame.size();
  }
  FInFlight = frame;
  ++FHandOvers;
  return true;
}

void LinkEngine::Announce(const ByteVector& frame) {
  HandedOver(frame.data(), frame.size());
  FSendEvent.Set();
}

void LinkEngine::SendNext(std::uint64_t answered) {
  ByteVector next;
  {
    sys::ScopedLock lock(FQueueLock);
    if (FHandOvers != answered) return;
    if (FQueue.empty()) {
      FBusy = false;
      return;
    }
    next = std::move(FQueue.front().Frame);
    if (FMark && *FMark == FQueue.begin()) FMark.reset();
    FQueue.pop_front();
    FTurnaroundStart = sys::PerfCounter();
    if (!HandOver(next)) return;
  }
  Announce(next);
}

void LinkEngine::RestartKeepAlive() {
  if (FKeepAlive && FOwner->OnTargetThread()) {
    FKeepAlive->SetEnabled(false);
    FKeepAlive->SetEnabled(true);
  }
}

void LinkEngine::KeepAliveTimer() {
  if (FKeepAliveOff || !FStarted) return;
  {
    sys::ScopedLock lock(FQueueLock);
    if (FBusy || !FQueue.empty()) return;
  }
  SetTimeout(FTraits.KeepAliveTimeoutMs);
  LCmd keepAlive(static_cast<std::uint8_t>(FDeviceId.load()), KeepAliveCode);
  SendCommand(BuildFrame(keepAlive, 1), false);
}

void LinkEngine::SetTimeout(std::uint32_t ms) {
  FTimeoutMs = ms;
}

void LinkEngine::SetRetryLimit(int count) {
  FRetryLimit = count;
}

bool LinkEngine::IsBusy() const {
  sys::ScopedLock lock(FQueueLock);
  return FBusy;
}

std::uint8_t LinkEngine::GetLastCode() const {
  sys::ScopedLock lock(FQueueLock);
  return FLastCode;
}

std::vector<ByteVector> LinkEngine::QueuedFrames() const {
  sys::ScopedLock lock(FQueueLock);
  std::vector<ByteVector> frames;
  for (const Waiting& w : FQueue) frames.push_back(w.Frame);
  return frames;
}

int LinkEngine::MarkedIndex() const {
  sys::ScopedLock lock(FQueueLock);
  if (!FMark) return -1;
  return static_cast<int>(std::distance(FQueue.begin(), Queue::const_iterator(*FMark)));
}

// ---------------------------------------------------------------- messages

void LinkEngine::Notify(int code, int value) {
  if (FStopping || !FChannel) return;
  FChannel->Post(WM_LINK_TIMEOUT, static_cast<sys::MessageWParam>(code),
                 static_cast<sys::MessageLParam>(value));
}

void LinkEngine::Log(std::string line) {
  bool first;
  {
    sys::ScopedLock lock(FLogLock);
    first = FLogLines.empty() && FLogLost == 0;
    if (FLogLines.size() >= MaxLogLines) {
      FLogLines.pop_front();
      ++FLogLost;
    }
    FLogLines.push_back(std::move(line));
  }
  // Only a wake-up: the lines stay here, so a dropped message loses nothing.
  if (first && !FStopping && FChannel) FChannel->Post(WM_LINK_LOG, 0, 0);
}

std::vector<std::string> LinkEngine::TakeLogLines() {
  sys::ScopedLock lock(FLogLock);
  std::vector<std::string> lines;
  if (FLogLost > 0) lines.push_back(std::to_string(FLogLost) + " log lines lost");
  lines.insert(lines.end(), std::make_move_iterator(FLogLines.begin()),
               std::make_move_iterator(FLogLines.end()));
  FLogLines.clear();
  FLogLost = 0;
  return lines;
}

// ---------------------------------------------------------------- receiving

void LinkEngine::OnReceived(const std::uint8_t* data, std::size_t size) {
  // Bytes before the first submission answer nothing of ours.
  if (!data || size == 0 || !FFramed) return;
  std::size_t dropped = 0;
  {
    sys::ScopedLock lock(FReceiveLock);
    for (std::size_t at = 0; at < size; at += FTraits.BufferSize) {
      if (FReceived.size() >= MaxWaitingChunks) {
        dropped = size - at;
        break;
      }
      const std::size_t n = std::min(FTraits.BufferSize, size - at);
      FReceived.emplace_back(data + at, data + at + n);
    }
  }
  if (dropped > 0) Log("Received " + std::to_string(dropped) + " bytes dropped: the link is held up");
  FDataEvent.Set();
}

void LinkEngine::DrainReceived() {
  for (;;) {
    ByteVector chunk;
    {
      sys::ScopedLock lock(FReceiveLock);
      if (FReceived.empty()) return;
      chunk = std::move(FReceived.front());
      FReceived.pop_front();
    }
    for (std::uint8_t b : chunk) {
      if (FStopping) return;
      OnByte(b);
    }
  }
}

void LinkEngine::OnByte(std::uint8_t b) {
  if (!FFramed) return;
  if (FCutter.Push(b)) FrameComplete(FCutter.Frame());
}

void LinkEngine::FrameComplete(const ByteVector& frame) {
  if (frame.size() > FTraits.BufferSize) {
    Log("Received frame of " + std::to_string(frame.size()) + " bytes dropped: longer than the buffer");
    return;
  }
  if (!IsSoundFrame(frame)) {
    // Its request stays in flight: the time-out asks again.
    Log(HexText("Damaged frame dropped: ", frame));
    return;
  }
  WritePending();
  std::int64_t start;
  std::uint64_t answered;
  bool answer = false;
  bool endsWait = true;
  {
    sys::ScopedLock lock(FQueueLock);
    start = FTurnaroundStart;
    answered = FHandOvers;
    if (FBusy && FindReplyRule(CodeOf(FInFlight))) {
      answer = AnswersRequest(FInFlight, frame);
      endsWait = answer;
    }
  }
  const std::int64_t freq = std::max<std::int64_t>(sys::PerfFrequency(), 1);
  const std::int64_t elapsed = std::max<std::int64_t>(sys::PerfCounter() - start, 0);
  const long double ms = static_cast<long double>(elapsed) * 1000.0L / static_cast<long double>(freq);
  const std::uint32_t turnaround =
      ms >= 4294967295.0L ? std::numeric_limits<std::uint32_t>::max() : static_cast<std::uint32_t>(ms);

  BeforeDelivery(frame, endsWait);
  FDeliveredAnswer = answer;
  // The handler gets its own copy, kept alive until it returns even when a
  // stop abandons the wait.
  auto lent = std::make_shared<ByteVector>(frame);
  FChannel->Send(FrameMessage(), reinterpret_cast<sys::MessageWParam>(lent.get()),
                 static_cast<sys::MessageLParam>(turnaround), lent);
  FDeliveredAnswer = false;
  if (FStopping || !endsWait) return;
  FWaitFromMs = sys::GetTickMs();
  FCounts.retries = 0;
  SendNext(answered);
  WritePending();
}

void LinkEngine::ReplaceFrameInFlight(const ByteVector& frame) {
  sys::ScopedLock lock(FBufferLock);
  const std::size_t n = std::min(frame.size(), FSendBuffer.size());
  std::copy(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(n), FSendBuffer.begin());
  FSendLength = n;
}

// ---------------------------------------------------------------- worker

std::uint8_t LinkEngine::SendBufferByte(std::size_t index) {
  sys::ScopedLock lock(FBufferLock);
  return index < FSendBuffer.size() ? FSendBuffer[index] : 0;
}

void LinkEngine::Rewrite(bool force) {
  std::vector<std::uint8_t> bytes;
  {
    sys::ScopedLock lock(FBufferLock);
    if (FSendLength == 0 || (!force && FSendBuffer[0] == 0)) return;
    bytes.assign(FSendBuffer.begin(), FSendBuffer.begin() + static_cast<std::ptrdiff_t>(FSendLength));
  }
  std::string error;
  if (WriteTransport(bytes.data(), bytes.size(), error)) return;
  Log("Write failed: " + (error.empty() ? std::string("unknown error") : error));
  ReportLost();
}

void LinkEngine::ReportLost() {
  FCounts.retries = 0;
  {
    sys::ScopedLock lock(FBufferLock);
    FSendBuffer[0] = 0;
  }
  Notify(LinkNoAnswer, SendBufferByte(DeviceFrame::SentIdIndex));
}

void LinkEngine::WritePending() {
  if (FSendEvent.TryWait()) {
    FCounts.retries = 0;
    FWaitFromMs = sys::GetTickMs();
    Rewrite(true);
  }
}

void LinkEngine::OnWaitTimeout() {
  WorkerCounts& counts = FCounts;
  ++FReplyTimeouts;
  // A part-frame older than a reply wait never completes honestly: a damaged
  // length byte would otherwise swallow the replies to the resends too.
  if (FCutter.Pending() > 0) {
    Log("Incomplete frame of " + std::to_string(FCutter.Pending()) + " bytes dropped after the reply wait");
    FCutter.Reset();
  }
  if (FResendCredit > 0) {
    --FResendCredit;
    Rewrite(true);
    return;
  }
  const bool silence = FTraits.Rule == TimeoutRule::ReportAfterSilence;
  if (counts.retries < FRetryLimit) {
    if (silence) counts.silent = 0;
    Rewrite(false);
    ++counts.retries;
    return;
  }
  if (silence && counts.silent <= 3) {
    ++counts.silent;
    return;
  }
  ReportLost();
}

void LinkEngine::Run() {
  // A frame handed over is written before received bytes are looked at.
  enum { StopIndex, SendIndex, DataIndex, PortIndex };
  std::array<sys::Event*, 3> events{&FStopEvent, &FSendEvent, &FDataEvent};
  FCounts = {};
  FWaitFromMs = sys::GetTickMs();
  for (;;) {
    const int port = PortHandle();
    std::array<int, 1> fds{port};
    std::span<const int> readFds(fds.data(), port >= 0 ? 1 : 0);
    // Frames that answer nothing do not restart the wait.
    const std::uint64_t waited = sys::GetTickMs() - FWaitFromMs;
    const std::uint32_t timeout = FTimeoutMs.load();
    const int r = sys::WaitForAny(events, readFds,
                                  waited >= timeout ? 0u : static_cast<std::uint32_t>(timeout - waited));
    FLastWaitResult = r;
    if (FStopping || r == StopIndex) {
      // A frame handed over just before the stop (the goodbye of a
      // disconnect) still goes out, also when this wake-up took its event.
      if (r == SendIndex)
        Rewrite(true);
      else
        WritePending();
      break;
    }
    if (r == DataIndex) {
      DrainReceived();
    } else if (r == SendIndex) {
      FCounts.retries = 0;
      FWaitFromMs = sys::GetTickMs();
      Rewrite(true);
    } else if (r == PortIndex) {
      if (!ReadPort()) {
        Notify(LinkPortEventFailed, SendBufferByte(DeviceFrame::IdIndex));
        break;
      }
    } else if (r == sys::kWaitTimeout) {
      FWaitFromMs = sys::GetTickMs();
      OnWaitTimeout();
    } else {
      if (FTraits.ReportFailedWait) Notify(LinkWaitFailed, SendBufferByte(DeviceFrame::SentIdIndex));
      break;
    }
  }
  FStarted = false;
}
