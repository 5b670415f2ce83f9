#pragma once
// The segmented vertical level meter of the main window: a column of
// segments split from the top into three colour groups (red, yellow, green
// by default), each segment dark (unlit) or bright (lit). The position
// lights segments from the bottom.

#include <vector>

#include "platform/classlib/ExtCtrlsControls.h"

class LProgressBar : public TPanel {
 public:
  explicit LProgressBar(TComponent* AOwner);

  int GetFirstNum() const { return FFirstNum; }
  void SetFirstNum(int n);
  int GetSecondNum() const { return FSecondNum; }
  void SetSecondNum(int n);
  int GetThirdNum() const { return FThirdNum; }
  void SetThirdNum(int n);

  TColor GetFirstColor() const { return FUnlit[0]; }
  void SetFirstColor(TColor c) { SetUnlitColor(0, c); }
  TColor GetSecondColor() const { return FUnlit[1]; }
  void SetSecondColor(TColor c) { SetUnlitColor(1, c); }
  TColor GetThirdColor() const { return FUnlit[2]; }
  void SetThirdColor(TColor c) { SetUnlitColor(2, c); }
  TColor GetLFirstColor() const { return FLit[0]; }
  void SetLFirstColor(TColor c) { SetLitColor(0, c); }
  TColor GetLSecondColor() const { return FLit[1]; }
  void SetLSecondColor(TColor c) { SetLitColor(1, c); }
  TColor GetLThirdColor() const { return FLit[2]; }
  void SetLThirdColor(TColor c) { SetLitColor(2, c); }

  // Stored only; the segments follow at the next SetPosition.
  int GetMax() const { return FMax; }
  void SetMax(int v) { FMax = v; }
  int GetMin() const { return FMin; }
  void SetMin(int v) { FMin = v; }
  int GetPosition() const { return FPosition; }
  void SetPosition(int v);

  // Segments from the top (shape 1 is index 0); their brush colour is what
  // they show.
  int GetSegmentCount() const { return static_cast<int>(FSegments.size()); }
  TShape* GetSegment(int index) const;

 protected:
  void Resize() override;

 private:
  void SetGroupSize(int group, int n);
  void SetUnlitColor(int group, TColor c);
  void SetLitColor(int group, TColor c);
  // The group of segment k from the top.
  int GroupOf(int k) const;
  void NameSegments();
  void LayOut();

  int FFirstNum = 1;
  int FSecondNum = 1;
  int FThirdNum = 3;
  TColor FUnlit[3] = {0x000080, 0x008080, 0x008000};
  TColor FLit[3] = {0x0000FF, 0x00FFFF, 0x00FF00};
  int FMax = 100;
  int FMin = 0;
  int FPosition = 0;
  std::vector<TShape*> FSegments;
  int FLaidOutWidth = 0;
  int FLaidOutHeight = 0;
};

// Number of lit segments for a position: `count` segments over 0..max,
// the step held in single precision; a position at or above max lights
// every segment. A max of 0 or less never divides: it lights all or none.
int LitSegmentCount(int position, int max, int count);

// Top and height of segment k of `count` in a bar `height` pixels high.
struct SegmentRect {
  int Top;
  int Height;
};
SegmentRect MeterSegmentRect(int k, int count, int height);
