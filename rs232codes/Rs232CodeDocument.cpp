#include "rs232codes/Rs232CodeDocument.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <map>
#include <memory>

#include "controls/RtfReader.h"
#include "platform/classlib/Graphics.h"
#include "platform/classlib/PicturePng.h"
#include "platform/classlib/RichDocument.h"

namespace {

using L = TRs232List;
using F = TRs232Field;
using TS = TRs232TextSet;

// ---------------------------------------------------------------- texts

struct Words {
  const char* English;
  const char* Chinese;
  const char* Of(TS Set) const { return Set == TS::English ? English : Chinese; }
};

constexpr Words kTitle = {"RS-232 Control Code Table", "RS-232 控制代码表"};
constexpr Words kIntro[] = {
    {"An external controller drives the processor with 9-byte codes on its RS-232 port.",
     "外部控制器经 RS-232 端口以 9 字节代码控制本机。"},
    {"Port: 115200 baud, 8 data bits, no parity, 1 stop bit.",
     "端口设置：115200 波特，8 位数据位，无校验位，1 位停止位。"},
    {"Each code is 7B 7D, the device ID, the command, three values and 7D 7B, all hexadecimal.",
     "每条代码依次为 7B 7D、机器 ID、命令、三个数值与 7D 7B，均为十六进制。"},
    {"The ID is 01 to FA (1 to 250); a value a command does not use is 00.",
     "ID 为 01 至 FA（1 至 250）；命令不使用的数值为 00。"},
};
constexpr Words kCodeWord = {"Code", "代码"};
constexpr Words kWhen = {"when V1 = ", "V1 = "};
constexpr Words kWhenTail = {"", " 时"};
constexpr Words kMatrixBits = {"bit 0 … bit 7 = Input1 … Input8, set: on",
                               "位 0 … 位 7 = 输入通道1 … 输入通道8，置 1 为开"};
constexpr Words kFixed = {"fixed", "固定"};

// The boxes of the frame picture: a name above, what the byte holds below.
constexpr Words kFrameNames[9] = {{"Head", "帧头"},     {"Head", "帧头"},     {"ID", "ID"},
                                  {"Command", "命令"},  {"Value 1", "数值1"}, {"Value 2", "数值2"},
                                  {"Value 3", "数值3"}, {"Tail", "帧尾"},     {"Tail", "帧尾"}};
constexpr const char* kFrameBytes[9] = {"7B", "7D", "ID", "CMD", "V1", "V2", "V3", "7D", "7B"};
constexpr const char* kFrameRanges[9] = {"", "", "01…FA", "40…69", "00…FF", "00…FF", "00…FF", "", ""};

// ---------------------------------------------------------------- styles

enum class Style { Title, Heading, Body, Gap };

constexpr int kBodyTab = 720;  // twips

struct StyleFacts {
  int Height;  // px, exact
  int HalfPoints;
  bool Bold;
  TColor Color;
};

StyleFacts FactsOf(Style S, TS Set) {
  const bool zh = Set == TS::Chinese;
  switch (S) {
    case Style::Title:
      return {40, 32, true, RGB(0x1E, 0x22, 0x28)};
    case Style::Heading:
      return {zh ? 36 : 34, 22, true, RGB(0x1F, 0x5F, 0x9F)};
    case Style::Body:
      return {zh ? 22 : 21, 20, false, RGB(0x2A, 0x30, 0x38)};
    case Style::Gap:
      break;
  }
  return {0, 18, false, clNone};
}

// One paragraph of the document: a line of text, or the gap a picture fills.
struct Block {
  Style Kind;
  std::string Text;
  int Height;
  int Picture = -1;  // the picture in a gap: 0 the frame, else 1 + its type's strip
  int Type = -1;     // the command type a strip shows
};

// Pictures' heights (the bytes); their controls are 8 taller.
constexpr int kFramePictureHeight = 84;
constexpr int kStripPictureHeight = 46;
constexpr int kPicturePad = 6;

std::string Hex2(unsigned Value) {
  char text[4];
  std::snprintf(text, sizeof text, "%02X", Value & 0xFFu);
  return text;
}

// "00 Input   01 Output", or "00 Input1 … 07 Input8" for a long list.
std::string EntriesText(L List, TS Set, bool FourDigits = false) {
  const std::vector<std::string>& e = Rs232ListEntries(List, Set);
  const int offset = Rs232ListInfo(List).Offset;
  auto code = [&](int i) {
    const unsigned v = static_cast<unsigned>(i + offset);
    return FourDigits ? Hex2(v >> 8) + Hex2(v) : Hex2(v);
  };
  auto item = [&](int i) { return code(i) + " " + e[static_cast<std::size_t>(i)]; };
  const int n = static_cast<int>(e.size());
  if (n == 0) return "";
  if (n <= 4) {
    std::string out;
    for (int i = 0; i < n; ++i) out += (i ? "   " : "") + item(i);
    return out;
  }
  if (List == L::cb2Volume) return item(0) + " … " + item(80) + " … " + item(n - 1);
  return item(0) + " … " + item(n - 1);
}

// Short for a picture's caption: "Input/Output", "Input1…Input8".
std::string EntriesCaption(L List, TS Set) {
  const std::vector<std::string>& e = Rs232ListEntries(List, Set);
  if (e.empty()) return "";
  if (e.size() == 1) return e[0];
  if (e.size() <= 3) {
    std::string out;
    for (std::size_t i = 0; i < e.size(); ++i) out += (i ? "/" : "") + e[i];
    return out;
  }
  auto trim = [](std::string s) {
    while (!s.empty() && s.front() == ' ') s.erase(0, 1);
    return s;
  };
  const std::string first = trim(e.front());
  const std::string last = trim(e.back());
  // A numbered list says its name once: "Input1…8".
  std::size_t common = 0;
  while (common < first.size() && common < last.size() && first[common] == last[common] &&
         !std::isdigit(static_cast<unsigned char>(first[common])))
    ++common;
  if (common > 0 && common < first.size() && std::isdigit(static_cast<unsigned char>(first[common])))
    return first + "…" + last.substr(common);
  return first + "…" + last;
}

const char* FieldName(F Field) {
  switch (Field) {
    case F::V1:
      return "V1";
    case F::V2:
      return "V2";
    case F::V3:
      return "V3";
    case F::Volume:
      return "V2 V3";
    default:
      return "";
  }
}

// A list in front of a row shows a value the user picks.
bool Chooses(L List) {
  if (List == L::gbMatrix) return false;
  const TRs232ListInfo& info = Rs232ListInfo(List);
  return info.Field != F::None && !info.Grey;
}

// A list in front shows a value fixed by the type (grey, one entry).
bool Fixed(L List) {
  if (List == L::gbMatrix) return false;
  const TRs232ListInfo& info = Rs232ListInfo(List);
  return info.Grey && info.Field != F::None && !Rs232ListEntries(List, TS::English).empty();
}

bool HasStrip(int Type) {
  const TRs232CommandType& t = Rs232CommandTable()[static_cast<std::size_t>(Type)];
  return t.IsMatrix() || std::any_of(t.Rows.begin(), t.Rows.end(), Chooses);
}

// The lines of one command type below its heading.
std::vector<std::string> TypeLines(int Type, TS Set) {
  std::vector<std::string> lines;
  Rs232ControlCode code;
  code.TypeChange(Type);
  const TRs232CommandType& t = Rs232CommandTable()[static_cast<std::size_t>(Type)];
  if (!HasStrip(Type)) {
    std::string spaced;
    const std::string& text = code.GetCodeText();
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) spaced += (i ? " " : "") + text.substr(i, 2);
    lines.push_back(std::string(kCodeWord.Of(Set)) + "\t" + spaced);
  }
  for (int row = 1; row <= 3; ++row) {
    const L list = code.GetFront(row);
    if (list == L::gbMatrix) continue;
    const TRs232ListInfo& info = Rs232ListInfo(list);
    if (Chooses(list)) {
      lines.push_back(std::string(FieldName(info.Field)) + "\t" +
                      EntriesText(list, Set, info.Field == F::Volume));
    } else if (Fixed(list)) {
      lines.push_back(std::string(FieldName(info.Field)) + "\t" + EntriesText(list, Set) + "  (" +
                      kFixed.Of(Set) + ")");
    }
  }
  // Row 1 choices that bring another list to the front of row 2.
  const L first = code.GetFront(1);
  if (Chooses(first) && !t.IsMatrix()) {
    const L second = code.GetFront(2);
    const int n = static_cast<int>(Rs232ListEntries(first, TS::English).size());
    for (int i = 1; i < n; ++i) {
      Rs232ControlCode probe;
      probe.TypeChange(Type);
      probe.ValueChange(first, i);
      const L other = probe.GetFront(2);
      if (other == second || !Chooses(other)) continue;
      const TRs232ListInfo& info = Rs232ListInfo(other);
      lines.push_back(std::string(FieldName(info.Field)) + "\t" + kWhen.Of(Set) +
                      Hex2(static_cast<unsigned>(i)) + kWhenTail.Of(Set) + ": " + EntriesText(other, Set));
    }
  }
  if (t.IsMatrix()) lines.push_back(std::string("V3\t") + kMatrixBits.Of(Set));
  return lines;
}

std::string Heading(int Type, TS Set) {
  const TRs232CommandType& t = Rs232CommandTable()[static_cast<std::size_t>(Type)];
  std::string name = t.Name(Set);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return Hex2(t.Cmd) + "   " + name;
}

std::vector<Block> MakeBlocks(TS Set) {
  std::vector<Block> blocks;
  auto text = [&](Style s, std::string t) { blocks.push_back({s, std::move(t), FactsOf(s, Set).Height}); };
  auto gap = [&](int picture, int type, int height) {
    blocks.push_back({Style::Gap, "", height + 2 * kPicturePad, picture, type});
  };
  text(Style::Title, kTitle.Of(Set));
  for (const Words& w : kIntro) text(Style::Body, w.Of(Set));
  gap(0, -1, kFramePictureHeight);
  int picture = 1;
  for (int type = 0; type < Rs232CommandTypeCount; ++type) {
    text(Style::Heading, Heading(type, Set));
    if (HasStrip(type)) gap(picture++, type, kStripPictureHeight);
    for (std::string& line : TypeLines(type, Set)) text(Style::Body, std::move(line));
  }
  return blocks;
}

// The places, with the label's one-pixel margin above the first line.
struct Layout {
  std::vector<TRs232PicturePlace> Places;
  int Bottom = 0;
};

Layout MakeLayout(TS Set) {
  Layout layout;
  int y = 1;
  for (const Block& b : MakeBlocks(Set)) {
    if (b.Kind == Style::Gap) layout.Places.push_back({y, b.Height});
    y += b.Height;
  }
  layout.Bottom = y;
  return layout;
}

const Layout& LayoutOf(TS Set) {
  static const Layout english = MakeLayout(TS::English);
  static const Layout chinese = MakeLayout(TS::Chinese);
  return Set == TS::English ? english : chinese;
}

// ---------------------------------------------------------------- pictures

constexpr TColor kFace = RGB(0x1E, 0x22, 0x28);
constexpr TColor kFaceEdge = RGB(0x3A, 0x42, 0x4C);
constexpr TColor kFixedBox = RGB(0x46, 0x4C, 0x56);
constexpr TColor kIdBox = RGB(0x54, 0x88, 0xD0);
constexpr TColor kCmdBox = RGB(0xE6, 0x94, 0x3A);
constexpr TColor kValueBox = RGB(0x3C, 0xB2, 0xA8);
constexpr TColor kTypeBox = RGB(0x9E, 0x7A, 0xDE);
constexpr TColor kUnusedBox = RGB(0x2E, 0x33, 0x3B);
constexpr TColor kBoxText = RGB(0xFF, 0xFF, 0xFF);
constexpr TColor kDimText = RGB(0x96, 0x9E, 0xAA);
constexpr TColor kLightText = RGB(0xDE, 0xE2, 0xE8);

constexpr int kBoxWidth = 60;
constexpr int kBoxGap = 4;
constexpr int kBoxLeft = (Rs232CodePictureWidth - 9 * kBoxWidth - 8 * kBoxGap) / 2;

const char* FontFamily(TS Set) {
  return Set == TS::English ? "Tahoma" : "Microsoft YaHei";
}

void Text(TCanvas* C, TS Set, const std::string& S, const TRect& R, int Pixels, TColor Color, bool Bold,
          unsigned Extra = 0) {
  C->Font->SetName(FontFamily(Set));
  C->Font->SetHeight(-Pixels);
  C->Font->SetColor(Color);
  C->Font->SetStyle(Bold ? TFontStyles{fsBold} : TFontStyles{});
  C->Brush->SetStyle(bsClear);
  TRect r = R;
  C->DrawText(S, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | Extra);
}

TRect BoxRect(int Index, int Top, int Height, int Span = 1) {
  const int left = kBoxLeft + Index * (kBoxWidth + kBoxGap);
  return Rect(left, Top, left + Span * kBoxWidth + (Span - 1) * kBoxGap, Top + Height);
}

void Box(TCanvas* C, const TRect& R, TColor Fill) {
  C->Pen->SetColor(Fill);
  C->Brush->SetStyle(bsSolid);
  C->Brush->SetColor(Fill);
  C->RoundRect(R.Left, R.Top, R.Right, R.Bottom, 7, 7);
}

std::unique_ptr<TBitmap> Panel(int Height) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf32bit);
  bitmap->SetSize(Rs232CodePictureWidth, Height);
  TCanvas* c = bitmap->GetCanvas();
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(clNone);
  c->FillRect(Rect(0, 0, Rs232CodePictureWidth, Height));
  c->Pen->SetColor(kFaceEdge);
  c->Brush->SetColor(kFace);
  c->RoundRect(0, 0, Rs232CodePictureWidth, Height, 12, 12);
  return bitmap;
}

void DrawFrame(TCanvas* C, TS Set) {
  constexpr TColor fills[9] = {kFixedBox, kFixedBox, kIdBox,    kCmdBox,  kValueBox,
                               kValueBox, kValueBox, kFixedBox, kFixedBox};
  for (int i = 0; i < 9; ++i) {
    Text(C, Set, kFrameNames[i].Of(Set), BoxRect(i, 8, 16), 11, kDimText, false);
    const TRect box = BoxRect(i, 28, 30);
    Box(C, box, fills[i]);
    Text(C, Set, kFrameBytes[i], box, 14, kBoxText, true);
    Text(C, Set, kFrameRanges[i], BoxRect(i, 62, 16), 11, kLightText, false);
  }
}

void DrawStrip(TCanvas* C, TS Set, int Type) {
  Rs232ControlCode code;
  code.TypeChange(Type);
  const std::string& text = code.GetCodeText();
  const TRs232CommandType& t = Rs232CommandTable()[static_cast<std::size_t>(Type)];
  std::array<TColor, 9> fill = {kFixedBox,  kFixedBox,  kIdBox,    kCmdBox,  kUnusedBox,
                                kUnusedBox, kUnusedBox, kFixedBox, kFixedBox};
  std::array<std::string, 9> caption = {"", "", "ID", "CMD", "", "", "", "", ""};
  bool volume = false;
  for (int row = 1; row <= 3; ++row) {
    const L list = code.GetFront(row);
    if (list == L::gbMatrix) continue;
    const TRs232ListInfo& info = Rs232ListInfo(list);
    const int box = info.Field == F::V1 ? 4 : info.Field == F::V2 || info.Field == F::Volume ? 5 : 6;
    if (Chooses(list)) {
      fill[static_cast<std::size_t>(box)] = kValueBox;
      caption[static_cast<std::size_t>(box)] = EntriesCaption(list, Set);
      if (info.Field == F::Volume) {
        volume = true;
        fill[6] = kValueBox;
      }
    } else if (Fixed(list)) {
      fill[static_cast<std::size_t>(box)] = kTypeBox;
      caption[static_cast<std::size_t>(box)] = EntriesCaption(list, Set);
    }
  }
  if (t.IsMatrix()) {
    fill[6] = kValueBox;
    caption[6] = Set == TS::English ? "Inputs" : "输入";
  }
  for (int i = 0; i < 9; ++i) {
    const std::string byte = text.substr(static_cast<std::size_t>(2 * i), 2);
    const bool variable = fill[static_cast<std::size_t>(i)] == kValueBox;
    const TRect box = BoxRect(i, 5, 22);
    Box(C, box, fill[static_cast<std::size_t>(i)]);
    const std::string shown = i == 2 ? "ID" : variable ? (i == 4 ? "V1" : i == 5 ? "V2" : "V3") : byte;
    Text(C, Set, shown, box, 13, fill[static_cast<std::size_t>(i)] == kUnusedBox ? kDimText : kBoxText, true);
  }
  // A caption may take half of a neighbour that has none; what still does
  // not fit ends in an ellipsis.
  auto empty = [&](int i) { return i < 0 || i > 8 || caption[static_cast<std::size_t>(i)].empty(); };
  constexpr int half = (kBoxWidth + kBoxGap) / 2;
  for (int i = 2; i < 7; ++i) {
    const std::string& s = caption[static_cast<std::size_t>(i)];
    if (s.empty()) continue;
    // The volume's caption runs under both of its bytes.
    const int span = volume && i == 5 ? 2 : 1;
    const TRect r = BoxRect(i, 29, 14, span);
    const int left = r.Left - (empty(i - 1) ? half : kBoxGap / 2);
    const int right = r.Right + (empty(i + span) ? half : kBoxGap / 2);
    Text(C, Set, s, Rect(left, r.Top, right, r.Bottom), 10, kLightText, false, DT_END_ELLIPSIS);
    i += span - 1;
  }
}

std::vector<std::uint8_t> Png(const TBitmap& Bitmap) {
  TPngImage png;
  png.SetImage(Bitmap.GetImage());
  png.SetCompressionLevel(9);
  return png.SaveToBytes();
}

// ---------------------------------------------------------------- text

TRichCharFormat CharFormatOf(Style S, TS Set) {
  const StyleFacts facts = FactsOf(S, Set);
  TRichCharFormat f;
  if (Set == TS::English) {
    f.FontName = "Tahoma";
    f.Charset = RtfCharsetAnsi;
  } else {
    f.FontName = "宋体";
    f.Charset = RtfCharsetGb2312;
  }
  f.HalfPoints = facts.HalfPoints;
  f.Bold = facts.Bold;
  f.Color = facts.Color;
  return f;
}

}  // namespace

const std::vector<TRs232PicturePlace>& Rs232CodePicturePlaces(TRs232TextSet TextSet) {
  return LayoutOf(TextSet).Places;
}

int Rs232CodeDocumentBottom(TRs232TextSet TextSet) {
  return LayoutOf(TextSet).Bottom;
}

std::string Rs232CodeRichText(TRs232TextSet TextSet) {
  TRichDocument doc;
  for (const Block& b : MakeBlocks(TextSet)) {
    TRichParagraph p;
    p.Format.LineSpacing = -b.Height * 15;
    p.Format.Align = b.Kind == Style::Title ? TRichAlign::Center : TRichAlign::Left;
    if (b.Kind == Style::Body) {
      p.Format.LeftIndent = 240;
      p.Format.Tabs = {240 + kBodyTab};
    }
    p.Runs.push_back({b.Text, CharFormatOf(b.Kind, TextSet)});
    doc.Paragraphs.push_back(std::move(p));
  }
  return WriteRtf(doc, TextSet == TRs232TextSet::English ? RtfCodePageWestern : RtfCodePageChinese);
}

std::vector<std::uint8_t> Rs232CodePicture(TRs232TextSet TextSet, int Index) {
  if (Index < 0 || Index >= Rs232CodePictureCount) return {};
  for (const Block& b : MakeBlocks(TextSet)) {
    if (b.Picture != Index) continue;
    auto bitmap = Panel(b.Height - 2 * kPicturePad);
    if (Index == 0)
      DrawFrame(bitmap->GetCanvas(), TextSet);
    else
      DrawStrip(bitmap->GetCanvas(), TextSet, b.Type);
    return Png(*bitmap);
  }
  return {};
}
