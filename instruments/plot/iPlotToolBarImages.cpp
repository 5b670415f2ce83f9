// The toolbar's button pictures, drawn in code on a 24-pixel grid and
// scaled to the button size; teal is the transparent colour.

#include <cmath>
#include <functional>
#include <map>

#include "instruments/plot/iPlotToolBar.h"

namespace {

constexpr TColor kInk = 0x303030;
constexpr TColor kAccent = 0xA05000;  // a calm blue
constexpr TColor kPaper = 0xFFFFFF;
constexpr TColor kGo = 0x30A030;
constexpr TColor kStop = 0x3030C0;

// Draws on a 24-unit grid scaled to the bitmap.
class TGlyph {
 public:
  TGlyph(TCanvas* C, int Size) : FCanvas(C), FScale(Size / 24.0) {}
  int S(double v) const { return static_cast<int>(std::lround(v * FScale)); }
  void Pen(TColor c, double w = 1) {
    FCanvas->Pen->SetStyle(psSolid);
    FCanvas->Pen->SetColor(c);
    FCanvas->Pen->SetWidth(std::max(1, S(w)));
  }
  void Fill(TColor c) {
    FCanvas->Brush->SetStyle(bsSolid);
    FCanvas->Brush->SetColor(c);
  }
  void Hollow() { FCanvas->Brush->SetStyle(bsClear); }
  void Line(double x1, double y1, double x2, double y2) {
    FCanvas->MoveTo(S(x1), S(y1));
    FCanvas->LineTo(S(x2), S(y2));
  }
  void Box(double l, double t, double r, double b) { FCanvas->Rectangle(S(l), S(t), S(r), S(b)); }
  void Circle(double l, double t, double r, double b) { FCanvas->Ellipse(S(l), S(t), S(r), S(b)); }
  void Poly(std::initializer_list<std::pair<double, double>> pts) {
    std::vector<TPoint> p;
    for (auto [x, y] : pts) p.push_back(TPoint(S(x), S(y)));
    FCanvas->Polygon(p);
  }

 private:
  TCanvas* FCanvas;
  double FScale;
};

void Magnifier(TGlyph& g, bool Plus, bool Minus) {
  g.Pen(kInk, 2);
  g.Fill(kPaper);
  g.Circle(3, 3, 15, 15);
  g.Line(14, 14, 21, 21);
  g.Pen(kAccent, 2);
  if (Plus || Minus) g.Line(6, 9, 12, 9);
  if (Plus) g.Line(9, 6, 9, 12);
}

void Arrows(TGlyph& g) {
  g.Pen(kInk, 1);
  g.Fill(kAccent);
  g.Poly({{2, 12}, {7, 7}, {7, 17}});
  g.Poly({{22, 12}, {17, 7}, {17, 17}});
  g.Pen(kAccent, 2);
  g.Line(6, 12, 18, 12);
}

const std::map<std::string, std::function<void(TGlyph&)>>& Glyphs() {
  static const std::map<std::string, std::function<void(TGlyph&)>> glyphs = {
      {"AUTO",
       [](TGlyph& g) {
         g.Pen(kInk);
         g.Fill(kGo);
         g.Poly({{7, 4}, {19, 12}, {7, 20}});
       }},
      {"PAUSE",
       [](TGlyph& g) {
         g.Pen(kInk);
         g.Fill(kStop);
         g.Box(6, 5, 10, 19);
         g.Box(14, 5, 18, 19);
       }},
      {"SCROLL", [](TGlyph& g) { Arrows(g); }},
      {"ZOOM",
       [](TGlyph& g) {
         Arrows(g);
         g.Pen(kAccent, 2);
         g.Line(12, 5, 12, 19);
       }},
      {"ZOOMOUT", [](TGlyph& g) { Magnifier(g, false, true); }},
      {"ZOOMIN", [](TGlyph& g) { Magnifier(g, true, false); }},
      {"SELECT",
       [](TGlyph& g) {
         g.Pen(kInk);
         g.Fill(kPaper);
         g.Poly({{6, 3}, {6, 19}, {10, 15}, {13, 21}, {15, 20}, {12, 14}, {17, 14}});
       }},
      {"SCROLLBOX",
       [](TGlyph& g) {
         g.Pen(kInk);
         g.Hollow();
         g.Box(3, 5, 21, 19);
         g.Pen(kAccent, 2);
         g.Line(7, 9, 17, 9);
         g.Line(7, 15, 17, 15);
       }},
      {"CURSOR",
       [](TGlyph& g) {
         g.Pen(kAccent, 2);
         g.Line(12, 3, 12, 21);
         g.Line(3, 12, 21, 12);
         g.Pen(kInk);
         g.Hollow();
         g.Circle(8, 8, 16, 16);
       }},
      {"PROPERTIES",
       [](TGlyph& g) {
         g.Pen(kInk);
         g.Fill(kPaper);
         g.Box(4, 3, 20, 21);
         g.Pen(kAccent, 2);
         for (int y : {8, 12, 16}) g.Line(7, y, 17, y);
       }},
      {"COPY",
       [](TGlyph& g) {
         g.Pen(kInk);
         g.Fill(kPaper);
         g.Box(3, 3, 14, 16);
         g.Box(10, 8, 21, 21);
       }},
      {"SAVE",
       [](TGlyph& g) {
         g.Pen(kInk);
         g.Fill(kAccent);
         g.Box(3, 3, 21, 21);
         g.Fill(kPaper);
         g.Box(7, 3, 17, 10);
         g.Box(6, 14, 18, 21);
       }},
      {"PRINTER",
       [](TGlyph& g) {
         g.Pen(kInk);
         g.Fill(kPaper);
         g.Box(7, 3, 17, 10);
         g.Fill(0x909090);
         g.Box(3, 9, 21, 17);
         g.Fill(kPaper);
         g.Box(7, 14, 17, 21);
       }},
      {"PREVIEW",
       [](TGlyph& g) {
         g.Pen(kInk);
         g.Fill(kPaper);
         g.Box(3, 2, 16, 20);
         Magnifier(g, false, false);
       }},
  };
  return glyphs;
}

}  // namespace

void iToolBarImage(const std::string& Name, int Size, TBitmap* Bitmap) {
  Bitmap->SetSize(Size, Size);
  TCanvas* c = Bitmap->GetCanvas();
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(clTeal);
  c->FillRect(Rect(0, 0, Size, Size));
  const auto& glyphs = Glyphs();
  if (auto it = glyphs.find(Name); it != glyphs.end()) {
    TGlyph g(c, Size);
    it->second(g);
  }
}
