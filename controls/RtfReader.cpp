#include "controls/RtfReader.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <map>
#include <vector>

#include "platform/sys/CodePage.h"

namespace {

constexpr int kDefaultHalfPoints = 24;
constexpr std::size_t kMaxWordLength = 32;

AnsiCodePage PageOf(int CodePage) {
  return CodePage == RtfCodePageChinese ? AnsiCodePage::Gbk : AnsiCodePage::Cp1252;
}

// The code page text of a font's character set is written in.
int CodePageOfCharset(int Charset, int DocumentCodePage) {
  if (Charset == RtfCharsetGb2312) return RtfCodePageChinese;
  if (Charset == RtfCharsetAnsi) return RtfCodePageWestern;
  return DocumentCodePage;
}

void AppendUtf8(std::string& Out, char32_t C) {
  if (C < 0x80) {
    Out += static_cast<char>(C);
  } else if (C < 0x800) {
    Out += static_cast<char>(0xC0 | (C >> 6));
    Out += static_cast<char>(0x80 | (C & 0x3F));
  } else if (C < 0x10000) {
    Out += static_cast<char>(0xE0 | (C >> 12));
    Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (C & 0x3F));
  } else {
    Out += static_cast<char>(0xF0 | (C >> 18));
    Out += static_cast<char>(0x80 | ((C >> 12) & 0x3F));
    Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (C & 0x3F));
  }
}

enum class Destination { Text, FontTable, ColorTable, Skip };

struct FontEntry {
  std::string Name;
  int Charset = RtfCharsetDefault;
};

// What a group keeps and its end gives back.
struct GroupState {
  Destination Dest = Destination::Text;
  int Font = -1;  // -1: the document's default font
  int HalfPoints = kDefaultHalfPoints;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool Strike = false;
  int ColorIndex = 0;
  int HighlightIndex = 0;
  int UnicodeSkip = 1;
  TRichParaFormat Para;
};

class Reader {
 public:
  explicit Reader(std::string_view Bytes) : Data(Bytes) {}

  TRichDocument Run() {
    while (Pos < Data.size()) {
      const unsigned char c = static_cast<unsigned char>(Data[Pos]);
      if (c == '{') {
        ++Pos;
        OpenGroup();
      } else if (c == '}') {
        ++Pos;
        CloseGroup();
      } else if (c == '\\') {
        ++Pos;
        ControlToken();
      } else {
        ++Pos;
        if (c == '\r' || c == '\n') continue;
        PlainByte(c);
      }
    }
    FlushBytes();
    if (!Current.Runs.empty()) EndParagraph();
    return std::move(Document);
  }

 private:
  // ---- groups
  void OpenGroup() {
    FlushBytes();
    PendingSkip = 0;
    if (Overflow > 0 || Stack.size() >= static_cast<std::size_t>(RtfMaxGroupDepth)) {
      ++Overflow;
      return;
    }
    Stack.push_back(State);
    FirstInGroup = true;
  }

  void CloseGroup() {
    FlushBytes();
    PendingSkip = 0;
    if (Overflow > 0) {
      --Overflow;
      return;
    }
    if (State.Dest == Destination::FontTable) EndFontEntry();
    if (Stack.empty()) return;  // a stray close: nothing to give back
    State = Stack.back();
    Stack.pop_back();
    FirstInGroup = false;
  }

  bool Skipping() const { return Overflow > 0 || State.Dest == Destination::Skip; }

  // ---- tokens
  void ControlToken() {
    if (Pos >= Data.size()) return;  // a backslash at the very end
    const unsigned char c = static_cast<unsigned char>(Data[Pos]);
    if (std::isalpha(c)) {
      ControlWord();
      return;
    }
    ++Pos;
    switch (c) {
      case '\'':
        HexByte();
        return;
      case '*':
        IgnorableNext = true;
        return;
      case '\\':
      case '{':
      case '}':
        Character(c);
        return;
      case '~':
        Character(0xA0);
        return;
      case '_':
        Character(0x2011);
        return;
      case '\r':
      case '\n':
        EndParagraphToken();
        return;
      case '\t':
        Character('\t');
        return;
      default:
        // \- and other symbols show nothing.
        return;
    }
  }

  void ControlWord() {
    std::string word;
    while (Pos < Data.size() && std::isalpha(static_cast<unsigned char>(Data[Pos]))) {
      if (word.size() < kMaxWordLength) word += Data[Pos];
      ++Pos;
    }
    bool hasParam = false;
    bool negative = false;
    long long value = 0;
    if (Pos < Data.size() && Data[Pos] == '-' && Pos + 1 < Data.size() &&
        std::isdigit(static_cast<unsigned char>(Data[Pos + 1]))) {
      negative = true;
      ++Pos;
    }
    while (Pos < Data.size() && std::isdigit(static_cast<unsigned char>(Data[Pos]))) {
      hasParam = true;
      // Clamped as it grows: an overlong number stays at the limit.
      value = std::min<long long>(value * 10 + (Data[Pos] - '0'), std::numeric_limits<int>::max());
      ++Pos;
    }
    if (Pos < Data.size() && Data[Pos] == ' ') ++Pos;
    const int param = static_cast<int>(negative ? -value : value);
    const bool ignorable = IgnorableNext;
    IgnorableNext = false;
    const bool first = FirstInGroup;
    FirstInGroup = false;

    if (word == "bin") {
      // Raw bytes follow; never beyond the data.
      FlushBytes();
      const std::size_t n = hasParam && param > 0 ? static_cast<std::size_t>(param) : 0;
      Pos += std::min(n, Data.size() - Pos);
      return;
    }
    if (Overflow > 0) return;
    if (PendingSkip > 0) {
      --PendingSkip;
      return;
    }
    Word(word, hasParam, param, ignorable, first);
  }

  void HexByte() {
    int v = 0;
    int digits = 0;
    while (digits < 2 && Pos < Data.size()) {
      const int d = HexValue(static_cast<unsigned char>(Data[Pos]));
      if (d < 0) break;
      v = v * 16 + d;
      ++Pos;
      ++digits;
    }
    // \' without its two digits (the data ended, or junk follows): dropped.
    if (digits < 2) return;
    if (PendingSkip > 0) {
      --PendingSkip;
      return;
    }
    if (Skipping()) return;
    if (State.Dest == Destination::FontTable) {
      FontName += static_cast<char>(v);
      return;
    }
    if (State.Dest != Destination::Text) return;
    Bytes += static_cast<char>(v);
  }

  static int HexValue(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  void PlainByte(unsigned char c) {
    if (PendingSkip > 0) {
      --PendingSkip;
      return;
    }
    if (Skipping()) return;
    if (State.Dest == Destination::FontTable) {
      if (c == ';')
        EndFontEntry();
      else
        FontName += static_cast<char>(c);
      return;
    }
    if (State.Dest == Destination::ColorTable) {
      if (c == ';') EndColorEntry();
      return;
    }
    if (c >= 0x80) {
      Bytes += static_cast<char>(c);
      return;
    }
    Character(c);
  }

  // ---- text
  void Character(char32_t c) {
    if (Skipping()) return;
    if (State.Dest == Destination::FontTable) {
      if (c < 0x80) FontName += static_cast<char>(c);
      return;
    }
    if (State.Dest != Destination::Text) return;
    FlushBytes();
    std::string text;
    AppendUtf8(text, c);
    AddText(text);
  }

  void Unicode(int Param) {
    std::uint32_t unit = static_cast<std::uint32_t>(Param < 0 ? Param + 65536 : Param) & 0xFFFFu;
    PendingSkip = std::max(0, State.UnicodeSkip);
    if (Skipping() || State.Dest != Destination::Text) return;
    FlushBytes();
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      HighSurrogate = unit;
      return;
    }
    char32_t c = unit;
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
      if (HighSurrogate == 0) return;  // a lone low half: dropped
      c = 0x10000 + ((HighSurrogate - 0xD800) << 10) + (unit - 0xDC00);
    }
    HighSurrogate = 0;
    if (c == 0) return;
    std::string text;
    AppendUtf8(text, c);
    AddText(text);
  }

  // Bytes of \'hh and 8-bit characters, decoded together so that a
  // double-byte character of code page 936 stays whole.
  void FlushBytes() {
    if (Bytes.empty()) return;
    const std::string text = AnsiToUtf8(Bytes, PageOf(CodePageOfCharset(FontCharset(), CodePage)));
    Bytes.clear();
    AddText(text);
  }

  int FontCharset() const {
    const int index = State.Font >= 0 ? State.Font : DefaultFont;
    auto it = Fonts.find(index);
    return it == Fonts.end() ? RtfCharsetDefault : it->second.Charset;
  }

  TRichCharFormat CharFormat() const {
    TRichCharFormat f;
    f.Charset = RtfCharsetDefault;
    const int index = State.Font >= 0 ? State.Font : DefaultFont;
    auto it = Fonts.find(index);
    if (it != Fonts.end()) {
      f.FontName = it->second.Name;
      f.Charset = it->second.Charset;
    }
    f.HalfPoints = State.HalfPoints;
    f.Bold = State.Bold;
    f.Italic = State.Italic;
    f.Underline = State.Underline;
    f.Strike = State.Strike;
    f.Color = ColorAt(State.ColorIndex);
    f.Highlight = ColorAt(State.HighlightIndex);
    return f;
  }

  TColor ColorAt(int Index) const {
    if (Index <= 0 || Index >= static_cast<int>(Colors.size())) return clNone;
    return Colors[static_cast<std::size_t>(Index)];
  }

  // Control characters other than tab and line break show nothing.
  void AddText(std::string Text) {
    std::erase_if(Text,
                  [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\v'; });
    if (Text.empty()) return;
    const TRichCharFormat f = CharFormat();
    if (!Current.Runs.empty() && Current.Runs.back().Format == f)
      Current.Runs.back().Text += Text;
    else
      Current.Runs.push_back({Text, f});
  }

  void EndParagraph() {
    FlushBytes();
    if (Current.Runs.empty()) Current.Runs.push_back({"", CharFormat()});
    Current.Format = State.Para;
    Document.Paragraphs.push_back(std::move(Current));
    Current = TRichParagraph{};
  }

  void EndParagraphToken() {
    if (Skipping() || State.Dest != Destination::Text) return;
    EndParagraph();
  }

  // ---- tables
  void EndFontEntry() {
    if (CurrentFont < 0) {
      FontName.clear();
      return;
    }
    FontEntry& e = Fonts[CurrentFont];
    e.Charset = FontTableCharset;
    // The name is 8-bit text in the font's own code page.
    std::string name = FontName;
    std::erase_if(name, [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    while (!name.empty() && name.back() == ' ') name.pop_back();
    while (!name.empty() && name.front() == ' ') name.erase(0, 1);
    e.Name = AnsiToUtf8(name, PageOf(CodePageOfCharset(FontTableCharset, CodePage)));
    FontName.clear();
    CurrentFont = -1;
    FontTableCharset = RtfCharsetDefault;
  }

  void EndColorEntry() {
    Colors.push_back(ColorSet ? RGB(Red, Green, Blue) : clNone);
    Red = Green = Blue = 0;
    ColorSet = false;
  }

  // ---- control words
  void Word(const std::string& W, bool HasParam, int Param, bool Ignorable, bool FirstInItsGroup) {
    const bool on = !HasParam || Param != 0;
    // Destinations.
    if (W == "fonttbl") {
      FlushBytes();
      State.Dest = Destination::FontTable;
      return;
    }
    if (W == "colortbl") {
      FlushBytes();
      State.Dest = Destination::ColorTable;
      Colors.clear();
      return;
    }
    if (W == "pict" || W == "stylesheet" || W == "info" || W == "header" || W == "footer" || W == "headerl" ||
        W == "headerr" || W == "footerl" || W == "footerr" || W == "object" || W == "fldinst" ||
        W == "footnote" || W == "listtable" || W == "listoverridetable" || W == "rsidtbl" ||
        W == "themedata" || W == "colorschememapping" || W == "latentstyles" || W == "datastore" ||
        W == "xmlnstbl" || W == "generator" || W == "pntext" || W == "pntxta" || W == "pntxtb" ||
        W == "filetbl" || W == "revtbl") {
      FlushBytes();
      State.Dest = Destination::Skip;
      return;
    }
    if (Ignorable && FirstInItsGroup && !Known(W)) {
      FlushBytes();
      State.Dest = Destination::Skip;
      return;
    }
    if (Skipping()) return;
    if (W == "u") {
      Unicode(Param);
      return;
    }

    if (State.Dest == Destination::FontTable) {
      if (W == "f") {
        EndFontEntryIfNamed();
        CurrentFont = Param;
      } else if (W == "fcharset") {
        FontTableCharset = Param;
      }
      return;
    }
    if (State.Dest == Destination::ColorTable) {
      if (W == "red") Red = std::clamp(Param, 0, 255), ColorSet = true;
      if (W == "green") Green = std::clamp(Param, 0, 255), ColorSet = true;
      if (W == "blue") Blue = std::clamp(Param, 0, 255), ColorSet = true;
      return;
    }

    // Formatting changes end the bytes written in the old font.
    FlushBytes();
    TRichParaFormat& p = State.Para;
    static const std::map<std::string, char32_t> symbols = {
        {"emdash", 0x2014}, {"endash", 0x2013},    {"bullet", 0x2022},   {"lquote", 0x2018},
        {"rquote", 0x2019}, {"ldblquote", 0x201C}, {"rdblquote", 0x201D}};
    static const std::map<std::string, TRichAlign> aligns = {{"ql", TRichAlign::Left},
                                                             {"qc", TRichAlign::Center},
                                                             {"qr", TRichAlign::Right},
                                                             {"qj", TRichAlign::Justify}};
    if (auto it = symbols.find(W); it != symbols.end()) {
      Character(it->second);
      return;
    }
    if (auto it = aligns.find(W); it != aligns.end()) {
      p.Align = it->second;
      return;
    }
    if (W == "ansicpg") {
      if (HasParam) CodePage = Param;
    } else if (W == "deff") {
      DefaultFont = Param;
    } else if (W == "uc") {
      State.UnicodeSkip = std::clamp(Param, 0, 16);
    } else if (W == "par") {
      EndParagraphToken();
    } else if (W == "line") {
      Character('\v');
    } else if (W == "tab") {
      Character('\t');
    } else if (W == "pard") {
      p = TRichParaFormat{};
    } else if (W == "li") {
      p.LeftIndent = Param;
    } else if (W == "ri") {
      p.RightIndent = Param;
    } else if (W == "fi") {
      p.FirstIndent = Param;
    } else if (W == "sb") {
      p.SpaceBefore = Param;
    } else if (W == "sa") {
      p.SpaceAfter = Param;
    } else if (W == "sl") {
      p.LineSpacing = Param;
    } else if (W == "slmult") {
      p.LineMultiple = HasParam && Param != 0;
    } else if (W == "tx") {
      // Tab stops stay few and ascending whatever the input says.
      if (p.Tabs.size() < 64) {
        p.Tabs.push_back(Param);
        std::sort(p.Tabs.begin(), p.Tabs.end());
      }
    } else if (W == "plain") {
      State.Font = -1;
      State.HalfPoints = kDefaultHalfPoints;
      State.Bold = State.Italic = State.Underline = State.Strike = false;
      State.ColorIndex = State.HighlightIndex = 0;
    } else if (W == "b") {
      State.Bold = on;
    } else if (W == "i") {
      State.Italic = on;
    } else if (W == "ul") {
      State.Underline = on;
    } else if (W == "ulnone") {
      State.Underline = false;
    } else if (W == "strike") {
      State.Strike = on;
    } else if (W == "fs") {
      State.HalfPoints = HasParam ? std::clamp(Param, 1, 3276) : kDefaultHalfPoints;
    } else if (W == "f") {
      State.Font = Param;
    } else if (W == "cf") {
      State.ColorIndex = Param;
    } else if (W == "highlight") {
      State.HighlightIndex = Param;
    }
  }

  static bool Known(const std::string& W) {
    static const char* const words[] = {"ansicpg", "deff",  "uc", "par",       "line", "tab",
                                        "pard",    "plain", "b",  "i",         "ul",   "strike",
                                        "fs",      "f",     "cf", "highlight", "u"};
    return std::any_of(std::begin(words), std::end(words), [&](const char* k) { return W == k; });
  }

  void EndFontEntryIfNamed() {
    if (CurrentFont >= 0 && !FontName.empty()) EndFontEntry();
  }

  std::string_view Data;
  std::size_t Pos = 0;
  std::vector<GroupState> Stack;
  GroupState State;
  // Groups opened beyond the depth limit, read as skipped.
  int Overflow = 0;
  bool IgnorableNext = false;
  bool FirstInGroup = false;
  // Characters still to skip after a \u.
  int PendingSkip = 0;
  std::uint32_t HighSurrogate = 0;
  std::string Bytes;

  int CodePage = RtfCodePageWestern;
  int DefaultFont = 0;
  std::map<int, FontEntry> Fonts;
  int CurrentFont = -1;
  int FontTableCharset = RtfCharsetDefault;
  std::string FontName;
  std::vector<TColor> Colors;
  int Red = 0;
  int Green = 0;
  int Blue = 0;
  bool ColorSet = false;

  TRichDocument Document;
  TRichParagraph Current;
};

// ---------------------------------------------------------------- writer

class Writer {
 public:
  Writer(const TRichDocument& Doc, int CodePage) : Doc(Doc), CodePage(CodePage) {}

  std::string Run() {
    for (const TRichParagraph& p : Doc.Paragraphs)
      for (const TRichRun& r : p.Runs) {
        FontIndex(r.Format);
        ColorIndex(r.Format.Color);
        ColorIndex(r.Format.Highlight);
      }
    if (FontList.empty()) FontList.push_back({TRichCharFormat{}.FontName, RtfCharsetAnsi});
    std::string out = "{\\rtf1\\ansi\\ansicpg" + std::to_string(CodePage) + "\\deff0";
    out += "{\\fonttbl";
    for (std::size_t i = 0; i < FontList.size(); ++i) {
      out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset" + std::to_string(FontList[i].Charset) + " ";
      out += EncodeName(FontList[i]);
      out += ";}";
    }
    out += "}\r\n";
    if (!ColorList.empty()) {
      out += "{\\colortbl ;";
      for (TColor c : ColorList) {
        const TColor rgb = ColorToRGB(c);
        out += "\\red" + std::to_string(GetRValue(rgb)) + "\\green" + std::to_string(GetGValue(rgb)) +
               "\\blue" + std::to_string(GetBValue(rgb)) + ";";
      }
      out += "}\r\n";
    }
    for (const TRichParagraph& p : Doc.Paragraphs) {
      out += "\\pard" + ParaWords(p.Format);
      for (const TRichRun& r : p.Runs) {
        out += RunWords(r.Format);
        out += ' ';
        out += EncodeText(r.Text, CodePageOfCharset(r.Format.Charset, CodePage));
      }
      out += "\\par\r\n";
    }
    out += "}\r\n";
    return out;
  }

 private:
  int FontIndex(const TRichCharFormat& F) {
    for (std::size_t i = 0; i < FontList.size(); ++i)
      if (FontList[i].Name == F.FontName && FontList[i].Charset == F.Charset) return static_cast<int>(i);
    FontList.push_back({F.FontName, F.Charset});
    return static_cast<int>(FontList.size() - 1);
  }

  // 0 for clNone (the automatic colour, the table's empty first entry).
  int ColorIndex(TColor C) {
    if (C == clNone) return 0;
    auto it = std::find(ColorList.begin(), ColorList.end(), C);
    if (it != ColorList.end()) return static_cast<int>(it - ColorList.begin()) + 1;
    ColorList.push_back(C);
    return static_cast<int>(ColorList.size());
  }

  static std::string ParaWords(const TRichParaFormat& P) {
    static const char* const aligns[] = {"\\ql", "\\qc", "\\qr", "\\qj"};
    std::string out = aligns[static_cast<int>(P.Align)];
    auto add = [&](const char* word, int value) {
      if (value != 0) out += std::string(word) + std::to_string(value);
    };
    add("\\li", P.LeftIndent);
    add("\\ri", P.RightIndent);
    add("\\fi", P.FirstIndent);
    add("\\sb", P.SpaceBefore);
    add("\\sa", P.SpaceAfter);
    if (P.LineSpacing != 0)
      out += "\\sl" + std::to_string(P.LineSpacing) + "\\slmult" + (P.LineMultiple ? "1" : "0");
    for (int t : P.Tabs) out += "\\tx" + std::to_string(t);
    return out;
  }

  std::string RunWords(const TRichCharFormat& F) {
    std::string out = "\\plain\\f" + std::to_string(FontIndex(F)) + "\\fs" + std::to_string(F.HalfPoints);
    if (F.Bold) out += "\\b";
    if (F.Italic) out += "\\i";
    if (F.Underline) out += "\\ul";
    if (F.Strike) out += "\\strike";
    if (const int c = ColorIndex(F.Color)) out += "\\cf" + std::to_string(c);
    if (const int h = ColorIndex(F.Highlight)) out += "\\highlight" + std::to_string(h);
    return out;
  }

  std::string EncodeName(const FontEntry& F) const {
    std::string out;
    for (char c : F.Name)
      if (c != ';' && c != '{' && c != '}' && c != '\\' && static_cast<unsigned char>(c) >= 0x20) out += c;
    // A name stays 8-bit text: what its code page lacks becomes '?'.
    return EncodeText(out, CodePageOfCharset(F.Charset, CodePage), false);
  }

  static std::string EncodeText(const std::string& Text, int Page, bool Unicode = true) {
    std::string out;
    std::size_t i = 0;
    while (i < Text.size()) {
      const unsigned char c = static_cast<unsigned char>(Text[i]);
      std::size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
      len = std::min(len, Text.size() - i);
      const std::string ch = Text.substr(i, len);
      i += len;
      if (c < 0x80) {
        if (c == '\\' || c == '{' || c == '}') {
          out += '\\';
          out += static_cast<char>(c);
        } else if (c == '\t') {
          out += "\\tab ";
        } else if (c == '\v') {
          out += "\\line ";
        } else if (c >= 0x20) {
          out += static_cast<char>(c);
        }
        continue;
      }
      const std::string bytes = Utf8ToAnsi(ch, PageOf(Page));
      if (AnsiToUtf8(bytes, PageOf(Page)) == ch) {
        for (unsigned char b : bytes) {
          char hex[5];
          std::snprintf(hex, sizeof hex, "\\'%02x", b);
          out += hex;
        }
        continue;
      }
      if (!Unicode) {
        out += '?';
        continue;
      }
      for (int unit : Utf16(ch)) {
        out += "\\u" + std::to_string(unit > 32767 ? unit - 65536 : unit) + "?";
      }
    }
    return out;
  }

  static std::vector<int> Utf16(const std::string& Ch) {
    const unsigned char* s = reinterpret_cast<const unsigned char*>(Ch.data());
    char32_t cp = 0;
    if (Ch.size() == 2)
      cp = ((s[0] & 0x1Fu) << 6) | (s[1] & 0x3Fu);
    else if (Ch.size() == 3)
      cp = ((s[0] & 0x0Fu) << 12) | ((s[1] & 0x3Fu) << 6) | (s[2] & 0x3Fu);
    else if (Ch.size() == 4)
      cp = ((s[0] & 0x07u) << 18) | ((s[1] & 0x3Fu) << 12) | ((s[2] & 0x3Fu) << 6) | (s[3] & 0x3Fu);
    else
      return {'?'};
    if (cp < 0x10000) return {static_cast<int>(cp)};
    cp -= 0x10000;
    return {static_cast<int>(0xD800 + (cp >> 10)), static_cast<int>(0xDC00 + (cp & 0x3FF))};
  }

  const TRichDocument& Doc;
  int CodePage;
  std::vector<FontEntry> FontList;
  std::vector<TColor> ColorList;
};

}  // namespace

TRichDocument ReadRtf(std::string_view Bytes) {
  return Reader(Bytes).Run();
}

std::string WriteRtf(const TRichDocument& Document, int CodePage) {
  if (CodePage == 0) {
    CodePage = RtfCodePageWestern;
    for (const TRichParagraph& p : Document.Paragraphs)
      for (const TRichRun& r : p.Runs)
        if (r.Format.Charset == RtfCharsetGb2312) CodePage = RtfCodePageChinese;
  }
  return Writer(Document, CodePage).Run();
}
