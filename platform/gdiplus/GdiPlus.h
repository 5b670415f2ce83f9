// Our GDI+ drawing API over Qt: include this for the whole set.
#pragma once

#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/GdiPlusTypes.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/GraphicsPath.h"
#include "platform/gdiplus/Image.h"
#include "platform/gdiplus/Matrix.h"
#include "platform/gdiplus/Pen.h"
#include "platform/gdiplus/Region.h"
