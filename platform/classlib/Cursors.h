#pragma once
// Cursors by number: the standard shapes (crDefault .. crSizeAll) and
// cursors the program makes and puts in Screen->Cursors under a number of
// its own; a control whose Cursor is that number shows it.

#include "platform/classlib/Controls.h"

class TGraphic;
struct TCursorHandle;
using HCURSOR = TCursorHandle*;

// A cursor of a picture (transparent pixels see-through) whose hot spot, the
// pixel that points, is (HotX, HotY); null for an empty picture.
HCURSOR CreateCursorFromGraphic(const TGraphic* Picture, int HotX, int HotY);
// A cursor of a standard shape.
HCURSOR CreateStandardCursor(TCursor Shape);
// For cursors never handed to Screen->Cursors (the screen frees its own).
void DestroyCursor(HCURSOR Cursor);
