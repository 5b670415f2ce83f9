#pragma once
// The core of the three link engines (network, serial, USB): one frame in
// flight, the send queue with its coalescing mark, the reply time-out with
// its resends, the keep-alive of an idle link, the cutting of received bytes
// into frames and their delivery to the owner window. Each transport adds
// only its writes (and the serial port its reads).
//
// The owner window is reached through a sys::MessageTarget: its thread is
// the user-interface thread, and it makes the keep-alive timer.
//
// Threads. The user-interface thread starts and stops the engine, submits
// frames, hands over received chunks (network, USB) and runs the keep-alive
// timer. One worker thread per engine waits for received data, a frame to
// write, a stop request and (serial) the port, at most the reply time-out;
// it writes, resends, cuts frames and delivers them. A frame handed over is
// written before the worker delivers a frame or hands over the next one, so
// no frame is answered or displaced before it went out. Delivery is
// synchronous: the worker waits while the owner handles WM_LINK_FRAME, and
// frames submitted meanwhile wait in the queue. The queue, busy flag,
// LastCode and CoalescingMark share one mutex that is never held while a
// frame is delivered; received chunks pass through a FIFO, so none is
// overwritten; Stop ends a delivery's wait at once, and after Stop nothing
// is delivered or posted (a WM_LINK_TIMEOUT already on its way is dropped).
// Stop may run inside the owner's frame handler. A failed write is treated
// as a lost link. Log lines (failed writes, dropped input) wait in a locked
// queue of their own, so a dropped message loses none of them.
//
// Answers: a request with a reply rule (ReplyMatch.h) waits for its own
// reply; other frames that arrive meanwhile are delivered (level, gate and
// acknowledgement replies keep their use) without ending its wait, and the
// time-out runs on from its write, so a lost, damaged or wrong answer is
// asked for again and, after the retries, reported as no answer. Damaged
// frames (trailer or check byte wrong) are dropped and logged. During a
// delivery, DeliveredAnswer() tells the owner whether the frame answers
// the request in flight.
//
// Coalescing by target: a frame without the append mark, submitted while a
// frame is in flight, replaces the waiting plain frame of the same command
// code and target (channel, and the band or slot where the command has
// one) wherever it waits, unless a frame that must stay in order with it
// waits behind that one: an appended frame, or a routing frame of another
// target (an effect route is cleared on the outputs before the effect bus
// takes the input). Otherwise it is queued at the back. So the queue holds
// at most one plain frame per target between two appended frames, however
// fast a control moves, and the newest value of a target is always written
// last. Appended frames are queued, never replaced. The frame in flight is
// never replaced.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/FrameCutter.h"
#include "link/LCmd.h"
#include "platform/sys/Events.h"
#include "platform/sys/Locks.h"
#include "platform/sys/MessageTarget.h"
#include "platform/sys/Threads.h"
#include "platform/sys/Timer.h"

// Messages from the engines to their owner window.
// Sent synchronously; wParam: address of the frame (a ByteVector lent for
// the call), lParam: turnaround time in ms.
constexpr unsigned WM_LINK_FRAME = 0x550;
// Posted; wParam: a LinkTimeoutCode, lParam: the device ID of the frame in
// flight (codes 0 and 6), its byte 2 (code 1), 0 (code 5).
constexpr unsigned WM_LINK_TIMEOUT = 0x551;
// As WM_LINK_FRAME, from a serial port not set to 115200 baud.
constexpr unsigned WM_LINK_FRAME_OTHER_BAUD = 0x552;
// Posted when a log line waits where none waited; the window takes the
// lines with LinkEngine::TakeLogLines. No parameters.
constexpr unsigned WM_LINK_LOG = 0x553;

enum LinkTimeoutCode : int {
  LinkNoAnswer = 0,         // no answer after the retries
  LinkPortEventFailed = 1,  // the serial port failed or went away
  LinkStopTimedOut = 5,     // the worker did not end within 5000 ms of a stop
  LinkWaitFailed = 6,       // the serial worker's wait failed
};

// The physical side the owner provides. Each engine calls only its own
// kind, on the thread named, and never under one of the engine's locks: a
// hook may ask the engine for its state, but none may stop it or wait for
// the user-interface thread (a stop waits for the worker there). Window
// controls must be touched on the user-interface thread only, so
// worker-thread calls post what they show.
class LinkOwner {
 public:
  virtual ~LinkOwner() = default;
  // Network worker: write the frame to the client socket.
  // USB worker: write the frame as one output report.
  // Both: false, with the reason in error, when the write failed.
  virtual bool WriteSocket(const std::uint8_t* data, std::size_t size, std::string& error);
  virtual bool WriteUsbReport(const std::uint8_t* data, std::size_t size, std::string& error);
  // Serial: a frame handed over for writing (the submitting thread, or
  // the worker when it sends the next queued frame), and a received frame
  // (worker).
  virtual void LogSerialWrite(const std::uint8_t* data, std::size_t size);
  virtual void LogSerialRead(const std::uint8_t* data, std::size_t size);
};

// Leading payload bytes that name what a command addresses (channel, band,
// slot); frames of the same code coalesce only when these bytes agree.
std::size_t CoalescingTargetSize(std::uint8_t code);

class LinkEngine {
 public:
  static constexpr std::uint32_t DefaultTimeoutMs = 800;
  static constexpr int DefaultRetryLimit = 2;
  static constexpr std::uint32_t KeepAliveIntervalMs = 2000;
  static constexpr std::uint32_t StopWaitMs = 5000;
  static constexpr std::uint8_t KeepAliveCode = CommandCode("KEEP_ALIVE");

  // What happens at a reply time-out once the retries are spent.
  enum class TimeoutRule {
    Report,              // report code 0 at once
    ReportAfterSilence,  // wait four more time-outs in silence, then report (USB)
  };

  struct Traits {
    std::size_t BufferSize;      // send buffer, and largest received chunk and frame
    std::size_t CutterTestFrom;  // see FrameCutter
    std::uint32_t KeepAliveTimeoutMs;
    TimeoutRule Rule;
    bool ReportFailedWait;  // code 6 when the worker's wait fails
  };

  virtual ~LinkEngine();
  LinkEngine(const LinkEngine&) = delete;
  LinkEngine& operator=(const LinkEngine&) = delete;

  // Submits a frame (user-interface thread). Nothing happens while the
  // engine is not started, or for an empty frame or one longer than the
  // send buffer.
  void SendCommand(const ByteVector& frame, bool append);
  // The frame a Stop will follow (the goodbye): handed over at once, ahead
  // of anything queued and in place of a frame still waiting for its answer,
  // so that the Stop writes it.
  void SendLast(const ByteVector& frame);
  // The same without the append mark.
  void Send(const std::uint8_t* data, std::size_t size);
  void Send(const ByteVector& frame);

  // Posts WM_LINK_TIMEOUT (code, value) to the owner unless stopped.
  virtual void Notify(int code, int value);

  // Take effect at the worker's next wait.
  virtual void SetTimeout(std::uint32_t ms);
  void SetRetryLimit(int count);
  std::uint32_t GetTimeout() const { return FTimeoutMs.load(); }
  int GetRetryLimit() const { return FRetryLimit.load(); }

  // True suppresses the keep-alive.
  void SetKeepAliveOff(bool off) { FKeepAliveOff = off; }
  bool GetKeepAliveOff() const { return FKeepAliveOff.load(); }
  // The device ID the keep-alive addresses.
  void SetDeviceId(int id) { FDeviceId = id; }
  int GetDeviceId() const { return FDeviceId.load(); }
  // Interval of the keep-alive timer (2000 ms); for tests.
  void SetKeepAliveInterval(std::uint32_t ms);

  // Runs on the keep-alive timer: submits the keep-alive 0x12 when nothing
  // is in flight or queued, after setting the reply time-out to the
  // transport's keep-alive time-out.
  void KeepAliveTimer();

  bool IsStarted() const { return FStarted.load(); }
  bool IsBusy() const;
  std::uint8_t GetLastCode() const;
  // The waiting frames, oldest first, and the index of the one the last
  // plain submission went to while it waits (-1: none).
  std::vector<ByteVector> QueuedFrames() const;
  int MarkedIndex() const;
  // The result of the worker's last wait (an event index, sys::kWaitTimeout
  // or sys::kWaitFailed).
  int LastWaitResult() const { return FLastWaitResult.load(); }
  // Reply time-outs the worker has counted since the engine started.
  int ReplyTimeouts() const { return FReplyTimeouts.load(); }
  // During a WM_LINK_FRAME delivery: the frame answers the request in
  // flight (a request with a reply rule, answered for the first time).
  bool DeliveredAnswer() const { return FDeliveredAnswer.load(); }

  // What the link logged on any thread (failed writes, dropped input),
  // oldest first; taking them empties the queue. At most MaxLogLines wait:
  // the oldest give way, and one line tells how many were lost.
  static constexpr std::size_t MaxLogLines = 64;
  std::vector<std::string> TakeLogLines();

 protected:
  // The owner receives the engine's messages and runs its keep-alive timer
  // on the user-interface thread.
  LinkEngine(sys::MessageTarget* owner, LinkOwner* io, int deviceId, const Traits& traits);

  // Starts the worker and the keep-alive timer (user-interface thread).
  // False without an owner, when already started, or when a worker that would not stop
  // still runs.
  bool Start();
  // Stops the keep-alive, empties the queue, ends any delivery's wait,
  // tells the worker to stop and waits for it at most 5000 ms (else posts
  // code 5). The worker's resources stay until it has ended.
  void Stop();
  // Stop, then wait for the worker without limit. Every class that
  // overrides a hook the worker calls runs it first in its destructor.
  void Shutdown();
  // Hands a received chunk of any size to the worker, in pieces of the
  // buffer's size; nothing before the first submission. What a worker held up too long cannot take is dropped
  // and logged.
  void OnReceived(const std::uint8_t* data, std::size_t size);

  // Hooks of the transports.
  // Worker: write bytes to the transport. False, with the reason in error,
  // when the write failed: the link is then reported lost at once.
  virtual bool WriteTransport(const std::uint8_t* data, std::size_t size, std::string& error) = 0;
  // A descriptor the worker also waits on (serial port), -1 for none.
  virtual int PortHandle() { return -1; }
  // Worker, when PortHandle is readable: read what waits and pass each
  // byte to OnByte. False when the port failed.
  virtual bool ReadPort() { return true; }
  // A frame was handed over for writing (the thread that handed it).
  virtual void HandedOver(const std::uint8_t*, std::size_t) {}
  // Worker: a complete frame is about to be delivered; endsWait tells
  // whether it ends the wait for the frame in flight.
  virtual void BeforeDelivery(const ByteVector&, bool /*endsWait*/) {}
  // Worker: the message that delivers a frame.
  virtual unsigned FrameMessage() { return WM_LINK_FRAME; }

  // The reassembly, byte by byte (worker). Bytes before the first
  // submission are dropped.
  void OnByte(std::uint8_t b);
  // Delivers a complete frame, then hands over the next queued one.
  void FrameComplete(const ByteVector& frame);
  // After the answer to the frame handed over as number `answered`: hands
  // over the front of the queue, or leaves the engine idle. Nothing
  // happens when a newer frame was handed over meanwhile (submitted by
  // the handler of an unasked frame): that one still waits for its answer.
  void SendNext(std::uint64_t answered);

  // Serial: time-outs that rewrite the send buffer without counting.
  void SetResendCredit(int count) { FResendCredit = count; }
  // Replaces the send buffer without writing it (serial delivery).
  void ReplaceFrameInFlight(const ByteVector& frame);

  // Queues a line for the window (any thread).
  void Log(std::string line);

  LinkOwner* Io() const { return FIo; }
  bool Stopping() const { return FStopping.load(); }
  // True until the worker has ended and been reaped.
  bool WorkerAlive() const { return FWorker.Started(); }

 private:
  struct WorkerCounts {
    int retries = 0;
    int silent = 0;
  };
  struct Waiting {
    ByteVector Frame;
    bool Appended;
  };
  using Queue = std::list<Waiting>;

  void Run();
  void DrainReceived();
  void OnWaitTimeout();
  // Writes a frame handed over and not yet written, so that no frame is
  // answered or displaced before it went out.
  void WritePending();
  // Writes the send buffer; with force, also when its first byte is 0. A
  // failed write reports the link lost.
  void Rewrite(bool force);
  // The end of the time-out road: no more resends, the owner is told.
  void ReportLost();
  // SendCommand and SendLast: a last frame is handed over even while
  // another waits for its answer.
  void Submit(const ByteVector& frame, bool append, bool last);
  // Copies the frame into the send buffer; false when not started. Called
  // with FQueueLock held.
  bool HandOver(const ByteVector& frame);
  // After a hand-over, with no lock held: tells the transport (which runs
  // owner code) and wakes the worker.
  void Announce(const ByteVector& frame);
  // The waiting plain frame a new plain frame replaces: of the same
  // target, with nothing that must stay in order with it waiting behind it.
  // Called with FQueueLock held.
  std::optional<Queue::iterator> Replaceable(const ByteVector& frame);
  void RestartKeepAlive();
  std::uint8_t SendBufferByte(std::size_t index);

  const Traits FTraits;
  sys::MessageTarget* FOwner;
  LinkOwner* FIo;

  // Queue state.
  mutable sys::Mutex FQueueLock;
  bool FBusy = false;
  std::uint8_t FLastCode = 0;
  Queue FQueue;
  std::optional<Queue::iterator> FMark;
  std::int64_t FTurnaroundStart = 0;
  // Counts hand-overs, to tell which frame an answer ends.
  std::uint64_t FHandOvers = 0;
  // The frame handed over last, as submitted.
  ByteVector FInFlight;

  // The frame in flight.
  sys::Mutex FBufferLock;
  std::vector<std::uint8_t> FSendBuffer;
  std::size_t FSendLength = 0;

  // Received chunks, oldest first.
  sys::Mutex FReceiveLock;
  std::deque<ByteVector> FReceived;

  sys::Mutex FLogLock;
  std::deque<std::string> FLogLines;
  std::size_t FLogLost = 0;

  FrameCutter FCutter;
  std::atomic<bool> FFramed{false};
  std::atomic<std::uint32_t> FTimeoutMs{DefaultTimeoutMs};
  std::atomic<int> FRetryLimit{DefaultRetryLimit};
  std::atomic<int> FResendCredit{0};
  std::atomic<bool> FKeepAliveOff{false};
  std::atomic<int> FDeviceId;
  std::atomic<int> FLastWaitResult{0};
  std::atomic<int> FReplyTimeouts{0};
  std::atomic<bool> FDeliveredAnswer{false};
  WorkerCounts FCounts;  // the worker's own
  // When the current reply wait began (worker): a write, a time-out or an
  // answer starts it; frames that answer nothing do not.
  std::uint64_t FWaitFromMs = 0;
  std::atomic<bool> FStarted{false};
  std::atomic<bool> FStopping{false};
  std::uint32_t FKeepAliveIntervalMs = KeepAliveIntervalMs;

  std::unique_ptr<sys::Timer> FKeepAlive;
  // Deliveries and posts of one run; Stop stops it, so nothing arrives
  // after the stop. Kept until the worker has ended.
  std::unique_ptr<sys::MessageChannel> FChannel;

  sys::Event FStopEvent;
  sys::Event FDataEvent;
  sys::Event FSendEvent;
  sys::Thread FWorker;
};
