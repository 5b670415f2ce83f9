#pragma once
// Pictures of forms and controls taken offscreen: the whole control at its
// size with its visible children (and a form's menu bar), whether or not
// its window is on screen and whatever covers it. For tests and for looking
// at pages.

#include <string>

class TBitmap;
class TControl;

// Writes the control's picture to a PNG file. A form that is not shown is
// laid out and painted without appearing on screen, and stays hidden (its
// OnShow does not run). False when there is no control or the file cannot
// be written.
bool SaveControlImage(TControl* Control, const std::string& PngPath);
// The same picture into a bitmap, with no file: what painting costs without
// the encoding. False when there is no control.
bool PaintControlImage(TControl* Control, TBitmap& Picture);
