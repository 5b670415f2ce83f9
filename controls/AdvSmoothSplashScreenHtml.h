#pragma once
// The splash's HTML text: a small HTML-like markup laid out line by line in
// a rectangle with word wrap, fonts, colours, anchors, lists, images and a
// few effects, measured, hit-tested and drawn through the drawing layer in
// one call that keeps no state between calls.

#include <cstdint>
#include <string>

#include "controls/AdvGDIP.h"

class TCustomImageList;
class TGDIPPictureContainer;

// Lays out Text in Rect and, unless MeasureOnly, draws it (only measuring
// the second pass with CheckOnly). True when the test point (X, Y) lies on
// an anchor in the second pass. AnchorVal keeps what it held until an
// anchor is hit; StripVal gets the plain text of every pass, "\r" for each
// line break; XSize and YSize the size of what was laid out; LinkCount the
// anchors met; MouseLink and HoverRect the anchor under the test point.
bool DrawHtmlText(TGPGraphics* Graphics, const TFont& Font, const std::string& Text, const TRect& Rect,
                  TCustomImageList* Images, int X, int Y, int FocusLink, int HoverLink, int ShadowOffset,
                  bool CheckOnly, bool MeasureOnly, bool Print, bool IgnoreColors, bool BlinkOn,
                  bool HoverStyle, bool WordWrap, double ResolutionFactor, TColor URLColor, TColor HoverColor,
                  TColor HoverFontColor, TColor ShadowColor, std::string& AnchorVal, std::string& StripVal,
                  std::string& FocusAnchor, int& XSize, int& YSize, int& LinkCount, int& MouseLink,
                  TRect& HoverRect, TGDIPPictureContainer* PictureContainer, int LineSpacing);

// How the renderer reads its markup.
namespace HtmlMarkup {

// Entities other than "&nbsp;", "&lt;" and "&gt;" replaced (any case,
// repeated until none applies), the first field tag "<#name>" opened to
// "#name", every CR a "<BR>" and every LF dropped.
std::string Prepare(const std::string& Text);
// "&nbsp;", "&lt;" and "&gt;" of one text piece as a space, "<" and ">".
std::string PieceText(const std::string& Piece);

// A colour by "#RRGGBB" (missing or bad digits read as 0) or by name
// ("clRed", system colours as 0xFF0000nn; unknown names are black).
TColor ColorValue(const std::string& Value);
TColor ColorByName(const std::string& Name);

// The value of attribute Name (upper case) in a tag: the text between the
// double quotes after "Name="; SIZE also takes an unquoted number. The
// name must stand as a word of its own, so COLOR never matches BGCOLOR.
bool Attribute(const std::string& Tag, const char* Name, std::string& Value);
// The number at the start of Text, read as far as it is valid, saturating
// at the limits of int; 0 when there is none.
int LeadingNumber(const std::string& Text);
// True when the whole of Text (blanks aside) is a number.
bool WholeNumber(const std::string& Text, int& Value);

}  // namespace HtmlMarkup
