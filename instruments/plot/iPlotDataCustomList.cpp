#include "instruments/plot/iPlotDataCustomList.h"

#include <algorithm>
#include <climits>

#include "platform/sys/SysUtils.h"

void TiPlotDataCustomList::SetDataPointSize(int Size) {
  FDataPointSize = Size;
  FMaxDataPoints = INT_MAX / Size;
}

void TiPlotDataCustomList::Grow() {
  int step = FCapacity > 64 ? FCapacity / 4 : FCapacity > 8 ? 16 : 4;
  SetCapacity(FCapacity + step);
}

int TiPlotDataCustomList::GetPhysicalIndex(int Index) const {
  if (Index < 0 || Index >= FCount) throw Exception("Index out of Bounds");
  if (FTail == 0) return Index;
  int p = Index + FTail;
  return p > FCount - 1 ? p - FCount : p;
}

void TiPlotDataCustomList::CheckCapacity(int NewCapacity) const {
  if (NewCapacity > FMaxDataPoints) throw Exception("Exceed Maximum List Size");
  // A negative capacity would leave a negative count behind.
  if (NewCapacity < 0) throw Exception("Capacity out of Range");
}

void TiPlotDataCustomList::ApplyCapacity(int NewCapacity) {
  FCapacity = NewCapacity;
  if (NewCapacity < FCount) FCount = NewCapacity;
}

void TiPlotDataCustomList::Clear() {
  FCount = 0;
  FTail = 0;
  if (!FRingBufferEnabled) SetCapacity(0);
}

void TiPlotDataCustomList::SetRingBufferSize(int Value) {
  // A negative size means no ring at all, like 0.
  if (Value <= 0) {
    if (!FRingBufferEnabled) return;
    FRingBufferEnabled = false;
    if (FTail != 0) Clear();
    return;
  }
  CheckCapacity(Value);
  FRingBufferEnabled = true;
  if (Value == FCapacity) return;
  if (FTail != 0) Clear();
  if (Value > FCapacity) {
    SetCapacity(Value);
  } else {
    if (FCount > Value) DeletePoints(FCount - Value);
    SetCapacity(Value);
  }
}

TiPlotDataNullList::TiPlotDataNullList() {
  SetDataPointSize(24);
}

TiPlotMarkerStyle TiPlotDataNullList::GetMarkerStyle(int Index) {
  return static_cast<TiPlotMarkerStyle>((Record(Index).Extra >> 3) & 15);
}

void TiPlotDataNullList::SetMarkerStyle(int Index, TiPlotMarkerStyle Value) {
  TiPlotDataNull& r = Record(Index);
  r.Extra = static_cast<std::uint16_t>((r.Extra & ~(15u << 3)) | ((static_cast<unsigned>(Value) & 15u) << 3));
}

void TiPlotDataNullList::SetBit(int Index, std::uint16_t Bit, bool Value) {
  TiPlotDataNull& r = Record(Index);
  r.Extra = static_cast<std::uint16_t>(Value ? (r.Extra | Bit) : (r.Extra & ~Bit));
}

int TiPlotDataNullList::Add(double X, double Y, bool Null, bool Empty) {
  unsigned extra = (static_cast<unsigned>(GetStoredMarkerStyle()) & 15u) << 3;
  if (GetStoredMarkerVisible()) extra |= kMarkerVisible;
  if (Null) extra |= kNull;
  if (Empty) extra |= kEmpty;
  const TiPlotDataNull record{X, Y, static_cast<std::uint16_t>(extra)};
  if (FRingBufferEnabled && FCount == FCapacity && FCapacity > 0) {
    int t = FTail;
    FTail = t + 1 == FCount ? 0 : t + 1;
    FList[static_cast<std::size_t>(t)] = record;
    return FCount - 1;
  }
  if (FCount == FCapacity) Grow();
  FList[static_cast<std::size_t>(FCount)] = record;
  return FCount++;
}

void TiPlotDataNullList::SetCapacity(int NewCapacity) {
  CheckCapacity(NewCapacity);
  if (NewCapacity == FCapacity) return;
  // A wrapped ring is put in logical order first, so that growing appends
  // after the newest point and shrinking drops within the store.
  Unwrap();
  FList.resize(static_cast<std::size_t>(NewCapacity));
  if (NewCapacity == 0) FList.shrink_to_fit();
  ApplyCapacity(NewCapacity);
}

void TiPlotDataNullList::DeletePoints(int Size) {
  if (Size < 0 || Size >= FCount) throw Exception("Delete size out of Range");
  Unwrap();
  FCount -= Size;
  if (FCount > 0) std::move(FList.begin() + Size, FList.begin() + Size + FCount, FList.begin());
}

void TiPlotDataNullList::GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) {
  const TiPlotDataNull r = Record(Index);
  X = r.X;
  Y = r.Y;
  Empty = (r.Extra & kEmpty) != 0;
  Null = (r.Extra & kNull) != 0;
}

void TiPlotDataNullList::Unwrap() {
  if (FTail == 0) return;
  std::rotate(FList.begin(), FList.begin() + FTail, FList.begin() + FCount);
  FTail = 0;
}
