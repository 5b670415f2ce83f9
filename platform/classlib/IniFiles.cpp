#include "platform/classlib/IniFiles.h"

#include "platform/classlib/StringList.h"
#include "platform/sys/FileReplace.h"
#include "platform/sys/SysUtils.h"

namespace {

constexpr size_t npos = std::string::npos;

std::string_view Trim(std::string_view s) {
  const size_t first = s.find_first_not_of(" \t");
  if (first == npos) return {};
  const size_t last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

bool HasLineBreak(std::string_view s) {
  return s.find_first_of("\r\n") != npos;
}

}  // namespace

TIniFile::TIniFile(const std::string& FileName) : FFileName(FileName) {
  Load();
}

void TIniFile::Load() {
  std::string text;
  if (!sys::ReadRegularFile(FFileName, text)) return;
  const size_t firstBreak = text.find('\n');
  if (firstBreak != npos && firstBreak > 0 && text[firstBreak - 1] == '\r') FNewLine = "\r\n";
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == npos) end = text.size();
    size_t stop = end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    FLines.push_back(Parse(text.substr(start, stop - start)));
    start = end + 1;
  }
}

TIniFile::Line TIniFile::Parse(const std::string& text) {
  Line line;
  line.text = text;
  const std::string_view t = Trim(text);
  if (t.size() >= 2 && t.front() == '[') {
    const size_t close = t.find(']');
    if (close != npos) {
      line.kind = Line::Header;
      line.name = std::string(Trim(t.substr(1, close - 1)));
    }
    return line;
  }
  if (t.empty() || t.front() == ';' || t.front() == '#') return line;
  const size_t eq = t.find('=');
  if (eq == npos) return line;
  line.kind = Line::Key;
  line.name = std::string(Trim(t.substr(0, eq)));
  return line;
}

TIniFile::Span TIniFile::FindSection(std::string_view Section) const {
  Span span;
  const std::string_view name = Trim(Section);
  for (size_t i = 0; i < FLines.size(); ++i) {
    if (FLines[i].kind == Line::Header && SameText(FLines[i].name, name)) {
      span.header = i;
      break;
    }
  }
  if (span.header == npos) return span;
  span.end = span.header + 1;
  while (span.end < FLines.size() && FLines[span.end].kind != Line::Header) ++span.end;
  return span;
}

size_t TIniFile::FindKey(const Span& span, std::string_view Ident) const {
  if (span.header == npos) return npos;
  const std::string_view name = Trim(Ident);
  for (size_t i = span.header + 1; i < span.end; ++i) {
    if (FLines[i].kind == Line::Key && SameText(FLines[i].name, name)) return i;
  }
  return npos;
}

// ---- reading ----------------------------------------------------------------

std::string TIniFile::ReadString(std::string_view Section, std::string_view Ident,
                                 const std::string& Default) const {
  const size_t i = FindKey(FindSection(Section), Ident);
  if (i == npos) return Default;
  const std::string& text = FLines[i].text;
  return std::string(Trim(std::string_view(text).substr(text.find('=') + 1)));
}

int TIniFile::ReadInteger(std::string_view Section, std::string_view Ident, int Default) const {
  return StrToIntDef(ReadString(Section, Ident, ""), Default);
}

bool TIniFile::ReadBool(std::string_view Section, std::string_view Ident, bool Default) const {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

double TIniFile::ReadFloat(std::string_view Section, std::string_view Ident, double Default) const {
  return StrToFloatDef(ReadString(Section, Ident, ""), Default);
}

bool TIniFile::SectionExists(std::string_view Section) const {
  const Span span = FindSection(Section);
  if (span.header == npos) return false;
  for (size_t i = span.header + 1; i < span.end; ++i) {
    if (FLines[i].kind == Line::Key) return true;
  }
  return false;
}

bool TIniFile::ValueExists(std::string_view Section, std::string_view Ident) const {
  return FindKey(FindSection(Section), Ident) != npos;
}

void TIniFile::ReadSection(std::string_view Section, TStrings* Strings) const {
  ListKeys(Section, Strings, false);
}

void TIniFile::ReadSections(TStrings* Strings) const {
  Strings->BeginUpdate();
  Strings->Clear();
  for (const Line& line : FLines) {
    if (line.kind == Line::Header) Strings->Add(line.name);
  }
  Strings->EndUpdate();
}

void TIniFile::ReadSectionValues(std::string_view Section, TStrings* Strings) const {
  ListKeys(Section, Strings, true);
}

void TIniFile::ListKeys(std::string_view Section, TStrings* Strings, bool WithValues) const {
  Strings->BeginUpdate();
  Strings->Clear();
  const Span span = FindSection(Section);
  for (size_t i = span.header == npos ? span.end : span.header + 1; i < span.end; ++i) {
    if (FLines[i].kind == Line::Key)
      Strings->Add(WithValues ? std::string(Trim(FLines[i].text)) : FLines[i].name);
  }
  Strings->EndUpdate();
}

// ---- writing ----------------------------------------------------------------

void TIniFile::WriteString(std::string_view Section, std::string_view Ident, std::string_view Value) {
  const std::string_view section = Trim(Section);
  const std::string_view key = Trim(Ident);
  if (section.empty() || HasLineBreak(section) || section.find(']') != npos)
    throw EIniFileException("Invalid section name \"" + std::string(Section) + "\"");
  if (key.empty() || HasLineBreak(key) || key.find('=') != npos || key.front() == '[' || key.front() == ';' ||
      key.front() == '#')
    throw EIniFileException("Invalid key name \"" + std::string(Ident) + "\"");
  if (HasLineBreak(Value))
    throw EIniFileException("The value of \"" + std::string(key) + "\" holds a line break");

  Change([&] {
    Span span = FindSection(section);
    if (span.header == npos) {
      FLines.push_back(Parse("[" + std::string(section) + "]"));
      span.header = FLines.size() - 1;
      span.end = FLines.size();
    }
    const size_t i = FindKey(span, key);
    if (i != npos) {
      // The key keeps its spelling and whatever stood before the '='.
      Line& line = FLines[i];
      line.text = line.text.substr(0, line.text.find('=') + 1) + std::string(Value);
    } else {
      // After the section's last key, so its trailing comments and blank
      // lines stay before the next header.
      size_t at = span.header + 1;
      for (size_t k = span.header + 1; k < span.end; ++k) {
        if (FLines[k].kind == Line::Key) at = k + 1;
      }
      FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(at),
                    Parse(std::string(key) + "=" + std::string(Value)));
    }
  });
}

void TIniFile::WriteInteger(std::string_view Section, std::string_view Ident, int Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

void TIniFile::WriteBool(std::string_view Section, std::string_view Ident, bool Value) {
  WriteString(Section, Ident, Value ? "1" : "0");
}

void TIniFile::WriteFloat(std::string_view Section, std::string_view Ident, double Value) {
  WriteString(Section, Ident, FloatToStr(Value));
}

void TIniFile::EraseSection(std::string_view Section) {
  const Span span = FindSection(Section);
  if (span.header == npos) return;
  Change([&] {
    FLines.erase(FLines.begin() + static_cast<std::ptrdiff_t>(span.header),
                 FLines.begin() + static_cast<std::ptrdiff_t>(span.end));
  });
}

void TIniFile::DeleteKey(std::string_view Section, std::string_view Ident) {
  const size_t i = FindKey(FindSection(Section), Ident);
  if (i == npos) return;
  Change([&] { FLines.erase(FLines.begin() + static_cast<std::ptrdiff_t>(i)); });
}

void TIniFile::Change(const std::function<void()>& edit) {
  std::vector<Line> saved = FLines;
  edit();
  try {
    UpdateFile();
  } catch (...) {
    // What is held stays what is on disk.
    FLines = std::move(saved);
    throw;
  }
}

void TIniFile::UpdateFile() {
  std::string text;
  for (const Line& line : FLines) {
    text += line.text;
    text += FNewLine;
  }
  const std::string failure = sys::ReplaceFile(FFileName, text);
  if (!failure.empty()) throw EIniFileException("Cannot write \"" + FFileName + "\": " + failure);
}
