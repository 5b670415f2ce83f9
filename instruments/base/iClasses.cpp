#include "instruments/base/iClasses.h"

#include "platform/sys/CodePage.h"

// ---------------------------------------------------------------- TiMemoryStream

void TiMemoryStream::WriteString(const std::string& Value) {
  const std::string bytes = Utf8ToAnsi(Value);
  if (bytes.size() >= 256) throw Exception("String Exceeds 255 Characters");
  Write(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

void TiMemoryStream::WriteCRLF() {
  Write("\r\n", 2);
}

void TiMemoryStream::WriteStringCRLF(const std::string& Value) {
  WriteString(Value);
  WriteCRLF();
}

char TiMemoryStream::ReadChar() {
  // Every byte is returned, the last one too; only a read past it fails.
  char c = 0;
  if (Read(&c, 1) != 1) throw Exception("EOF");
  return c;
}

// ---------------------------------------------------------------- XML

void TiXMLMemoryStream::StartElement(const std::string& Name) {
  WriteStringCRLF("<" + Name + ">");
}

void TiXMLMemoryStream::EndElement(const std::string& Name) {
  WriteStringCRLF("</" + Name + ">");
}

void TiXMLMemoryStream::WriteElement(const std::string& Name, const std::string& Value) {
  WriteStringCRLF("<" + Name + ">" + Value + "</" + Name + ">");
}

std::string TiXMLMemoryStream::GetNameElementStart() {
  while (ReadChar() != '<') {}
  std::string name;
  for (;;) {
    const char c = ReadChar();
    if (c == '>') return name;
    if (c == '/') {
      // An end tag: on to the next start tag.
      while (ReadChar() != '<') {}
      name.clear();
    } else if (c == ' ') {
      while (ReadChar() != '>') {}
      return name;
    } else {
      name += c;
    }
  }
}

void TiXMLMemoryStream::GotoElementStart(const std::string& Value) {
  while (GetNameElementStart() != Value) {}
}

std::string TiXMLMemoryStream::GetElementValue() {
  std::string value;
  for (char c = ReadChar(); c != '<'; c = ReadChar()) value += c;
  Seek(-1, soCurrent);
  return value;
}

std::string TiXMLMemoryStream::GetNameElementStop() {
  if (ReadChar() != '<') throw Exception("XML Parsing Error - \"<\" not Found");
  if (ReadChar() != '/') throw Exception("XML Parsing Error - \"/\" not Found");
  std::string name;
  for (char c = ReadChar(); c != '>'; c = ReadChar()) {
    if (c == ' ') {
      while (ReadChar() != '>') {}
      break;
    }
    name += c;
  }
  return name;
}

std::string TiXMLMemoryStream::GetElement(const std::string& Name) {
  GotoElementStart(Name);
  const std::string value = GetElementValue();
  while (GetNameElementStop() != Name) {}
  return value;
}

std::string TiXMLMemoryStream::GetNextPiece() {
  char c = ReadChar();
  while (c == '\r' || c == '\n') c = ReadChar();
  std::string piece;
  if (c == '<') {
    for (c = ReadChar(); c != '>'; c = ReadChar()) piece += c;
    return piece;
  }
  piece += c;
  while (!AtEnd()) {
    c = ReadChar();
    if (c == '<') {
      Seek(-1, soCurrent);
      break;
    }
    piece += c;
  }
  return piece;
}

std::string TiXMLMemoryStream::PeekNextPiece() {
  const auto at = GetPosition();
  std::string piece;
  try {
    piece = GetNextPiece();
  } catch (...) {
    SetPosition(at);
    throw;
  }
  SetPosition(at);
  return piece;
}

// ---------------------------------------------------------------- data holders

void TDigitalSequenceData::Clear() {
  StartSet = false;
  StopSet = false;
  TransitionSet = false;
}

void TiPlotMinMaxPoint::Clear() {
  Empty = true;
  YMax = -1e301;
  YMin = 1e301;
}

void TiPlotMinMaxPoint::AddData(double NewXValue, double NewYValue, int NewXPixels) {
  if (Empty) {
    Empty = false;
    XPixels = NewXPixels;
    XValue = NewXValue;
    YFirst = NewYValue;
  }
  if (NewYValue > YMax) YMax = NewYValue;
  if (NewYValue < YMin) YMin = NewYValue;
  YLast = NewYValue;
}

void TiPlotMinMaxPoint::AssignDown(const TiPlotMinMaxPoint& Source) {
  Empty = Source.Empty;
  XPixels = Source.XPixels;
  XValue = Source.XValue;
  YMax = Source.YMax;
  YMin = Source.YMin;
  YFirst = Source.YFirst;
  YLast = Source.YLast;
}

int TiLimitDataList::Add(double Value1, double Value2, double Value3) {
  if (FCount == FCapacity) SetCapacity(FCapacity + (FCapacity > 64 ? FCapacity / 4 : FCapacity > 8 ? 16 : 4));
  FList[static_cast<size_t>(FCount)] = {Value1, Value2, Value3};
  return FCount++;
}

void TiLimitDataList::SetCapacity(int NewCapacity) {
  if (NewCapacity > 0x7FFFFFF) throw Exception("Exceed Maximum List Size");
  if (NewCapacity == FCapacity) return;
  FList.resize(static_cast<size_t>(std::max(NewCapacity, 0)));
  FCapacity = NewCapacity;
  if (FCount > NewCapacity) FCount = NewCapacity;
}

void TiLimitDataList::Clear() {
  FCount = 0;
  SetCapacity(0);
}

const TiLimitData& TiLimitDataList::GetItem(int Index) const {
  if (Index < 0 || Index >= FCount) throw Exception("Index out of Bounds");
  return FList[static_cast<size_t>(Index)];
}
