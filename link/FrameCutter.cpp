#include "link/FrameCutter.h"

FrameCutter::FrameCutter(std::size_t testFrom) : FTestStart(testFrom) {
  FCollected.reserve(DeviceFrame::MaxSize);
}

bool FrameCutter::Push(std::uint8_t b) {
  if (FComplete) {
    FCollected.clear();
    FComplete = false;
  }
  if (FCollected.empty()) {
    if (b == DeviceFrame::Dle) FCollected.push_back(b);
    return false;
  }
  if (FCollected.size() == 1) {
    if (b == DeviceFrame::Stx) FCollected.push_back(b);
    return false;
  }

  FCollected.push_back(b);
  const std::size_t size = FCollected.size();
  if (size <= DeviceFrame::LengthIndex) return false;

  // The length byte bounds the collection at 263 bytes: it either completes
  // at its size or, when that size comes before the test starts, never can.
  const std::size_t need = DeviceFrame::SizeFor(FCollected[DeviceFrame::LengthIndex]);
  if (size == need && size >= FTestStart) {
    FComplete = true;
    return true;
  }
  if (size >= need) {
    FCollected.clear();
    ++FDropCount;
  }
  return false;
}

void FrameCutter::Reset() {
  FCollected.clear();
  FComplete = false;
}
