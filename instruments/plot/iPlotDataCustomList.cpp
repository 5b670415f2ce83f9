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
  return Put(TiPlotDataNull{X, Y, static_cast<std::uint16_t>(extra)});
}

void TiPlotDataNullList::GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) {
  const TiPlotDataNull r = Record(Index);
  X = r.X;
  Y = r.Y;
  Empty = (r.Extra & kEmpty) != 0;
  Null = (r.Extra & kNull) != 0;
}

// ---------------------------------------------------------------- compact

TiPlotDataCompactList::TiPlotDataCompactList() {
  SetDataPointSize(8);
}

int TiPlotDataCompactList::Add(double X, double Y, bool, bool) {
  return Put(TiPlotDataSingle{static_cast<float>(X), static_cast<float>(Y)});
}

void TiPlotDataCompactList::GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) {
  const TiPlotDataSingle r = Record(Index);
  X = r.X;
  Y = r.Y;
  Empty = Null = false;
}

// ---------------------------------------------------------------- interval

TiPlotDataCompactIntervalList::TiPlotDataCompactIntervalList() {
  SetDataPointSize(4);
}

void TiPlotDataCompactIntervalList::SetX(int Index, double Value) {
  if (FCount == 0 || Index != 0)
    throw Exception(
        "Data Style does not support setting individual X-Value with the exception of the first X-Value");
  FFirstX = Value;
}

int TiPlotDataCompactIntervalList::Add(double X, double Y, bool, bool) {
  if (FCount == 0)
    FFirstX = X;
  else if (FCount == 1 && FInterval == -1)
    FInterval = X - FFirstX;
  bool overwrote = false;
  const int index = Put(TiPlotDataCompactInterval{static_cast<float>(Y)}, &overwrote);
  // The oldest point left the front: the next one's X is the first X now.
  if (overwrote && FCount > 1) FFirstX += FInterval;
  return index;
}

void TiPlotDataCompactIntervalList::Clear() {
  TiPlotDataCustomList::Clear();
  FInterval = -1;
}

void TiPlotDataCompactIntervalList::DeletePoints(int Size) {
  RemoveOldest(Size, FCount, "Delete size out of Range");
  // The points that remain keep their X, as after a ring overwrite.
  if (FInterval != -1) FFirstX += Size * FInterval;
}

void TiPlotDataCompactIntervalList::GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) {
  Y = Record(Index).Y;
  X = GetX(Index);
  Empty = Null = false;
}

// ---------------------------------------------------------------- full

TiPlotDataFullList::TiPlotDataFullList() {
  SetDataPointSize(144);
}

int TiPlotDataFullList::Add(double X, double Y, bool Null, bool Empty) {
  TiPlotDataFull r;
  r.X = X;
  r.Y = Y;
  r.Null = Null;
  r.Empty = Empty;
  // A new point looks as the channel does now, its marker character too.
#define TI_FULL_STORED(Type, Name) r.Name = GetStored##Name();
  TI_FULL_ATTRIBUTES(TI_FULL_STORED)
#undef TI_FULL_STORED
  return Put(r);
}

void TiPlotDataFullList::GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) {
  const TiPlotDataFull& r = Record(Index);
  X = r.X;
  Y = r.Y;
  Empty = r.Empty;
  Null = r.Null;
}
