#pragma once
// Inside the library: the toolkit's cursor for a cursor number.

#include <QCursor>

#include "platform/classlib/Controls.h"

// A cursor put in Screen->Cursors under the number, else the standard
// shape; the arrow for numbers that are neither.
QCursor ToolkitCursor(TCursor cursor);
