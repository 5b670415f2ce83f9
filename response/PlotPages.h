#pragma once
// The off-screen pages and the curve list that both response plot controls
// use, and the enumerations of their properties.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/classlib/Graphics.h"
#include "platform/gdiplus/GdiPlusTypes.h"

enum TMyAxisStyle { Box, Centered, CenteredBox, LB, None };
enum TMyAxisFormat { Linear, Log };
// The frequency axis spans 256 * 2^value curve points.
enum TFFTNumber { n256, n512, n1024, n2048, n4096 };
// The top of the frequency axis is 24000 * (value + 1) Hz.
enum TSampleRate { n48000, n96000, n192000 };
enum TStringFloatFormat : std::uint8_t { sffGeneral, sffExponent, sffFixed, sffNumber, sffCurrency };
// 0 line, 1 filled squares, 2 squares in the background colour, 3 line and
// filled squares, 4 line and background squares.
using TMyPlotStyle = int;

// One off-screen page: a bitmap and the rectangle of the control it covers.
// The rectangles are always kept; the bitmap holds pixels only while the
// page is live, so a plot nobody sees costs no pictures.
class TPaintPage {
 public:
  TPaintPage();
  ~TPaintPage();
  TPaintPage(const TPaintPage&) = delete;
  TPaintPage& operator=(const TPaintPage&) = delete;

  // Sets the rectangles and the page's size (the bitmap's while live).
  void SetBounds(int left, int top, int right, int bottom);
  // The page's size, live or not.
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetWidth(int width);
  // Live: the bitmap at the page's size (new pixels white). Not live: none.
  void SetLive(bool live);
  bool GetLive() const { return FLive; }
  void Fill(TColor colour);
  void SetFont(const TFont* font);

  TCanvas* Canvas() const { return Bitmap->GetCanvas(); }

  Gdiplus::GdiplusStartupInput StartupInput;
  std::uintptr_t Token = 0;
  std::unique_ptr<TBitmap> Bitmap;
  TRect ScreenRect;
  TRect LocalRect;

 private:
  bool FLive = false;
  int FWidth = 0;
  int FHeight = 0;
};

// One curve.
struct TPlotListMember {
  TPlotListMember() = default;
  // Copies values, colour, style, count and id; no Next.
  TPlotListMember(const TPlotListMember& other);

  std::vector<double> XValues;
  std::vector<double> YValues;
  TColor PlotColor = 0;
  TMyPlotStyle PlotStyle = 0;
  int NumPoints = 0;
  int PlotId = 0;
  std::unique_ptr<TPlotListMember> Next;
};

// The curves of a plot, newest first.
class TPlotList {
 public:
  TPlotList() = default;
  // Copies every member of the other list, each to the head: the copy holds
  // the curves in reverse order.
  TPlotList(const TPlotList& other);
  TPlotList& operator=(const TPlotList&) = delete;
  ~TPlotList();

  // A member with that id takes copies of the values and keeps its colour,
  // style and place (true); otherwise a new member goes to the head (false).
  bool AddOrReplace(const double* x, const double* y, int count, int plotId, TColor colour,
                    TMyPlotStyle style);
  TPlotListMember* Find(int plotId) const;
  bool Remove(int plotId);
  void Clear();
  // AddOrReplace of every member of the other list, in its order.
  void Merge(const TPlotList& other);

  TPlotListMember* Head() const { return FHead.get(); }

 private:
  std::unique_ptr<TPlotListMember> FHead;
};
