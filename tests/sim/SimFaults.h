#pragma once
// Fault injection on the device's replies: drop, delay, split, merge,
// corrupt or replace them, so that time-outs, retries and bad input reach
// the editor for real. Each fault applies to a number of replies (or to all
// of them), optionally only to the replies to one request code.

#include "link/LCmd.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace sim {

enum class FaultKind {
  Drop,            // the reply is never written (the request is still applied)
  Delay,           // the reply is written DelayMs after the request arrived
  Split,           // the reply is written in chunks of ChunkSize bytes, GapMs apart
  Merge,           // the reply is held back and written in one write with the next reply
  CorruptTrailer,  // the 10 03 trailer is wrong (the check byte matches the bytes)
  CorruptCheck,    // the check byte is wrong
  Replace,         // Bytes are written instead of the reply
  Duplicate,       // the reply is written twice
};

struct Fault {
  static constexpr int Forever = -1;

  FaultKind Kind = FaultKind::Drop;
  int Count = 1;                         // replies it applies to, or Forever
  std::optional<std::uint8_t> OnlyCode;  // only replies to requests with this code
  int After = 0;                         // replies it lets pass before it applies
  int DelayMs = 0;                       // Delay
  std::size_t ChunkSize = 0;             // Split: 0 cuts the reply in two halves
  int GapMs = 20;                        // Split: pause between chunks
  ByteVector Bytes;                      // Replace
};

// One write of a shaped reply, AfterMs after the request arrived.
struct PlannedWrite {
  ByteVector Bytes;
  int AfterMs = 0;
};

class FaultPlan {
 public:
  void Add(const Fault& fault);
  void Clear();
  bool Empty() const { return FFaults.empty(); }
  // Replies the faults of this kind still apply to (Forever included as -1).
  int Remaining(FaultKind kind) const;

  // The writes that carry a reply to a request with requestCode. held is the
  // reply a merge keeps back on this connection until the next reply comes.
  std::vector<PlannedWrite> Shape(std::uint8_t requestCode, ByteVector reply,
                                  std::optional<ByteVector>& held);

 private:
  // The first fault of this kind that applies to the code; consumes one use.
  std::optional<Fault> Take(FaultKind kind, std::uint8_t requestCode);

  std::vector<Fault> FFaults;
};

}  // namespace sim
