// Bridges between the drawing API and the window toolkit, for the class
// library (TBitmap, TCanvas and the layered splash window live there).
// Graphics are made over a QImage, a QPaintDevice or an active QPainter with
// the constructors in Graphics.h; this adds the way back to pixels.
#pragma once

#include <QImage>

#include "platform/gdiplus/Image.h"

namespace Gdiplus {

// The pixels of an image, or null for an invalid one; they stay the image's.
const QImage* ImagePixels(const Image* image);

// A bitmap with a copy of the toolkit image's pixels.
Bitmap* BitmapFromQImage(const QImage& image);

}  // namespace Gdiplus
