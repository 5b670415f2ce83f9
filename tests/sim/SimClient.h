#pragma once
// A plain client for tests that talk to the simulator without the editor:
// it writes frames and cuts the replies out of what comes back, over TCP, a
// serial line (the pseudo-terminal's slave side) or a HID device of a backend.

#include "link/FrameCutter.h"
#include "link/LCmd.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>

class HidBackend;
class HidDevice;

namespace sim {

class SimClient {
 public:
  ~SimClient();
  SimClient(const SimClient&) = delete;
  SimClient& operator=(const SimClient&) = delete;

  // Null, with *error filled when given, when the link cannot be opened.
  static std::unique_ptr<SimClient> Tcp(const std::string& address, std::uint16_t port,
                                        std::string* error = nullptr);
  // Opens a tty raw at 115200 baud.
  static std::unique_ptr<SimClient> Serial(const std::string& path, std::string* error = nullptr);
  static std::unique_ptr<SimClient> Hid(HidBackend& backend, const std::string& path,
                                        std::string* error = nullptr);

  // Writes the command as a whole frame (one output report over HID).
  bool Send(const LCmd& command);
  // Writes bytes as they are (over HID: report ID 0, the bytes, padding).
  bool SendRaw(const ByteVector& bytes);

  // The next frame received, cut by the editor's stream rules; nothing
  // after timeoutMs.
  std::optional<ByteVector> ReceiveFrame(int timeoutMs = 2000);
  std::optional<LCmd> Receive(int timeoutMs = 2000);
  // Send, then the next frame.
  std::optional<LCmd> Request(const LCmd& command, int timeoutMs = 2000);
  // The bytes of the next read (over HID: the data of the next input
  // report), uncut; nothing after timeoutMs. Frames already cut are not
  // returned again.
  std::optional<ByteVector> ReadChunk(int timeoutMs = 2000);

 private:
  SimClient() = default;

  int FFd = -1;
  bool FSocket = false;
  std::unique_ptr<HidDevice> FDevice;
  std::size_t FOutputLength = 0;
  FrameCutter FCutter{FrameCutter::StreamTestFrom};
  std::deque<ByteVector> FFrames;
};

}  // namespace sim
