#pragma once
// Settings files of "[Section]" headers and "Key=Value" lines.
//
// Every line of the file is kept as it was read (comments, blank lines,
// lines that are neither header nor key, the case of every name) and in its
// order; a write changes only the value of its own line, or adds a line at
// the end of its section, or a section at the end of the file. Sections and
// keys are found case-insensitively, the first one of a name wins.
//
// Each Write*, DeleteKey and EraseSection writes the whole file at once
// through a temporary file beside it that then replaces it, so a failed
// write never leaves a half-written file; it raises EIniFileException and
// the file on disk stays as it was.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classlib/Classes.h"

class TStrings;

class EIniFileException : public Exception {
 public:
  using Exception::Exception;
};

class TIniFile : public TObject {
 public:
  // Reads the file when it is a regular file; a missing one is empty.
  explicit TIniFile(const std::string& FileName);

  const std::string& GetFileName() const { return FFileName; }

  // The value after the first '=', blanks around it dropped; Default when the
  // key is absent.
  std::string ReadString(std::string_view Section, std::string_view Ident, const std::string& Default) const;
  // Decimal, or hexadecimal after "$" or "0x"; Default when absent or not a
  // number.
  int ReadInteger(std::string_view Section, std::string_view Ident, int Default) const;
  // An integer that is not 0; "1" and "0" are written.
  bool ReadBool(std::string_view Section, std::string_view Ident, bool Default) const;
  double ReadFloat(std::string_view Section, std::string_view Ident, double Default) const;

  // Names with a line break, a key starting with '[' or ';' or holding '=',
  // and values with a line break are refused (EIniFileException): they
  // would break the file's lines.
  void WriteString(std::string_view Section, std::string_view Ident, std::string_view Value);
  void WriteInteger(std::string_view Section, std::string_view Ident, int Value);
  void WriteBool(std::string_view Section, std::string_view Ident, bool Value);
  void WriteFloat(std::string_view Section, std::string_view Ident, double Value);

  // A section exists when it holds at least one key.
  bool SectionExists(std::string_view Section) const;
  bool ValueExists(std::string_view Section, std::string_view Ident) const;
  // Replace the list's lines with the section's key names, the file's section
  // names, or the section's "Key=Value" lines.
  void ReadSection(std::string_view Section, TStrings* Strings) const;
  void ReadSections(TStrings* Strings) const;
  void ReadSectionValues(std::string_view Section, TStrings* Strings) const;
  // Removes the section's header and every line up to the next header.
  void EraseSection(std::string_view Section);
  void DeleteKey(std::string_view Section, std::string_view Ident);
  // Writes the file as it is held now.
  void UpdateFile();

 private:
  struct Line {
    std::string text;
    // Header: the name between the brackets; key line: the key; else empty.
    std::string name;
    enum Kind { Other, Header, Key } kind = Other;
  };
  // [first, last) of a section's lines after its header; first is npos
  // when the section is absent.
  struct Span {
    size_t header = std::string::npos;
    size_t end = 0;
  };

  void Load();
  // Applies the edit and writes the file; when the write fails the lines are
  // put back as they were.
  void Change(const std::function<void()>& edit);
  Span FindSection(std::string_view Section) const;
  // Index of the key's line, or npos.
  size_t FindKey(const Span& span, std::string_view Ident) const;
  void ListKeys(std::string_view Section, TStrings* Strings, bool WithValues) const;
  static Line Parse(const std::string& text);

  std::string FFileName;
  std::vector<Line> FLines;
  std::string FNewLine = "\n";
};
