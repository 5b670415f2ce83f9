#pragma once
// Point stores: a channel keeps its points in one flat array of fixed-size
// records, optionally as a ring buffer in which new points overwrite the
// oldest. Attributes a record lacks come from channel-wide stored values.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/classlib/Graphics.h"
#include "platform/sys/SysUtils.h"

enum TiPlotDataStyle { ipdsStandard, ipdsCompact, ipdsCompactInterval, ipdsFullFeature };
enum TiPlotLineStyle { iplsSolid, iplsDash, iplsDot, iplsDashDot, iplsDashDotDot };
enum TiPlotMarkerStyle {
  ipmsCircle,
  ipmsSquare,
  ipmsDiamond,
  ipmsCross,
  ipmsPlus,
  ipmsTriangleUp,
  ipmsTriangleDown,
  ipmsTriangleLeft,
  ipmsTriangleRight,
  ipmsVerticalLine,
  ipmsHorizontalLine,
  ipmsCharacter
};

class TiPlotDataCustomList {
 public:
  TiPlotDataCustomList() = default;
  virtual ~TiPlotDataCustomList() = default;
  TiPlotDataCustomList(const TiPlotDataCustomList&) = delete;
  TiPlotDataCustomList& operator=(const TiPlotDataCustomList&) = delete;

  int GetCount() const { return FCount; }
  int GetCapacity() const { return FCapacity; }
  int GetDataPointSize() const { return FDataPointSize; }
  int GetMaxDataPoints() const { return FMaxDataPoints; }
  std::int64_t GetMemoryUsed() const { return static_cast<std::int64_t>(FDataPointSize) * FCapacity; }
  int GetRingBufferSize() const { return FRingBufferEnabled ? FCapacity : 0; }
  void SetRingBufferSize(int Value);

  virtual double GetX(int Index) = 0;
  virtual double GetY(int Index) = 0;
  virtual bool GetEmpty(int) { return false; }
  virtual bool GetNull(int) { return false; }
  virtual double GetHigh(int) { return 0; }
  virtual double GetLow(int) { return 0; }
  virtual double GetOpen(int) { return 0; }
  virtual double GetClose(int) { return 0; }
  virtual void SetX(int Index, double Value) = 0;
  virtual void SetY(int Index, double Value) = 0;
  virtual void SetEmpty(int, bool) {}
  virtual void SetNull(int, bool) {}
  virtual void SetHigh(int, double) {}
  virtual void SetLow(int, double) {}
  virtual void SetOpen(int, double) {}
  virtual void SetClose(int, double) {}

  virtual TColor GetTraceLineColor(int) { return FStoredTraceLineColor; }
  virtual int GetTraceLineWidth(int) { return FStoredTraceLineWidth; }
  virtual TiPlotLineStyle GetTraceLineStyle(int) { return FStoredTraceLineStyle; }
  virtual bool GetMarkerVisible(int) { return FStoredMarkerVisible; }
  virtual int GetMarkerSize(int) { return FStoredMarkerSize; }
  virtual TiPlotMarkerStyle GetMarkerStyle(int) { return FStoredMarkerStyle; }
  virtual TColor GetMarkerPenColor(int) { return FStoredMarkerPenColor; }
  virtual int GetMarkerPenWidth(int) { return FStoredMarkerPenWidth; }
  virtual TPenStyle GetMarkerPenStyle(int) { return FStoredMarkerPenStyle; }
  virtual TColor GetMarkerBrushColor(int) { return FStoredMarkerBrushColor; }
  virtual TBrushStyle GetMarkerBrushStyle(int) { return FStoredMarkerBrushStyle; }
  virtual char16_t GetMarkerCharacter(int) { return FStoredMarkerCharacter; }
  virtual bool GetBarVisible(int) { return FStoredBarVisible; }
  virtual double GetBarReference(int) { return FStoredBarReference; }
  virtual double GetBarWidth(int) { return FStoredBarWidth; }
  virtual TColor GetBarPenColor(int) { return FStoredBarPenColor; }
  virtual int GetBarPenWidth(int) { return FStoredBarPenWidth; }
  virtual TPenStyle GetBarPenStyle(int) { return FStoredBarPenStyle; }
  virtual TColor GetBarBrushColor(int) { return FStoredBarBrushColor; }
  virtual TBrushStyle GetBarBrushStyle(int) { return FStoredBarBrushStyle; }

  virtual void SetTraceLineColor(int, TColor) {}
  virtual void SetTraceLineWidth(int, int) {}
  virtual void SetTraceLineStyle(int, TiPlotLineStyle) {}
  virtual void SetMarkerVisible(int, bool) {}
  virtual void SetMarkerSize(int, int) {}
  virtual void SetMarkerStyle(int, TiPlotMarkerStyle) {}
  virtual void SetMarkerPenColor(int, TColor) {}
  virtual void SetMarkerPenWidth(int, int) {}
  virtual void SetMarkerPenStyle(int, TPenStyle) {}
  virtual void SetMarkerBrushColor(int, TColor) {}
  virtual void SetMarkerBrushStyle(int, TBrushStyle) {}
  virtual void SetMarkerCharacter(int, char16_t) {}
  virtual void SetBarVisible(int, bool) {}
  virtual void SetBarReference(int, double) {}
  virtual void SetBarWidth(int, double) {}
  virtual void SetBarPenColor(int, TColor) {}
  virtual void SetBarPenWidth(int, int) {}
  virtual void SetBarPenStyle(int, TPenStyle) {}
  virtual void SetBarBrushColor(int, TColor) {}
  virtual void SetBarBrushStyle(int, TBrushStyle) {}

  // Returns the new point's logical index (Count - 1 once a ring is full).
  virtual int Add(double X, double Y, bool Null, bool Empty) = 0;
  virtual void Clear();
  virtual void SetCapacity(int NewCapacity) = 0;
  // Removes the Size oldest points.
  virtual void DeletePoints(int Size) = 0;
  virtual void GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) = 0;

  // Channel-wide attributes.
#define TI_STORED(Type, Name)        \
  Type GetStored##Name() const {     \
    return FStored##Name;            \
  }                                  \
  void SetStored##Name(Type Value) { \
    FStored##Name = Value;           \
  }
  TI_STORED(TColor, TraceLineColor)
  TI_STORED(int, TraceLineWidth)
  TI_STORED(TiPlotLineStyle, TraceLineStyle)
  TI_STORED(bool, MarkerVisible)
  TI_STORED(int, MarkerSize)
  TI_STORED(TiPlotMarkerStyle, MarkerStyle)
  TI_STORED(TColor, MarkerPenColor)
  TI_STORED(int, MarkerPenWidth)
  TI_STORED(TPenStyle, MarkerPenStyle)
  TI_STORED(TColor, MarkerBrushColor)
  TI_STORED(TBrushStyle, MarkerBrushStyle)
  TI_STORED(char16_t, MarkerCharacter)
  TI_STORED(bool, BarVisible)
  TI_STORED(double, BarReference)
  TI_STORED(double, BarWidth)
  TI_STORED(TColor, BarPenColor)
  TI_STORED(int, BarPenWidth)
  TI_STORED(TPenStyle, BarPenStyle)
  TI_STORED(TColor, BarBrushColor)
  TI_STORED(TBrushStyle, BarBrushStyle)
#undef TI_STORED

 protected:
  void SetDataPointSize(int Size);
  void Grow();
  int GetPhysicalIndex(int Index) const;
  // Raises unless 0 <= NewCapacity <= MaxDataPoints.
  void CheckCapacity(int NewCapacity) const;
  // The capacity after SetCapacity: the count never exceeds it.
  void ApplyCapacity(int NewCapacity);
  // Rotates a wrapped ring so that the oldest point sits at position 0.
  virtual void Unwrap() = 0;

  int FCount = 0;
  int FCapacity = 0;
  int FTail = 0;
  bool FRingBufferEnabled = false;
  int FDataPointSize = 0;
  int FMaxDataPoints = 0;

 private:
  TColor FStoredTraceLineColor = 0;
  int FStoredTraceLineWidth = 0;
  TiPlotLineStyle FStoredTraceLineStyle = iplsSolid;
  bool FStoredMarkerVisible = false;
  int FStoredMarkerSize = 0;
  TiPlotMarkerStyle FStoredMarkerStyle = ipmsCircle;
  TColor FStoredMarkerPenColor = 0;
  int FStoredMarkerPenWidth = 0;
  TPenStyle FStoredMarkerPenStyle = psSolid;
  TColor FStoredMarkerBrushColor = 0;
  TBrushStyle FStoredMarkerBrushStyle = bsSolid;
  char16_t FStoredMarkerCharacter = 0;
  bool FStoredBarVisible = true;
  double FStoredBarReference = 0;
  double FStoredBarWidth = 0;
  TColor FStoredBarPenColor = 0;
  int FStoredBarPenWidth = 0;
  TPenStyle FStoredBarPenStyle = psSolid;
  TColor FStoredBarBrushColor = 0;
  TBrushStyle FStoredBarBrushStyle = bsSolid;
};

// The store of one record type in a flat array: growth, ring overwrite,
// removal of the oldest records and unwrapping of a wrapped ring.
template <class R>
class TiPlotDataRecordList : public TiPlotDataCustomList {
 public:
  void SetCapacity(int NewCapacity) override {
    CheckCapacity(NewCapacity);
    if (NewCapacity == FCapacity) return;
    // A wrapped ring is put in logical order first, so that growing appends
    // after the newest point and shrinking drops within the store.
    Unwrap();
    FList.resize(static_cast<std::size_t>(NewCapacity));
    if (NewCapacity == 0) FList.shrink_to_fit();
    ApplyCapacity(NewCapacity);
  }

 protected:
  R& Record(int Index) { return FList[static_cast<std::size_t>(GetPhysicalIndex(Index))]; }
  // Appends, or overwrites the oldest point of a full ring (Overwrote set).
  // Returns the new point's logical index.
  int Put(const R& Record, bool* Overwrote = nullptr) {
    if (Overwrote) *Overwrote = false;
    if (FRingBufferEnabled && FCount == FCapacity && FCapacity > 0) {
      const int t = FTail;
      FTail = t + 1 == FCount ? 0 : t + 1;
      FList[static_cast<std::size_t>(t)] = Record;
      if (Overwrote) *Overwrote = true;
      return FCount - 1;
    }
    if (FCount == FCapacity) Grow();
    FList[static_cast<std::size_t>(FCount)] = Record;
    return FCount++;
  }
  // Drops the Size oldest records; Size must lie in 0..Limit.
  void RemoveOldest(int Size, int Limit, const char* Message) {
    if (Size < 0 || Size > Limit) throw Exception(Message);
    Unwrap();
    FCount -= Size;
    if (FCount > 0) std::move(FList.begin() + Size, FList.begin() + Size + FCount, FList.begin());
  }
  void Unwrap() override {
    if (FTail == 0) return;
    std::rotate(FList.begin(), FList.begin() + FTail, FList.begin() + FCount);
    FTail = 0;
  }

  std::vector<R> FList;
};

struct TiPlotDataNull {
  double X = 0;
  double Y = 0;
  // Bit 0 Null, bit 1 Empty, bit 2 marker visible, bits 3..6 marker style.
  std::uint16_t Extra = 0;
};

// The standard store: X, Y and a flag word per point.
class TiPlotDataNullList : public TiPlotDataRecordList<TiPlotDataNull> {
 public:
  TiPlotDataNullList();

  double GetX(int Index) override { return Record(Index).X; }
  double GetY(int Index) override { return Record(Index).Y; }
  bool GetEmpty(int Index) override { return (Record(Index).Extra & kEmpty) != 0; }
  bool GetNull(int Index) override { return (Record(Index).Extra & kNull) != 0; }
  void SetX(int Index, double Value) override { Record(Index).X = Value; }
  void SetY(int Index, double Value) override { Record(Index).Y = Value; }
  void SetEmpty(int Index, bool Value) override { SetBit(Index, kEmpty, Value); }
  void SetNull(int Index, bool Value) override { SetBit(Index, kNull, Value); }
  bool GetMarkerVisible(int Index) override { return (Record(Index).Extra & kMarkerVisible) != 0; }
  TiPlotMarkerStyle GetMarkerStyle(int Index) override;
  void SetMarkerVisible(int Index, bool Value) override { SetBit(Index, kMarkerVisible, Value); }
  void SetMarkerStyle(int Index, TiPlotMarkerStyle Value) override;

  int Add(double X, double Y, bool Null, bool Empty) override;
  void DeletePoints(int Size) override { RemoveOldest(Size, FCount - 1, "Delete size out of Range"); }
  void GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) override;

 private:
  static constexpr std::uint16_t kNull = 1, kEmpty = 2, kMarkerVisible = 4;
  void SetBit(int Index, std::uint16_t Bit, bool Value);
};

// X and Y in single precision, nothing else: 8 bytes a point. Null and
// Empty are not kept.
struct TiPlotDataSingle {
  float X = 0;
  float Y = 0;
};

class TiPlotDataCompactList : public TiPlotDataRecordList<TiPlotDataSingle> {
 public:
  TiPlotDataCompactList();
  double GetX(int Index) override { return Record(Index).X; }
  double GetY(int Index) override { return Record(Index).Y; }
  void SetX(int Index, double Value) override { Record(Index).X = static_cast<float>(Value); }
  void SetY(int Index, double Value) override { Record(Index).Y = static_cast<float>(Value); }
  int Add(double X, double Y, bool Null, bool Empty) override;
  void DeletePoints(int Size) override { RemoveOldest(Size, FCount - 1, "Delete size out of Range"); }
  void GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) override;
};

// Evenly sampled data: Y in single precision, X the first X plus the index
// times an interval learnt from the second point. 4 bytes a point.
struct TiPlotDataCompactInterval {
  float Y = 0;
};

class TiPlotDataCompactIntervalList : public TiPlotDataRecordList<TiPlotDataCompactInterval> {
 public:
  TiPlotDataCompactIntervalList();
  double GetX(int Index) override { return FFirstX + Index * FInterval; }
  double GetY(int Index) override { return Record(Index).Y; }
  // Only the first X can be set: it moves every X.
  void SetX(int Index, double Value) override;
  void SetY(int Index, double Value) override { Record(Index).Y = static_cast<float>(Value); }
  int Add(double X, double Y, bool Null, bool Empty) override;
  void Clear() override;
  void DeletePoints(int Size) override;
  void GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) override;
  double GetInterval() const { return FInterval; }
  double GetFirstX() const { return FFirstX; }

 private:
  double FInterval = -1;
  double FFirstX = 0;
};

// Every attribute per point: 144 bytes a point.
struct TiPlotDataFull {
  double X = 0, Y = 0;
  bool Null = false, Empty = false;
  double High = 0, Low = 0, Open = 0, Close = 0;
  TColor TraceLineColor = 0;
  int TraceLineWidth = 0;
  TiPlotLineStyle TraceLineStyle = iplsSolid;
  bool MarkerVisible = false;
  int MarkerSize = 0;
  TiPlotMarkerStyle MarkerStyle = ipmsCircle;
  TColor MarkerPenColor = 0;
  int MarkerPenWidth = 0;
  TPenStyle MarkerPenStyle = psSolid;
  TColor MarkerBrushColor = 0;
  TBrushStyle MarkerBrushStyle = bsSolid;
  char16_t MarkerCharacter = 0;
  bool BarVisible = false;
  double BarReference = 0, BarWidth = 0;
  TColor BarPenColor = 0;
  int BarPenWidth = 0;
  TPenStyle BarPenStyle = psSolid;
  TColor BarBrushColor = 0;
  TBrushStyle BarBrushStyle = bsSolid;
};

// The full record's open/high/low/close values, and the attributes a new
// point copies from the channel-wide ones.
#define TI_FULL_HLOC(X) X(double, High) X(double, Low) X(double, Open) X(double, Close)
// clang-format off
#define TI_FULL_ATTRIBUTES(X) \
  X(TColor, TraceLineColor) \
  X(int, TraceLineWidth) \
  X(TiPlotLineStyle, TraceLineStyle) \
  X(bool, MarkerVisible) \
  X(int, MarkerSize) \
  X(TiPlotMarkerStyle, MarkerStyle) \
  X(TColor, MarkerPenColor) \
  X(int, MarkerPenWidth) \
  X(TPenStyle, MarkerPenStyle) \
  X(TColor, MarkerBrushColor) \
  X(TBrushStyle, MarkerBrushStyle) \
  X(char16_t, MarkerCharacter) \
  X(bool, BarVisible) \
  X(double, BarReference) \
  X(double, BarWidth) \
  X(TColor, BarPenColor) \
  X(int, BarPenWidth) \
  X(TPenStyle, BarPenStyle) \
  X(TColor, BarBrushColor) \
  X(TBrushStyle, BarBrushStyle)
// clang-format on

class TiPlotDataFullList : public TiPlotDataRecordList<TiPlotDataFull> {
 public:
  TiPlotDataFullList();
  double GetX(int Index) override { return Record(Index).X; }
  double GetY(int Index) override { return Record(Index).Y; }
  bool GetEmpty(int Index) override { return Record(Index).Empty; }
  bool GetNull(int Index) override { return Record(Index).Null; }
  void SetX(int Index, double Value) override { Record(Index).X = Value; }
  void SetY(int Index, double Value) override { Record(Index).Y = Value; }
  void SetEmpty(int Index, bool Value) override { Record(Index).Empty = Value; }
  void SetNull(int Index, bool Value) override { Record(Index).Null = Value; }
#define TI_FULL_ACCESS(Type, Name)                 \
  Type Get##Name(int Index) override {             \
    return Record(Index).Name;                     \
  }                                                \
  void Set##Name(int Index, Type Value) override { \
    Record(Index).Name = Value;                    \
  }
  TI_FULL_HLOC(TI_FULL_ACCESS)
  TI_FULL_ATTRIBUTES(TI_FULL_ACCESS)
#undef TI_FULL_ACCESS
  int Add(double X, double Y, bool Null, bool Empty) override;
  void DeletePoints(int Size) override {
    RemoveOldest(Size, FCount - 1, "Delete Size Out Of Range");
  }
  void GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) override;
};
