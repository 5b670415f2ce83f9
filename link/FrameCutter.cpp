#include "link/FrameCutter.h"

FrameCutter::FrameCutter(std::size_t testFrom) : TestStart(testFrom) {
  Collected.reserve(DeviceFrame::MaxSize);
}

bool FrameCutter::Push(std::uint8_t b) {
  if (Complete) {
    Collected.clear();
    Complete = false;
  }
  if (Collected.empty()) {
    if (b == DeviceFrame::Dle) Collected.push_back(b);
    return false;
  }
  if (Collected.size() == 1) {
    if (b == DeviceFrame::Stx) Collected.push_back(b);
    return false;
  }

  Collected.push_back(b);
  const std::size_t size = Collected.size();
  if (size <= DeviceFrame::LengthIndex) return false;

  // The length byte bounds the collection at 263 bytes: it either completes
  // at its size or, when that size comes before the test starts, never can.
  const std::size_t need = DeviceFrame::SizeFor(Collected[DeviceFrame::LengthIndex]);
  if (size == need && size >= TestStart) {
    Complete = true;
    return true;
  }
  if (size >= need) {
    Collected.clear();
    ++DropCount;
  }
  return false;
}

void FrameCutter::Reset() {
  Collected.clear();
  Complete = false;
}
