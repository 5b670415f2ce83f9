#include "tests/sim/SimFaults.h"

#include <algorithm>

namespace sim {

void FaultPlan::Add(const Fault& fault) {
  if (fault.Count != 0) FFaults.push_back(fault);
}

void FaultPlan::Clear() {
  FFaults.clear();
}

int FaultPlan::Remaining(FaultKind kind) const {
  int total = 0;
  for (const Fault& f : FFaults) {
    if (f.Kind != kind) continue;
    if (f.Count == Fault::Forever) return Fault::Forever;
    total += f.Count;
  }
  return total;
}

std::optional<Fault> FaultPlan::Take(FaultKind kind, std::uint8_t requestCode) {
  for (auto it = FFaults.begin(); it != FFaults.end(); ++it) {
    if (it->Kind != kind || (it->OnlyCode && *it->OnlyCode != requestCode)) continue;
    if (it->After > 0) {
      --it->After;
      continue;
    }
    Fault taken = *it;
    if (it->Count != Fault::Forever && --it->Count == 0) FFaults.erase(it);
    return taken;
  }
  return std::nullopt;
}

std::vector<PlannedWrite> FaultPlan::Shape(std::uint8_t requestCode, ByteVector reply,
                                           std::optional<ByteVector>& held) {
  if (Take(FaultKind::Drop, requestCode)) return {};
  if (auto f = Take(FaultKind::Replace, requestCode)) reply = f->Bytes;

  const std::size_t n = reply.size();
  if (Take(FaultKind::CorruptTrailer, requestCode) && n >= 3) {
    reply[n - 2] ^= 0x30;
    std::uint8_t check = 0;
    for (std::size_t i = 0; i + 1 < n; ++i) check ^= reply[i];
    reply[n - 1] = check;
  }
  if (Take(FaultKind::CorruptCheck, requestCode) && n >= 1) reply[n - 1] ^= 0xFF;

  if (held) {
    held->insert(held->end(), reply.begin(), reply.end());
    reply = std::move(*held);
    held.reset();
  } else if (Take(FaultKind::Merge, requestCode)) {
    held = std::move(reply);
    return {};
  }

  int delay = 0;
  if (auto f = Take(FaultKind::Delay, requestCode)) delay = std::max(0, f->DelayMs);

  std::vector<PlannedWrite> writes;
  if (auto f = Take(FaultKind::Split, requestCode); f && reply.size() > 1) {
    const std::size_t chunk = f->ChunkSize > 0 ? f->ChunkSize : (reply.size() + 1) / 2;
    int at = delay;
    for (std::size_t from = 0; from < reply.size(); from += chunk) {
      const std::size_t to = std::min(reply.size(), from + chunk);
      writes.push_back({ByteVector(reply.begin() + static_cast<std::ptrdiff_t>(from),
                                   reply.begin() + static_cast<std::ptrdiff_t>(to)),
                        at});
      at += std::max(0, f->GapMs);
    }
    return writes;
  }
  if (Take(FaultKind::Duplicate, requestCode)) writes.push_back({reply, delay});
  writes.push_back({std::move(reply), delay});
  return writes;
}

}  // namespace sim
