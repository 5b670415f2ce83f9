#include "platform/classlib/AnsiTextFile.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/classlib/GraphicsErrors.h"
#include "platform/sys/CodePage.h"
#include "platform/sys/SysUtils.h"

namespace {

void AppendUtf8(std::string& out, unsigned cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// UTF-16 after its mark; an unpaired surrogate or an odd last byte becomes
// U+FFFD.
std::string Utf16ToUtf8(const std::string& bytes, size_t start, bool bigEndian) {
  std::string out;
  auto unit = [&](size_t i) {
    const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (a << 8 | b) : (b << 8 | a);
  };
  size_t i = start;
  for (; i + 1 < bytes.size(); i += 2) {
    unsigned u = static_cast<unsigned>(unit(i));
    if (u >= 0xD800 && u < 0xDC00 && i + 3 < bytes.size()) {
      const unsigned lo = static_cast<unsigned>(unit(i + 2));
      if (lo >= 0xDC00 && lo < 0xE000) {
        AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00));
        i += 2;
        continue;
      }
    }
    AppendUtf8(out, u >= 0xD800 && u < 0xE000 ? 0xFFFD : u);
  }
  if (i < bytes.size()) AppendUtf8(out, 0xFFFD);
  return out;
}

std::string CodePointText(const std::string& utf8) {
  unsigned cp = 0;
  const auto b0 = static_cast<unsigned char>(utf8.empty() ? 0 : utf8[0]);
  const int len = b0 < 0x80 ? 1 : b0 < 0xE0 ? 2 : b0 < 0xF0 ? 3 : 4;
  cp = len == 1 ? b0 : b0 & (0x3F >> (len - 1));
  for (int k = 1; k < len && k < static_cast<int>(utf8.size()); ++k)
    cp = cp << 6 | (static_cast<unsigned char>(utf8[static_cast<size_t>(k)]) & 0x3F);
  char b[16];
  std::snprintf(b, sizeof b, "U+%04X", cp);
  return b;
}

}  // namespace

void SaveAnsiTextFile(const std::string& FileName, const TStrings* Lines) {
  const AnsiCodePage page = GetAnsiCodePage();
  std::string text;
  for (int i = 0; i < Lines->Count(); ++i) {
    std::string line, failed;
    if (!Utf8ToAnsiExact(Lines->Get(i), page, line, failed))
      throw EConvertError("The character \"" + failed + "\" (" + CodePointText(failed) +
                          ") has no place in the code page of text files");
    text += line;
    text += "\r\n";
  }
  std::ofstream out(FileName, std::ios::binary | std::ios::trunc);
  if (!out) throw EFCreateError("Cannot create file \"" + FileName + "\"");
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) throw EWriteError("Error writing file \"" + FileName + "\"");
}

void LoadAnsiTextFile(const std::string& FileName, TStrings* Lines) {
  std::ifstream in(FileName, std::ios::binary);
  if (!in) throw EFOpenError("Cannot open file \"" + FileName + "\"");
  std::ostringstream buf;
  buf << in.rdbuf();
  if (in.bad()) throw EReadError("Error reading file \"" + FileName + "\"");
  const std::string bytes = buf.str();
  std::string text;
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
    text = bytes.substr(3);
  else if (bytes.compare(0, 2, "\xFF\xFE") == 0)
    text = Utf16ToUtf8(bytes, 2, false);
  else if (bytes.compare(0, 2, "\xFE\xFF") == 0)
    text = Utf16ToUtf8(bytes, 2, true);
  else
    text = AnsiToUtf8(bytes);
  TStringList read;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    read.Add(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) read.Add(text.substr(start));
  Lines->Assign(&read);
}
