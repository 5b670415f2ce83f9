#pragma once
// One RS-232 port over POSIX termios, opened by path (a port of the list in
// SerialPortList.h, or any tty such as a pseudo-terminal).
//
// The port is opened exclusively: TIOCEXCL keeps other programs out, and an
// advisory lock keeps a second opener out even when it runs as root (which
// TIOCEXCL does not stop). Reads never block; Handle() is the descriptor a
// worker polls, together with its own events, to learn that data arrived.
//
// The object is safe to use from two threads (a worker reading and writing,
// the UI thread closing); Close must not run while a poll on Handle() is in
// progress elsewhere.

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

enum class SerialParity { None, Odd, Even, Mark, Space };

struct SerialSettings {
  int BaudRate = 115200;
  int DataBits = 8;  // 5..8
  SerialParity Parity = SerialParity::None;
  int StopBits = 1;  // 1 or 2
};

enum class SerialErrorCode {
  None,
  NotFound,            // no such port
  AccessDenied,        // no permission
  Busy,                // open elsewhere
  NotATerminal,        // the path is not a serial port
  UnsupportedSetting,  // a baud rate, data bits, parity or stop bits the port cannot take
  ConfigureFailed,     // the port refused or did not keep the settings
  AlreadyOpen,
  NotOpen,
  Disconnected,  // the port went away (hang-up, device unplugged)
  Timeout,       // a write could not finish in time
  IoError,
};

struct SerialError {
  SerialErrorCode Code = SerialErrorCode::None;
  int SysError = 0;     // errno of the failed call, 0 when none
  std::string Message;  // ready to show to the user
};

enum class SerialWaitResult { DataArrived, Timeout, Failed };

class SerialPort {
 public:
  SerialPort() = default;
  ~SerialPort();
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  // Opens, locks, configures and purges the port. False with LastError set
  // on any failure, in which case nothing stays open.
  bool Open(const std::string& path, const SerialSettings& settings = {});
  // Purges both directions and closes. Harmless when not open.
  void Close();

  bool IsOpen() const;
  std::string Path() const;
  // Readable when bytes wait (or the port hung up); -1 while closed.
  int Handle() const;

  // Discards whatever waits in the input and output queues.
  bool Purge();
  // Reads what waits, at most `size` bytes, without blocking. Returns the
  // count (0 when nothing waits) or -1 with LastError set.
  long Read(void* buffer, std::size_t size);
  // Writes all bytes, waiting at most timeoutMs for room in the output
  // queue. Returns the count written (less than size only on a time-out,
  // with LastError set) or -1 on failure.
  long Write(const void* data, std::size_t size, int timeoutMs = 1000);
  // Bytes waiting in the input queue, or -1 on failure.
  int BytesWaiting();
  // Waits at most timeoutMs for bytes to read. Failed when the port is
  // closed, hung up or in error (LastError tells which).
  SerialWaitResult WaitForData(int timeoutMs);
  // The baud rate the port is set to now, read back from the port; 0 when
  // it cannot be read or is not a standard rate.
  int GetBaudRate();

  SerialError LastError() const;

 private:
  bool Fail(SerialErrorCode code, int sysError, std::string message);
  bool Configure(int fd, const SerialSettings& settings);
  void CloseLocked();

  mutable std::mutex FLock;
  int FFd = -1;
  std::string FPath;
  SerialError FError;
};

// The text of a baud-rate, data-bits, parity and stop-bits setting, as
// "115200 baud, 8 data bits, no parity, 1 stop bit".
std::string DescribeSerialSettings(const SerialSettings& settings);
