// The plot's properties, annotation and data files, its data log, and the
// data entry of whole rows.

#include <algorithm>
#include <cstring>

#include "instruments/base/iPropertyText.h"
#include "instruments/plot/iPlotAnnotation.h"
#include "instruments/plot/iPlotChannel.h"
#include "instruments/plot/iPlotComponent.h"
#include "instruments/plot/iPlotFiles.h"
#include "instruments/plot/iXYPlotChannel.h"
#include "platform/classlib/AnsiTextFile.h"
#include "platform/classlib/GraphicsStream.h"
#include "platform/sys/SysUtils.h"

namespace {

const char kCompactHeader[] = "Compact Interval";
// A value a channel owes (it has no such point), and the end of the data.
constexpr float kMissingValue = 1e38f;
constexpr float kEndMarker = 2e38f;

// The block kinds of the properties file, in file order.
struct TBlockKind {
  const char* Word;
  const char* CountKey;
};
constexpr TBlockKind kKinds[] = {{"Channel", "ChannelCount"},       {"XAxis", "XAxisCount"},
                                 {"YAxis", "YAxisCount"},           {"ToolBar", "ToolBarCount"},
                                 {"Legend", "LegendCount"},         {"Table", "TableCount"},
                                 {"Label", "LabelCount"},           {"DataView", "DataViewCount"},
                                 {"DataCursor", "DataCursorCount"}, {"Limit", "LimitCount"}};

void AppendSingle(std::string& Out, float Value) {
  char bytes[4];
  std::memcpy(bytes, &Value, 4);
  Out.append(bytes, 4);
}

template <class F>
void Rethrow(const char* Prefix, F&& Fn) {
  try {
    Fn();
  } catch (const std::exception& e) {
    throw Exception(std::string(Prefix) + e.what());
  }
}

void Fire(const TNotifyEvent& Event, TObject* Sender) {
  if (Event) Event(Sender);
}

// Reads a header line of the compact format: bytes up to LF, CR dropped.
std::string ReadHeaderLine(const std::vector<std::uint8_t>& Bytes, std::size_t& Pos) {
  std::string line;
  while (true) {
    if (Pos >= Bytes.size()) throw Exception("Invalid Data");
    const char c = static_cast<char>(Bytes[Pos++]);
    if (c == '\n') return line;
    if (c != '\r') line += c;
  }
}

float ReadSingle(const std::vector<std::uint8_t>& Bytes, std::size_t& Pos) {
  if (Bytes.size() - Pos < 4) throw Exception("Invalid Data");
  float value;
  std::memcpy(&value, Bytes.data() + Pos, 4);
  Pos += 4;
  return value;
}

bool EndsWith(const std::string& Text, const char* Tail) {
  const std::size_t n = std::strlen(Tail);
  return Text.size() >= n && SameText(std::string_view(Text).substr(Text.size() - n), Tail);
}

// A header of alternating "...(X)" and "...(Y)" titles: a pairs file.
bool IsPairsHeader(const std::vector<std::string>& Fields) {
  if (Fields.empty() || Fields.size() % 2 != 0) return false;
  for (std::size_t i = 0; i < Fields.size(); ++i)
    if (!EndsWith(iTrim(Fields[i]), i % 2 == 0 ? "(X)" : "(Y)")) return false;
  return true;
}

// Adds a Null or Empty point, or the value, as the channel's class does.
void AddMarkedPoint(TiPlotChannelCustom* Channel, double X, double Value, bool Null, bool Empty) {
  if (auto* strip = dynamic_cast<TiPlotChannel*>(Channel)) {
    if (Null)
      strip->AddXNull(X);
    else if (Empty)
      strip->AddXEmpty(X);
    else
      strip->AddXY(X, Value);
    return;
  }
  if (auto* xy = dynamic_cast<TiXYPlotChannel*>(Channel)) {
    if (Null)
      xy->AddNull();
    else if (Empty)
      xy->AddEmpty();
    else
      xy->AddXY(X, Value);
    return;
  }
  if (Null || Empty)
    Channel->AddPoint(X, 0, Null, Empty);
  else
    Channel->AddXY(X, Value);
}

// A text field's point: Null and Empty by name (any case), else a number.
void AddTextPoint(TiPlotChannelCustom* Channel, double X, const std::string& YField) {
  if (SameText(YField, "NULL")) {
    Channel->SetNull(Channel->AddXY(X, 0), true);
  } else if (SameText(YField, "EMPTY")) {
    Channel->SetEmpty(Channel->AddXY(X, 0), true);
  } else {
    Channel->AddXY(X, StrToFloat(iPlotRepairDecimal(YField)));
  }
}

}  // namespace

// ---------------------------------------------------------------- settings

void TiPlotComponent::SetLogFileName(const std::string& Value) {
  if (Value == FLogFileName) return;
  if (FLoggingActive) throw Exception("Log File Name can not be changed while logging is active.");
  FLogFileName = Value;
}

void TiPlotComponent::SetDataFileFormat(TiPlotDataFileFormat Value) {
  if (FLoggingActive) throw Exception("Data File Format can not be changed while logging active");
  FDataFileFormat = Value;
}

void TiPlotComponent::SetDataFileColumnSeparator(TiPlotDataFileColumnSeparator Value) {
  if (Value == FDataFileColumnSeparator) return;
  if (FLoggingActive) throw Exception("Data File Column Seperator can not be changed while logging active");
  FDataFileColumnSeparator = Value;
}

// ---------------------------------------------------------------- properties file

void TiPlotComponent::SavePropertiesToFile(const std::string& FileName) {
  Rethrow("Error Saving Properties - ", [&] {
    TStringList lines;
    lines.Add("File Type = Plot Config");
    TiPlotObjectManagerCustom* managers[] = {FMaster->GetChannelManager(),    FMaster->GetXAxisManager(),
                                             FMaster->GetYAxisManager(),      FMaster->GetToolBarManager(),
                                             FMaster->GetLegendManager(),     FMaster->GetTableManager(),
                                             FMaster->GetLabelManager(),      FMaster->GetDataViewManager(),
                                             FMaster->GetDataCursorManager(), FMaster->GetLimitManager()};
    for (std::size_t k = 0; k < std::size(kKinds); ++k)
      lines.Add(std::string(kKinds[k].CountKey) + " = " + IntToStr(managers[k]->Count()));
    lines.Add("DataViewZHorz = " + IntToStr(GetDataViewZHorz()));
    lines.Add("DataViewZVert = " + IntToStr(GetDataViewZVert()));
    for (std::size_t k = 0; k < std::size(kKinds); ++k)
      for (int i = 0; i < managers[k]->Count(); ++i)
        WritePropertiesText(managers[k]->GetObject(i), kKinds[k].Word + IntToStr(i), &lines,
                            FDifferentialPropertySave, nullptr);
    TStringList exclude;
    exclude.Add("Name");
    if (!GetOptionSaveAllProperties())
      for (const char* name : {"Left", "Top", "Width", "Height", "Align", "Cursor", "ShowHint", "Tag",
                               "Visible", "Enabled", "Hint", "HelpContext", "HelpKeyword"})
        exclude.Add(name);
    WritePropertiesText(this, "", &lines, FDifferentialPropertySave, &exclude);
    SaveAnsiTextFile(FileName, &lines);
  });
  FLastPropertiesFileName = FileName;
  Fire(OnAfterSaveProperties, this);
}

void TiPlotComponent::LoadPropertiesFromFile(const std::string& FileName) {
  Rethrow("Error Loading Properties - ", [&] {
    Fire(OnBeforeLoadProperties, this);
    TStringList lines;
    LoadAnsiTextFile(FileName, &lines);
    std::string value;
    if (!ExtractPropertyLine("File Type", value, &lines) || !SameText(value, "Plot Config"))
      throw Exception("Incompatible Plot Configuration File Type");
    DisableLayoutManager();
    BeginUpdate();
    try {
      int counts[std::size(kKinds)];
      for (std::size_t k = 0; k < std::size(kKinds); ++k) {
        counts[k] = ExtractPropertyLine(kKinds[k].CountKey, value, &lines) ? StrToInt(value) : 0;
        counts[k] = iPlotBoundBlockCount(&lines, kKinds[k].Word, counts[k]);
      }
      if (ExtractPropertyLine("DataViewZHorz", value, &lines)) SetDataViewZHorz(StrToInt(value));
      if (ExtractPropertyLine("DataViewZVert", value, &lines)) SetDataViewZVert(StrToInt(value));
      RemoveAllLegends();
      RemoveAllTables();
      RemoveAllLabels();
      RemoveAllLimits();
      RemoveAllXAxes();
      RemoveAllYAxes();
      RemoveAllDataViews();
      RemoveAllChannels();
      RemoveAllAnnotations();
      RemoveAllDataCursors();
      for (std::size_t k = 0; k < std::size(kKinds); ++k) {
        const std::string word = kKinds[k].Word;
        for (int i = 0; i < counts[k]; ++i) {
          const std::string prefix = word + IntToStr(i);
          TiPlotObject* target = nullptr;
          if (word == "Channel") {
            TiPlotChannelCustom* channel = GetChannel(AddChannel());
            channel->SetColor(clRed);
            target = channel;
          } else if (word == "XAxis") {
            target = GetXAxis(AddXAxis());
          } else if (word == "YAxis") {
            target = GetYAxis(AddYAxis());
          } else if (word == "ToolBar") {
            // No toolbar is added: block k goes to toolbar k when it exists.
            target = i < GetToolBarCount() ? GetToolBar(i) : nullptr;
          } else if (word == "Legend") {
            target = GetLegend(AddLegend());
          } else if (word == "Table") {
            target = GetTable(AddTable());
          } else if (word == "Label") {
            target = GetLabel(i < GetLabelCount() ? i : AddLabel());
          } else if (word == "DataView") {
            target = GetDataView(AddDataView());
          } else if (word == "DataCursor") {
            target = GetDataCursor(AddDataCursor());
          } else {
            target = GetLimit(AddLimit());
          }
          if (target)
            ReadPropertiesText(target, prefix, &lines);
          else
            iPlotDropBlock(prefix, &lines);
        }
      }
      ReadPropertiesText(this, "", &lines);
    } catch (...) {
      // A failed load still leaves a plot that lays out and repaints.
      EnableLayoutManager();
      EndUpdate();
      throw;
    }
    EnableLayoutManager();
    EndUpdate();
  });
  FLastPropertiesFileName = FileName;
  Fire(OnAfterLoadProperties, this);
}

// ---------------------------------------------------------------- annotation file

void TiPlotComponent::SaveAnnotationsToFile(const std::string& FileName) {
  Rethrow("Error Saving Annotations - ", [&] {
    TStringList lines;
    lines.Add("AnnotationCount = " + IntToStr(GetAnnotationCount()));
    for (int i = 0; i < GetAnnotationCount(); ++i)
      WritePropertiesText(GetAnnotation(i), "Annotation" + IntToStr(i), &lines, true, nullptr);
    SaveAnsiTextFile(FileName, &lines);
  });
}

void TiPlotComponent::LoadAnnotationsFromFile(const std::string& FileName) {
  Rethrow("Error Loading Annotations - ", [&] {
    TStringList lines;
    LoadAnsiTextFile(FileName, &lines);
    BeginUpdate();
    try {
      RemoveAllAnnotations();
      std::string value;
      if (ExtractPropertyLine("AnnotationCount", value, &lines)) {
        const int count = iPlotBoundBlockCount(&lines, "Annotation", StrToInt(value));
        for (int i = 0; i < count; ++i)
          ReadPropertiesText(GetAnnotation(AddAnnotation()), "Annotation" + IntToStr(i), &lines);
      }
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
  });
}

// ---------------------------------------------------------------- data file

void TiPlotComponent::SaveDataToFile(const std::string& FileName) {
  Rethrow("Error Saving Data - ", [&] {
    const int channels = GetChannelCount();
    int rows = 0;
    for (int c = 0; c < channels; ++c) rows = std::max(rows, GetChannel(c)->GetCount());
    if (FDataFileFormat == ipdffText) {
      const std::string sep(1, GetDataFileSeparatorChar());
      TStringList lines;
      std::string header;
      for (int c = 0; c < channels; ++c) {
        const std::string& title = GetChannel(c)->GetTitleText();
        header += (c ? sep : "") + title + "(X)" + sep + title + "(Y)";
      }
      lines.Add(header);
      for (int r = 0; r < rows; ++r) {
        std::string line;
        for (int c = 0; c < channels; ++c) {
          TiPlotChannelCustom* channel = GetChannel(c);
          if (c) line += sep;
          if (r >= channel->GetCount()) {
            line += sep;
            continue;
          }
          double x, y;
          bool empty, null;
          channel->GetXYEmptyNull(r, x, y, empty, null);
          line += FloatToStr(x) + sep +
                  (null    ? std::string("Null")
                   : empty ? std::string("Empty")
                           : FloatToStr(y));
        }
        lines.Add(line);
      }
      SaveAnsiTextFile(FileName, &lines);
      return;
    }
    std::string bytes = std::string(kCompactHeader) + "\r\n" + IntToStr(channels) + "\r\n";
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < channels; ++c) {
        TiPlotChannelCustom* channel = GetChannel(c);
        const bool has = r < channel->GetCount();
        if (r < 2) AppendSingle(bytes, has ? static_cast<float>(channel->GetX(r)) : kMissingValue);
        AppendSingle(bytes, has ? static_cast<float>(channel->GetY(r)) : kMissingValue);
      }
    AppendSingle(bytes, kEndMarker);
    TFileStream file(FileName, fmCreate);
    file.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  });
  FLastDataFileName = FileName;
  Fire(OnAfterSaveData, this);
}

void TiPlotComponent::LoadDataFromFile(const std::string& FileName) {
  Rethrow("Error Loading Data - ", [&] {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(FileName);
    std::size_t end = 0;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
    const bool compact =
        SameText(std::string(bytes.begin(), bytes.begin() + static_cast<long>(end)), kCompactHeader);
    BeginUpdate();
    try {
      if (compact) {
        LoadDataCompactInterval(bytes);
      } else {
        TStringList lines;
        LoadAnsiTextFile(FileName, &lines);
        if (lines.Count() > 0) {
          const std::string first = lines.Get(0);
          FLoadingSeparator = first.find('\t') != std::string::npos ? '\t' : ',';
          const std::vector<std::string> titles = iPlotSplitDataLine(first, FLoadingSeparator);
          std::string head = first.substr(0, 3);
          if (!IsPairsHeader(titles) && SameText(head, "(X)"))
            LoadDataTextShared(&lines);
          else
            LoadDataTextPairs(&lines);
        }
      }
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
  });
  FLastDataFileName = FileName;
  Fire(OnAfterLoadData, this);
}

void TiPlotComponent::LoadDataTextPairs(const TStrings* Lines) {
  for (int l = 1; l < Lines->Count(); ++l) {
    const std::vector<std::string> fields = iPlotSplitDataLine(Lines->Get(l), FLoadingSeparator);
    const int pairs = static_cast<int>(fields.size() / 2);
    for (int i = 0; i < pairs && i < GetChannelCount(); ++i) {
      const std::string x = iTrim(iPlotRepairDecimal(fields[2 * i]));
      const std::string y = iTrim(fields[2 * i + 1]);
      if (x.empty() || y.empty()) continue;
      AddTextPoint(GetChannel(i), StrToFloat(x), y);
    }
  }
}

void TiPlotComponent::LoadDataTextShared(const TStrings* Lines) {
  for (int l = 1; l < Lines->Count(); ++l) {
    const std::vector<std::string> fields = iPlotSplitDataLine(Lines->Get(l), FLoadingSeparator);
    if (fields.empty() || iTrim(fields[0]).empty()) continue;
    const double x = StrToFloat(iTrim(fields[0]));
    for (std::size_t j = 1; j < fields.size() && static_cast<int>(j) - 1 < GetChannelCount(); ++j) {
      const std::string y = iTrim(fields[j]);
      if (!y.empty()) AddTextPoint(GetChannel(static_cast<int>(j) - 1), x, y);
    }
  }
}

void TiPlotComponent::LoadDataCompactInterval(const std::vector<std::uint8_t>& Bytes) {
  std::size_t pos = 0;
  ReadHeaderLine(Bytes, pos);
  const int channels = StrToInt(iTrim(ReadHeaderLine(Bytes, pos)));
  // Nothing is allocated by the file's count: a hostile one only reads on.
  std::vector<std::pair<double, double>> firstX(static_cast<std::size_t>(GetChannelCount()));
  for (long long r = 0; channels > 0 && pos < Bytes.size(); ++r)
    for (int c = 0; c < channels; ++c) {
      const double x = r < 2 ? ReadSingle(Bytes, pos) : 0;
      if (x > 1.5e38) return;
      const double y = ReadSingle(Bytes, pos);
      if (y > 1.5e38) return;
      if (!(x < 9e37 && y < 9e37) || c >= GetChannelCount()) continue;
      TiPlotChannelCustom* channel = GetChannel(c);
      auto& [x0, x1] = firstX[static_cast<std::size_t>(c)];
      if (r == 0) x0 = x;
      if (r == 1) x1 = x;
      if (r < 2)
        channel->AddXY(x, y);
      else
        // Later rows carry no X: it continues the step of the first two, as
        // an interval store would place it, and passes the order check.
        channel->AddPoint(x0 + static_cast<double>(r) * (x1 - x0), y, false, false);
    }
}

// ---------------------------------------------------------------- log

std::string TiPlotComponent::LogHeader() const {
  if (FDataFileFormat == ipdffCompactInterval)
    return std::string(kCompactHeader) + "\r\n" + IntToStr(GetChannelCount()) + "\r\n";
  const std::string sep(1, FDataFileColumnSeparator == ipdfcsComma ? ',' : '\t');
  std::string line = "(X)";
  for (int c = 0; c < GetChannelCount(); ++c) line += sep + GetChannel(c)->GetTitleText() + "(Y)";
  return iPlotLogLine(line);
}

std::string TiPlotComponent::LogRow(int P, bool WithX) const {
  if (FDataFileFormat == ipdffCompactInterval) {
    std::string bytes;
    for (int c = 0; c < GetChannelCount(); ++c) {
      if (WithX) AppendSingle(bytes, static_cast<float>(GetChannel(c)->GetX(P)));
      AppendSingle(bytes, static_cast<float>(GetChannel(c)->GetY(P)));
    }
    return bytes;
  }
  const std::string sep(1, FDataFileColumnSeparator == ipdfcsComma ? ',' : '\t');
  std::string line = FloatToStr(GetChannel(0)->GetX(P));
  for (int c = 0; c < GetChannelCount(); ++c) {
    double x, y;
    bool empty, null;
    GetChannel(c)->GetXYEmptyNull(P, x, y, empty, null);
    line += sep + (null ? std::string("Null") : empty ? std::string("Empty") : FloatToStr(y));
  }
  return iPlotLogLine(line);
}

void TiPlotComponent::LogActivate(bool Append) {
  if (iTrim(FLogFileName).empty()) throw Exception("Log File Name not Defined");
  if (FLoggingActive) throw Exception("Logging Already Active");
  long long rows = 0;
  if (Append) {
    { TFileStream file(FLogFileName, fmOpenReadWrite | fmShareDenyWrite); }
    if (FDataFileFormat == ipdffCompactInterval) {
      // The rows already there decide whether the next one carries X.
      const std::vector<std::uint8_t> bytes = ReadFileBytes(FLogFileName);
      std::size_t pos = 0;
      ReadHeaderLine(bytes, pos);
      int channels = 0;
      if (!TryStrToInt(iTrim(ReadHeaderLine(bytes, pos)), channels) || channels != GetChannelCount())
        throw Exception("Invalid Data");
      const long long rest = static_cast<long long>(bytes.size() - pos);
      const long long n = channels;
      if (rest == 0)
        rows = 0;
      else if (n > 0 && rest == 8 * n)
        rows = 1;
      else if (n > 0 && rest >= 16 * n && (rest - 16 * n) % (4 * n) == 0)
        rows = 2 + (rest - 16 * n) / (4 * n);
      else
        throw Exception("Invalid Data");
    }
  } else {
    const std::string header = LogHeader();
    TFileStream file(FLogFileName, fmCreate);
    file.WriteBuffer(header.data(), static_cast<std::int64_t>(header.size()));
  }
  FLogRowsInFile = rows;
  FLoggingActive = true;
  FLogBufferCount = 0;
}

void TiPlotComponent::LogDeactivate() {
  if (!FLoggingActive) throw Exception("Logging not Active");
  FLoggingActive = false;
  if (FLogBufferCount > 0) LogFlush();
}

void TiPlotComponent::LogFlush() {
  if (GetChannelCount() == 0) {
    FLogBufferCount = 0;
    return;
  }
  // Rows are built while every channel holds the row's point; the first
  // row that one lacks stops the flush there, after the rows before it.
  std::vector<std::string> rows;
  std::string failure;
  const int count0 = GetChannel(0)->GetCount();
  for (int k = 0; k < FLogBufferCount; ++k) {
    const int p = count0 - FLogBufferCount + k;
    bool complete = p >= 0;
    for (int c = 0; complete && c < GetChannelCount(); ++c) complete = p < GetChannel(c)->GetCount();
    if (!complete) {
      failure = "Index out of Bounds";
      break;
    }
    rows.push_back(LogRow(p, FLogRowsInFile + k < 2));
  }
  iPlotAppendToFile(FLogFileName, rows, [this](std::size_t) {
    --FLogBufferCount;
    ++FLogRowsInFile;
  });
  if (!failure.empty()) throw Exception(failure);
}

// ---------------------------------------------------------------- data entry

void TiPlotComponent::AddDataArray(double XValue, const TiPlotVariantArray& Data) {
  const int dims = Data.Dimensions();
  if (dims != 1 && dims != 2) throw Exception("Data Array must be 1 or 2 Dimensions");
  std::size_t size = 1;
  for (const auto& [low, high] : Data.Bounds) size *= static_cast<std::size_t>(std::max(0, high - low + 1));
  if (Data.Values.size() < size) throw Exception("Invalid Data");
  int rows = 0;
  if (dims == 1) {
    const int n = Data.Bounds[0].second - Data.Bounds[0].first + 1;
    // Every channel first: a row is added whole or not at all.
    if (n > 0) GetChannel(n - 1);
    for (int i = 0; i < n; ++i) {
      const double v = Data.Values[static_cast<std::size_t>(i)];
      const bool null = v > 1e-301 && v < 1e-300;
      const bool empty = v > 1e-302 && v < 1e-301;
      AddMarkedPoint(GetChannel(i), XValue, v, null, empty);
    }
    rows = 1;
  } else {
    const auto [low, high] = Data.Bounds[0];
    const auto [rowLow, rowHigh] = Data.Bounds[1];
    const int width = std::max(0, rowHigh - rowLow + 1);
    if (high >= low) {
      GetChannel(low);
      GetChannel(high);
    }
    for (int j = 0; j < width; ++j)
      for (int i = low; i <= high; ++i) {
        TiPlotChannelCustom* channel = GetChannel(i);
        const double x = channel->GetCount() == 0 ? 0 : channel->GetXLast() + XValue;
        channel->AddXY(x, Data.Values[static_cast<std::size_t>(i - low) * static_cast<std::size_t>(width) +
                                      static_cast<std::size_t>(j)]);
      }
    rows = width;
  }
  if (!FLoggingActive) return;
  FLogBufferCount += rows;
  if (FLogBufferCount >= FLogBufferSize) LogFlush();
}

void TiPlotComponent::TransferChannelData(int SourceChannelIndex, int DestinationChannelIndex, int StartIndex,
                                          int StopIndex) {
  TiPlotChannelCustom* source = GetChannel(SourceChannelIndex);
  TiPlotChannelCustom* destination = GetChannel(DestinationChannelIndex);
  if (StartIndex < 0) throw Exception("Start Index Must be 0 or Greater");
  if (StopIndex > source->GetCount() - 1) throw Exception("StopIndex Must Out Of Range");
  for (int i = StartIndex; i <= StopIndex; ++i) {
    double x, y;
    bool empty, null;
    source->GetXYEmptyNull(i, x, y, empty, null);
    const int index = destination->AddXY(x, y);
    if (null) destination->SetNull(index, true);
    if (empty) destination->SetEmpty(index, true);
  }
}

void TiPlotComponent::ClearAllData() {
  if (FLoggingActive) LogDeactivate();
  FMaster->ClearAllData();
}
