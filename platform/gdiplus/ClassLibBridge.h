#pragma once
// Where the drawing API meets the class library: a Graphics over a canvas
// or a bitmap, and the class library's picture readers (our own BMP reader,
// libjpeg, libpng) as the decoders of every image made from bytes.

#include <memory>

#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/Image.h"

class TCanvas;
class TBitmap;
class TCustomForm;

namespace Gdiplus {

// A Graphics drawing on what the canvas draws on; null when the canvas has
// no surface. It takes the canvas's origin and clip as they are when it is
// made, fires the canvas's OnChange after each drawing call (a control's
// canvas shows it at once), and holds the surface only during a call, so
// canvas and graphics drawing may be mixed in any order. The canvas must
// outlive it.
std::unique_ptr<Graphics> GraphicsFromCanvas(TCanvas* canvas);
std::unique_ptr<Graphics> GraphicsFromBitmap(TBitmap* bitmap);

// Shows Buffer (32-bit ARGB) on a layered form (TCustomForm::SetLayered),
// every pixel's alpha scaled by ConstantAlpha; false when either is missing.
bool UpdateLayeredWindow(TCustomForm* Form, const Bitmap* Buffer, BYTE ConstantAlpha);

// Makes the class library's readers the image decoders; GdiplusStartup
// calls it, so every image the program makes from bytes goes through them.
void InstallClassLibDecoders();

}  // namespace Gdiplus
