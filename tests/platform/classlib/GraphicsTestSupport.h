#pragma once
// Shared bits of the canvas and picture tests: the test program's one
// application (text needs it for fonts), and pixel probes on a TBitmap.

#include <memory>
#include <string>
#include <vector>

#include "platform/classlib/Graphics.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

namespace graphics_test {

inline void EnsureGuiApp() {
  classlib_test::App();
}

// A white bitmap of the given size with a black one-pixel pen and clear brush.
inline std::unique_ptr<TBitmap> WhiteBitmap(int w, int h) {
  auto bmp = std::make_unique<TBitmap>(w, h);
  bmp->Canvas->Brush->SetColor(clWhite);
  bmp->Canvas->FillRect(Rect(0, 0, w, h));
  bmp->Canvas->Pen->SetColor(clBlack);
  bmp->Canvas->Brush->SetStyle(bsClear);
  return bmp;
}

// The pixels that differ from white, as "x,y" strings, for readable failures.
inline std::vector<TPoint> InkedPixels(TBitmap& bmp) {
  std::vector<TPoint> out;
  for (int y = 0; y < bmp.GetHeight(); ++y)
    for (int x = 0; x < bmp.GetWidth(); ++x)
      if (bmp.Canvas->GetPixels(x, y) != clWhite) out.push_back({x, y});
  return out;
}

}  // namespace graphics_test
