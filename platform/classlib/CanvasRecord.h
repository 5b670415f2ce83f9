#pragma once
// Inside the class library only: what a recording canvas keeps of each
// drawing call (the call and the canvas state it drew in) and how the
// calls are played again onto another canvas, scaled into a rectangle.
// Played calls draw at the target's own resolution, so lines and text stay
// sharp however large the rectangle is.

#include <QRegion>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "platform/classlib/Graphics.h"

// Maps a recorded call's logical coordinates to the target's device pixels.
struct TReplayMap {
  double sx = 1, sy = 1;
  int dx = 0, dy = 0;
  TPoint off;  // the recording canvas's device offset at the call
  int X(int x) const { return dx + static_cast<int>(std::lround((x + off.X) * sx)); }
  int Y(int y) const { return dy + static_cast<int>(std::lround((y + off.Y) * sy)); }
  TPoint P(TPoint p) const { return {X(p.X), Y(p.Y)}; }
  TRect R(const TRect& r) const { return {X(r.Left), Y(r.Top), X(r.Right), Y(r.Bottom)}; }
  // A length along X or Y (corner sizes).
  int W(int w) const { return static_cast<int>(std::lround(w * sx)); }
  int H(int h) const { return static_cast<int>(std::lround(h * sy)); }
};

using TCanvasCall = std::function<void(TCanvas& target, const TReplayMap& map)>;

struct TCanvasRecord {
  TPen Pen;
  TBrush Brush;
  TFont Font;
  TCopyMode CopyMode = cmSrcCopy;
  int BkMode = OPAQUE;
  TColor BkColor = clWhite;
  bool HasClip = false;
  QRegion Clip;  // device pixels of the recording canvas
  TPoint Offset;
  TCanvasCall Call;
};

class TCanvasRecorder {
 public:
  void Add(TCanvas& Canvas, TCanvasCall Call);
  void Clear() { FRecords.clear(); }
  bool Empty() const { return FRecords.empty(); }
  int Count() const { return static_cast<int>(FRecords.size()); }
  // Plays every call onto Target into Dest (Target's logical coordinates),
  // a picture of Width x Height scaled to it; Target's state and clip are
  // kept and the drawing stays inside Dest.
  void Play(TCanvas& Target, const TRect& Dest, int Width, int Height) const;

 private:
  std::vector<std::shared_ptr<const TCanvasRecord>> FRecords;
};

// Opened by every drawing call of a canvas: records the call when the
// canvas records and no recorded call is running (calls made inside one
// are part of it).
class CanvasRecordScope {
 public:
  explicit CanvasRecordScope(TCanvas& Canvas)
      : FCanvas(Canvas), FActive(Canvas.FRecorder && !Canvas.FRecording) {
    if (FActive) FCanvas.FRecording = true;
  }
  ~CanvasRecordScope() {
    if (FActive) FCanvas.FRecording = false;
  }
  CanvasRecordScope(const CanvasRecordScope&) = delete;
  CanvasRecordScope& operator=(const CanvasRecordScope&) = delete;
  explicit operator bool() const { return FActive; }
  void Add(TCanvasCall Call) { FCanvas.FRecorder->Add(FCanvas, std::move(Call)); }

 private:
  TCanvas& FCanvas;
  bool FActive;
};
