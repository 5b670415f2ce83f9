#pragma once
// The class library's non-blocking TCP client socket over a POSIX socket.
//
// Setting Active (or Open) starts a connection to Address:Port and returns at
// once; OnConnecting runs inside that call, and OnConnect, OnRead, OnError
// and OnDisconnect arrive later from the event loop of the user-interface
// thread (modal loops included). OnRead fires while received bytes wait; the
// handler takes them with Socket->ReceiveBuf (a handler that takes nothing
// is asked again a little later, not at once).
//
// OnError gets the system's error number in ErrorCode. A handler that sets it
// to 0 takes the error over; otherwise the socket raises ESocketError from
// the event (reported by the handler boundary) or from the call that failed.
// After an error or a disconnect the socket is closed (Active false).
//
// Socket->SendBuf may be called from any thread (a link worker writes its
// frames with it): a plain send(), one writer at a time, never raising
// SIGPIPE and never firing an event. It waits for room, and for a
// connection still in progress, without holding the lock that reads take.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "platform/classlib/Classes.h"

class QSocketNotifier;
class TClientSocket;

enum TErrorEvent { eeGeneral, eeSend, eeReceive, eeConnect, eeDisconnect, eeAccept, eeLookup };

class ESocketError : public Exception {
 public:
  using Exception::Exception;
};

// One connection's descriptor and its byte I/O.
class TCustomWinSocket {
 public:
  TCustomWinSocket() = default;
  ~TCustomWinSocket();
  TCustomWinSocket(const TCustomWinSocket&) = delete;
  TCustomWinSocket& operator=(const TCustomWinSocket&) = delete;

  // Reads at most Count waiting bytes without blocking. The count read; 0
  // when nothing waits; -1 on a failure or when not connected.
  int ReceiveBuf(void* Buf, int Count);
  // Bytes waiting to be read; 0 when none or not connected.
  int ReceiveLength() const;
  // Writes all Count bytes and returns Count, or -1 when the socket is
  // closed, the connection fails or the write fails. Waits at most a second
  // in all for a connection in progress and for room. Any thread.
  int SendBuf(const void* Buf, int Count);
  // The same for text.
  int SendText(const std::string& Text);

  bool GetConnected() const;
  // The peer's address as dotted text and its port; empty / 0 until connected.
  std::string GetRemoteAddress() const;
  int GetRemotePort() const;
  std::string GetLocalAddress() const;
  int GetLocalPort() const;

 private:
  friend class TClientSocket;
  // Takes ownership of a connecting descriptor.
  void Attach(int fd);
  void SetConnected();
  // Shuts the connection down (waking a sender that waits for room), then
  // closes the descriptor.
  void Close();
  int Handle() const;

  // Owns the descriptor: it is closed when the socket and every writer
  // still using it have let go, so a writer never reaches a reused number.
  struct Descriptor;

  // Held briefly by readers, by writers to take the descriptor, and by
  // Close; never during a wait. FFd itself changes only on the
  // user-interface thread, so that thread may read it without the lock.
  mutable std::mutex FLock;
  std::atomic<int> FFd{-1};
  std::shared_ptr<Descriptor> FDescriptor;
  bool FConnected = false;
  // One writer at a time, so frames from two threads never interleave.
  std::mutex FSendLock;
  // Calls of ReceiveBuf, so the socket can tell a read handler that took
  // nothing.
  std::atomic<unsigned> FReceiveCalls{0};
};

using TSocketNotifyEvent = std::function<void(TObject* Sender, TCustomWinSocket* Socket)>;
using TSocketErrorEvent =
    std::function<void(TObject* Sender, TCustomWinSocket* Socket, TErrorEvent ErrorEvent, int& ErrorCode)>;

class TClientSocket : public TComponent {
 public:
  explicit TClientSocket(TComponent* AOwner);
  ~TClientSocket() override;

  // A numeric IPv4 address ("192.168.1.101").
  const std::string& GetAddress() const { return FAddress; }
  void SetAddress(const std::string& Value) { FAddress = Value; }
  int GetPort() const { return FPort; }
  void SetPort(int Value) { FPort = Value; }

  // True from a started connection until it is closed (it may still be
  // connecting: Socket->GetConnected tells).
  bool GetActive() const { return FActive; }
  // True starts a connection unless the socket is already active; false
  // closes without events. The socket is no longer active while its
  // OnDisconnect or OnError runs, so such a handler may open it again.
  void SetActive(bool Value);
  void Open() { SetActive(true); }
  void Close() { SetActive(false); }

  TCustomWinSocket* GetSocket() const { return FSocket.get(); }

  TSocketNotifyEvent OnConnecting;
  TSocketNotifyEvent OnConnect;
  TSocketNotifyEvent OnDisconnect;
  TSocketNotifyEvent OnRead;
  TSocketErrorEvent OnError;

 private:
  void Connect();
  void CloseSocket();
  void Writable();
  void Readable();
  // Runs OnError; closes; raises ESocketError when ErrorCode stays non-zero.
  void Error(TErrorEvent Event, int Code);

  std::string FAddress;
  int FPort = 0;
  bool FActive = false;
  std::unique_ptr<TCustomWinSocket> FSocket;
  QSocketNotifier* FReadNotifier = nullptr;
  QSocketNotifier* FWriteNotifier = nullptr;
  // Lets an event notice that its handler closed, reopened or freed the
  // socket: the generation counts closes, and goes with the socket.
  std::shared_ptr<int> FGeneration = std::make_shared<int>(0);
  struct HandlerWatch {
    std::weak_ptr<int> alive;
    int generation;
    bool Freed() const { return alive.expired(); }
    // Neither freed nor closed or reopened since the watch began.
    bool Same() const {
      const std::shared_ptr<int> g = alive.lock();
      return g && *g == generation;
    }
  };
  HandlerWatch Watch() const { return {FGeneration, *FGeneration}; }
};
