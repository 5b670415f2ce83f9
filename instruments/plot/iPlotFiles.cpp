#include "instruments/plot/iPlotFiles.h"

#include <algorithm>
#include <cctype>

#include "platform/classlib/GraphicsStream.h"
#include "platform/sys/CodePage.h"

std::string iPlotLogLine(const std::string& Text) {
  std::string line = Utf8ToAnsi(Text);
  if (line.size() > 255) line.resize(255);
  return line + "\r\n";
}

void iPlotAppendToFile(const std::string& FileName, const std::vector<std::string>& Chunks,
                       const std::function<void(std::size_t)>& Written) {
  TFileStream file(FileName, fmOpenReadWrite | fmShareDenyWrite);
  file.Seek(0, soEnd);
  for (std::size_t i = 0; i < Chunks.size(); ++i) {
    const std::int64_t start = file.GetPosition();
    try {
      file.WriteBuffer(Chunks[i].data(), static_cast<std::int64_t>(Chunks[i].size()));
    } catch (...) {
      // A half-written chunk would be read as a wrong row: cut it off.
      try {
        file.SetSize(start);
      } catch (...) {}
      throw;
    }
    if (Written) Written(i);
  }
}

std::vector<std::string> iPlotSplitDataLine(const std::string& Line, char Separator) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (start < Line.size()) {
    const std::size_t at = Line.find(Separator, start);
    if (at == std::string::npos) {
      fields.push_back(Line.substr(start));
      return fields;
    }
    fields.push_back(Line.substr(start, at - start));
    start = at + 1;
  }
  if (Line.empty() || Line.back() != Separator) fields.emplace_back();
  return fields;
}

std::string iPlotRepairDecimal(const std::string& Field) {
  std::string result = Field;
  const std::size_t at = result.find(',');
  if (at != std::string::npos) result[at] = '.';
  return result;
}

int iPlotBoundBlockCount(const TStrings* Lines, const std::string& Kind, int Count) {
  if (Count <= 0) return 0;
  int highest = -1;
  for (int i = 0; i < Lines->Count(); ++i) {
    const std::string line = Lines->Get(i);
    if (line.compare(0, Kind.size(), Kind) != 0) continue;
    std::size_t at = Kind.size();
    long long index = 0;
    std::size_t digits = 0;
    while (at < line.size() && std::isdigit(static_cast<unsigned char>(line[at])) && digits < 10) {
      index = index * 10 + (line[at] - '0');
      ++at;
      ++digits;
    }
    if (digits == 0 || at >= line.size() || line[at] != '.') continue;
    highest = static_cast<int>(std::max<long long>(highest, std::min<long long>(index, 0x7FFFFFFE)));
  }
  return std::min(Count, highest + 1);
}

void iPlotDropBlock(const std::string& Prefix, TStrings* Lines) {
  while (Lines->Count() > 0) {
    const std::string line = Lines->Get(0);
    if (line.compare(0, Prefix.size(), Prefix) != 0 || line.size() <= Prefix.size() ||
        line[Prefix.size()] != '.')
      return;
    Lines->Delete(0);
  }
}
