#pragma once
// Our own reader and writer of RTF, the form in which rich edits save and
// load their content, over the layer's document model. The reader takes
// input from outside and is bounded: whatever the bytes, it never reads
// past them, never recurses, and makes a document of what it understood.
//
// What it reads: groups and destinations (font and colour tables; \pict,
// \binN, other known non-text destinations and unknown \* ones skipped),
// control words with parameters, \ansicpg, \deff, \fcharset, \'hh through
// the code page (1252, 936), \uN with \ucN, \pard, \ql \qc \qr \qj, \li \ri
// \fi, \sb \sa, \sl with \slmult, \tab and \tx, \par, \line, \plain, \b \i
// \ul \strike, \fs, \f, \cf and \highlight.

#include <string>
#include <string_view>

#include "platform/classlib/RichDocument.h"

// Code pages a document may name in \ansicpg.
inline constexpr int RtfCodePageWestern = 1252;
inline constexpr int RtfCodePageChinese = 936;
// Font character sets of the font table.
inline constexpr int RtfCharsetAnsi = 0;
inline constexpr int RtfCharsetDefault = 1;
inline constexpr int RtfCharsetGb2312 = 134;

// Groups deeper than this are read as skipped.
inline constexpr int RtfMaxGroupDepth = 100;

TRichDocument ReadRtf(std::string_view Bytes);

// One paragraph per \par; fonts and colours in the order of first use.
// Text goes out as \'hh in the code page of its font's character set
// (GB2312: 936, ANSI: 1252, default: the document's) where that code page
// holds it, else as \uN. CodePage 0: 936 when a font is GB2312, else 1252.
std::string WriteRtf(const TRichDocument& Document, int CodePage = 0);
