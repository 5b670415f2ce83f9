// The channel's settings and data files and its point log.

#include "instruments/base/iPropertyText.h"
#include "instruments/plot/iPlotChannelCustom.h"
#include "instruments/plot/iPlotFiles.h"
#include "platform/classlib/AnsiTextFile.h"
#include "platform/classlib/GraphicsStream.h"
#include "platform/sys/SysUtils.h"

namespace {
char SeparatorOf(IiPlotDataHost* Host) {
  return Host ? Host->GetDataFileSeparatorChar() : '\t';
}
}  // namespace

void TiPlotChannelCustom::SetLogFileName(const std::string& Value) {
  if (Value == FLogFileName) return;
  if (FLoggingActive)
    throw Exception(TranslateText("Log File Name can not be changed while logging is active."));
  FLogFileName = Value;
}

void TiPlotChannelCustom::SavePropertiesToFile(const std::string& FileName) {
  try {
    TStringList lines;
    lines.Add("File Type = Plot Channel Config");
    TStringList exclude;
    exclude.Add("Channel.Name");
    IiPlotDataHost* host = DataHost();
    WritePropertiesText(this, "Channel", &lines, host && host->GetDifferentialPropertySave(), &exclude);
    SaveAnsiTextFile(FileName, &lines);
  } catch (const std::exception& e) {
    throw Exception(std::string("Error Saving Properties - ") + e.what());
  }
}

void TiPlotChannelCustom::LoadPropertiesFromFile(const std::string& FileName) {
  try {
    TStringList lines;
    LoadAnsiTextFile(FileName, &lines);
    std::string value;
    if (!ExtractPropertyLine("File Type", value, &lines) || !SameText(value, "Plot Channel Config"))
      throw Exception("Incompatible Plot Channel Configuration File Type");
    ReadPropertiesText(this, "Channel", &lines);
  } catch (const std::exception& e) {
    throw Exception(std::string("Error Loading Properties - ") + e.what());
  }
}

void TiPlotChannelCustom::SaveDataToFile(const std::string& FileName) {
  const std::string separator(1, SeparatorOf(DataHost()));
  TStringList lines;
  for (int i = 0; i < GetCount(); ++i) {
    double x, y;
    bool empty, null;
    GetXYEmptyNull(i, x, y, empty, null);
    if (empty) continue;
    lines.Add(FloatToStr(x) + separator + (null ? std::string("Null") : FloatToStr(y)));
  }
  SaveAnsiTextFile(FileName, &lines);
}

void TiPlotChannelCustom::LoadDataFromFile(const std::string& FileName, bool ClearPreviousData) {
  if (FLoggingActive) LogDeactivate();
  TStringList lines;
  LoadAnsiTextFile(FileName, &lines);
  if (ClearPreviousData) Clear();
  if (lines.Count() == 0) return;
  FLoadingSeparator = lines.Get(0).find('\t') != std::string::npos ? '\t' : ',';
  for (int i = 0; i < lines.Count(); ++i) {
    std::string left, right;
    SplitAtSeparator(lines.Get(i), FLoadingSeparator, left, right);
    if (left.empty()) continue;
    if (SameText(right, "Null"))
      AddPoint(StrToFloat(left), 0, true, false);
    else
      AddPoint(StrToFloat(left), StrToFloat(right), false, false);
  }
}

void TiPlotChannelCustom::LogActivate(bool Append) {
  if (iTrim(FLogFileName).empty()) throw Exception("Log File Name not Defined");
  if (FLoggingActive) throw Exception("Logging Already Active");
  { TFileStream file(FLogFileName, Append ? fmOpenReadWrite | fmShareDenyWrite : fmCreate); }
  FLoggingActive = true;
  FLogBufferCount = 0;
}

void TiPlotChannelCustom::LogDeactivate() {
  if (!FLoggingActive) throw Exception("Logging not Active");
  FLoggingActive = false;
  if (FLogBufferCount > 0) LogFlush();
}

void TiPlotChannelCustom::LogFlush() {
  // A ring buffer or a partial delete may hold fewer points than were
  // counted: only the points still held are written.
  const int first = std::max(0, GetCount() - FLogBufferCount);
  FLogBufferCount = GetCount() - first;
  const std::string separator(1, SeparatorOf(DataHost()));
  std::vector<std::string> chunks;
  for (int i = first; i < GetCount(); ++i)
    chunks.push_back(iPlotLogLine(FloatToStr(GetX(i)) + separator + FloatToStr(GetY(i))));
  if (chunks.empty()) return;
  iPlotAppendToFile(FLogFileName, chunks, [this](std::size_t) { --FLogBufferCount; });
}

void TiPlotChannelCustom::FlushPendingLog() {
  if (FLoggingActive && FLogBufferCount > 0) LogFlush();
}
