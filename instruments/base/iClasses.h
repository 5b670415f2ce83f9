#pragma once
// Small classes several parts of the library share: a memory stream with
// line output and its XML reader and writer (theme files), the scheme-list
// classes that mark where a theme scheme came from, and the data holders of
// the channel drawing and the limits.

#include <string>
#include <vector>

#include "platform/classlib/GraphicsStream.h"
#include "platform/classlib/StringList.h"

class TiMemoryStream : public TMemoryStream {
 public:
  // One byte per character in the ANSI code page, no length, no terminator;
  // 256 characters or more raise "String Exceeds 255 Characters".
  void WriteString(const std::string& Value);
  void WriteCRLF();
  void WriteStringCRLF(const std::string& Value);
  // The next byte; reading past the last byte raises "EOF".
  char ReadChar();
};

class TiXMLMemoryStream : public TiMemoryStream {
 public:
  void StartElement(const std::string& Name);
  void EndElement(const std::string& Name);
  void WriteElement(const std::string& Name, const std::string& Value);

  std::string GetNameElementStart();
  void GotoElementStart(const std::string& Value);
  std::string GetElementValue();
  std::string GetNameElementStop();
  std::string GetElement(const std::string& Name);
  std::string GetNextPiece();
  std::string PeekNextPiece();

 private:
  bool AtEnd() { return GetPosition() >= GetSize(); }
};

class TiUserSchemeList : public TStringList {};
class TiVantorSchemeList : public TStringList {};

class TDigitalSequenceData : public TObject {
 public:
  void Clear();
  bool StartSet = false;
  double StartXValue = 0;
  bool StartYValue = false;
  bool StopSet = false;
  double StopXValue = 0;
  bool TransitionSet = false;
  double TransitionXValue = 0;
};

// The points that fall on one pixel column: first, last, smallest, largest.
class TiPlotMinMaxPoint : public TPersistent {
 public:
  TiPlotMinMaxPoint() { Clear(); }
  void Clear();
  void AddData(double NewXValue, double NewYValue, int NewXPixels);
  void AssignDown(const TiPlotMinMaxPoint& Source);
  bool Empty = true;
  int XPixels = 0;
  double XValue = 0;
  double YMax = 0;
  double YMin = 0;
  double YFirst = 0;
  double YLast = 0;
};

struct TiLimitData {
  double Value1 = 0;
  double Value2 = 0;
  double Value3 = 0;
};

class TiLimitDataList : public TObject {
 public:
  int Add(double Value1, double Value2, double Value3);
  int GetCount() const { return FCount; }
  int GetCapacity() const { return FCapacity; }
  void SetCapacity(int NewCapacity);
  void Clear();
  const TiLimitData& GetItem(int Index) const;
  double GetValue1(int Index) const { return GetItem(Index).Value1; }
  double GetValue2(int Index) const { return GetItem(Index).Value2; }
  double GetValue3(int Index) const { return GetItem(Index).Value3; }

 private:
  std::vector<TiLimitData> FList;
  int FCount = 0;
  int FCapacity = 0;
};
