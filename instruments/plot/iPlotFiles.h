#pragma once
// Pieces shared by the plot's and the channels' data files and logs: the
// 8-bit log line, appending to a log, splitting data lines, the decimal
// repair and the count of a block kind in a properties file.

#include <functional>
#include <string>
#include <vector>

#include "platform/classlib/StringList.h"

// The line in the ANSI code page, cut to 255 characters, then CR LF.
std::string iPlotLogLine(const std::string& Text);
// Opens the existing file for reading and writing and moves to its end; each
// chunk is written whole and Written(i) runs after chunk i is in the file.
// A failed write raises and leaves the chunks not yet confirmed.
void iPlotAppendToFile(const std::string& FileName, const std::vector<std::string>& Chunks,
                       const std::function<void(std::size_t)>& Written);
// Fields end at Separator or at the end; a separator ending the line adds
// no empty field.
std::vector<std::string> iPlotSplitDataLine(const std::string& Line, char Separator);
// The first "," becomes "." (the numeric locale's separator is always ".").
std::string iPlotRepairDecimal(const std::string& Field);
// Lowers Count to one above the highest index N of a "KindN." line (0 when
// none) and raises a negative one to 0, so a count cannot create more
// objects than the file describes.
int iPlotBoundBlockCount(const TStrings* Lines, const std::string& Kind, int Count);
// Removes the lines of Prefix's block from the top of Lines.
void iPlotDropBlock(const std::string& Prefix, TStrings* Lines);
