// Our RTF reader and writer: what the reader makes of the words it knows,
// the code pages and Unicode escapes, the destinations it skips, malformed
// input it survives without reading past it, write-read-write giving the
// same bytes, and a bounded fuzz run over random and truncated input.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "controls/RtfReader.h"

namespace {

std::string Text(const TRichDocument& doc) {
  std::string out;
  for (std::size_t i = 0; i < doc.Paragraphs.size(); ++i)
    out += (i ? "|" : "") + doc.Paragraphs[i].PlainText();
  return out;
}

// Written, read back and written again: the second writing is the one a
// round trip keeps.
std::string Normalised(std::string_view rtf) {
  return WriteRtf(ReadRtf(WriteRtf(ReadRtf(rtf))));
}

}  // namespace

TEST(RtfReader, FormatsFontsAndColours) {
  const std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fnil\\fcharset134 "
      "\\'cb\\'ce\\'cc\\'e5;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
      "\\pard\\qc\\li100\\ri50\\fi-20\\sb40\\sa60\\sl-300\\slmult0\\tx500\\tx200 \\b Bold\\b0  \\cf1\\i "
      "red\\i0\\cf0 "
      "\\ul u\\ulnone\\strike s\\strike0\\highlight2 h\\par\r\n"
      "\\pard\\qj\\sl360\\slmult1\\plain\\f1\\fs28 \\'d6\\'d0\\'ce\\'c4\\tab x\\line y\\par}";
  const TRichDocument doc = ReadRtf(rtf);
  ASSERT_EQ(doc.Paragraphs.size(), 2u);
  const TRichParagraph& p0 = doc.Paragraphs[0];
  EXPECT_EQ(p0.Format.Align, TRichAlign::Center);
  EXPECT_EQ(p0.Format.LeftIndent, 100);
  EXPECT_EQ(p0.Format.RightIndent, 50);
  EXPECT_EQ(p0.Format.FirstIndent, -20);
  EXPECT_EQ(p0.Format.SpaceBefore, 40);
  EXPECT_EQ(p0.Format.SpaceAfter, 60);
  EXPECT_EQ(p0.Format.LineSpacing, -300);
  EXPECT_FALSE(p0.Format.LineMultiple);
  EXPECT_EQ(p0.Format.Tabs, (std::vector<int>{200, 500}));
  ASSERT_EQ(p0.Runs.size(), 6u);
  EXPECT_EQ(p0.Runs[0].Text, "Bold");
  EXPECT_TRUE(p0.Runs[0].Format.Bold);
  EXPECT_EQ(p0.Runs[0].Format.FontName, "Arial");
  EXPECT_EQ(p0.Runs[0].Format.HalfPoints, 24);
  EXPECT_EQ(p0.Runs[1].Text, " ");
  EXPECT_EQ(p0.Runs[2].Text, "red");
  EXPECT_EQ(p0.Runs[2].Format.Color, RGB(255, 0, 0));
  EXPECT_TRUE(p0.Runs[2].Format.Italic);
  EXPECT_EQ(p0.Runs[3].Text, "u");
  EXPECT_TRUE(p0.Runs[3].Format.Underline);
  EXPECT_EQ(p0.Runs[3].Format.Color, clNone);
  EXPECT_TRUE(p0.Runs[4].Format.Strike);
  EXPECT_EQ(p0.Runs[5].Format.Highlight, RGB(0, 0, 255));

  const TRichParagraph& p1 = doc.Paragraphs[1];
  EXPECT_EQ(p1.Format.Align, TRichAlign::Justify);
  EXPECT_EQ(p1.Format.LineSpacing, 360);
  EXPECT_TRUE(p1.Format.LineMultiple);
  ASSERT_EQ(p1.Runs.size(), 1u);
  // The bytes go through code page 936, the font's character set.
  EXPECT_EQ(p1.Runs[0].Text, "中文\tx\vy");
  EXPECT_EQ(p1.Runs[0].Format.FontName, "宋体");
  EXPECT_EQ(p1.Runs[0].Format.Charset, 134);
  EXPECT_EQ(p1.Runs[0].Format.HalfPoints, 28);
  EXPECT_FALSE(p1.Runs[0].Format.Bold);
}

TEST(RtfReader, CharactersCodePagesAndDestinations) {
  struct Case {
    const char* rtf;
    const char* text;
  };
  const Case kCases[] = {
      {"{\\rtf1 plain\\par}", "plain"},
      {"{\\rtf1 \\'e9t\\'e9 \\'85\\par}", "été …"},
      {"{\\rtf1\\ansicpg936 \\'d6\\'d0\\par}", "中"},
      {"{\\rtf1\\ansicpg936 \\'d6\\'d0\\'ce\\par}", "中\xEF\xBF\xBD"},  // a lead byte alone
      {"{\\rtf1\\uc1\\u20013?\\u25991?\\par}", "中文"},
      {"{\\rtf1\\uc2\\u20013\\'3f\\'3fz\\par}", "中z"},
      {"{\\rtf1\\uc0\\u-10179\\u-8704 !\\par}", "\xF0\x9F\x98\x80!"},
      {"{\\rtf1 \\u-8704?x\\par}", "x"},  // a lone low surrogate
      {"{\\rtf1 a\\{b\\}c\\\\d\\~e\\par}",
       "a{b}c\\d\xC2\xA0"
       "e"},
      {"{\\rtf1 {\\*\\unknown hidden {deeper}}shown\\par}", "shown"},
      {"{\\rtf1 {\\*\\fldinst x}{\\fldrslt y}\\par}", "y"},
      {"{\\rtf1 {\\pict\\pngblip 89504e47}after\\par}", "after"},
      {"{\\rtf1 {\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}body\\par}", "body"},
      {"{\\rtf1 a\\bin3 {}\\b\\par}", "ab"},
      {"{\\rtf1 one\\par two\\par}", "one|two"},
      {"{\\rtf1 tail without par}", "tail without par"},
      {"{\\rtf1 x\\emdash y\\lquote z\\rquote\\par}", "x—y‘z’"},
  };
  for (const Case& c : kCases) EXPECT_EQ(Text(ReadRtf(c.rtf)), c.text) << c.rtf;
}

TEST(RtfReader, MalformedInputEndsQuietly) {
  const std::string deep(100000, '{');
  const std::string kCases[] = {
      "",
      "{",
      "}}}}",
      "{\\rtf1 unbalanced {\\b open",
      "{\\rtf1 a\\bin999999 rest",
      "{\\rtf1 a\\bin-5 b\\par}",
      "{\\rtf1 ends with\\'",
      "{\\rtf1 ends with\\'4",
      "{\\rtf1 bad\\'zz hex\\par}",
      "{\\rtf1 ends with\\",
      "{\\rtf1\\fs99999999999999999999 big\\li-99999999999999999999 x\\par}",
      "{\\rtf1\\u99999999999999 x\\uc99999999 y\\par}",
      "{\\rtf1{\\fonttbl{\\f0 unterminated",
      "{\\rtf1{\\colortbl\\red999\\green-5;}\\cf1 x\\cf-3 y\\cf99 z\\par}",
      "{\\rtf1 \\averyveryveryveryveryveryveryveryverylongcontrolwordthatgoesonandon x\\par}",
      deep + "text",
      deep + std::string(100000, '}') + "after",
  };
  for (const std::string& rtf : kCases) {
    SCOPED_TRACE(rtf.substr(0, 60));
    const TRichDocument doc = ReadRtf(rtf);
    const std::string once = WriteRtf(doc);
    EXPECT_EQ(WriteRtf(ReadRtf(once)), once);
  }
  EXPECT_EQ(Text(ReadRtf("{\\rtf1 unbalanced {\\b open")), "unbalanced open");
  EXPECT_EQ(Text(ReadRtf("{\\rtf1 ends with\\'")), "ends with");
  EXPECT_EQ(Text(ReadRtf("{\\rtf1\\fs99999999999999999999 big\\par}")), "big");
  EXPECT_EQ(ReadRtf("{\\rtf1\\fs99999999999999999999 big\\par}").Paragraphs[0].Runs[0].Format.HalfPoints,
            3276);
  EXPECT_EQ(ReadRtf("{\\rtf1\\li99999999999999999999 x\\par}").Paragraphs[0].Format.LeftIndent, 2147483647);
  // Beyond the depth limit groups are skipped, and their closing brings
  // the text back.
  EXPECT_EQ(Text(ReadRtf(deep + std::string(100000, '}') + "after")), "after");
}

TEST(RtfReader, WriteReadWriteGivesTheSameBytes) {
  TRichDocument doc;
  TRichParagraph p;
  p.Format.Align = TRichAlign::Right;
  p.Format.LineSpacing = -270;
  p.Format.Tabs = {720, 1440};
  TRichCharFormat zh;
  zh.FontName = "宋体";
  zh.Charset = RtfCharsetGb2312;
  zh.HalfPoints = 20;
  zh.Color = RGB(10, 20, 30);
  TRichCharFormat en;
  en.FontName = "Tahoma";
  en.Bold = true;
  en.Highlight = RGB(255, 255, 0);
  p.Runs = {{"代码表 {x}\\", zh}, {"é…\t\v€ 😀", en}};
  doc.Paragraphs = {p, TRichParagraph{{}, {{"", en}}}};
  for (int codePage : {0, 1252, 936}) {
    const std::string once = WriteRtf(doc, codePage);
    EXPECT_EQ(WriteRtf(ReadRtf(once), codePage), once) << codePage;
    EXPECT_EQ(Text(ReadRtf(once)), "代码表 {x}\\é…\t\v€ 😀|") << codePage;
  }
  // Chinese text in a GB2312 font goes out as bytes of code page 936.
  EXPECT_NE(WriteRtf(doc).find("\\ansicpg936"), std::string::npos);
  EXPECT_NE(WriteRtf(doc).find("\\'b4\\'fa\\'c2\\'eb"), std::string::npos);
}

// A bounded fuzz run: random token soup and every cut of a real document.
// Nothing may crash or read past the input (the sanitizers watch), and a
// document once written is a fixed point of reading and writing.
TEST(RtfReader, FuzzRandomAndTruncatedInput) {
  const char* const tokens[] = {"{",
                                "}",
                                "\\",
                                "\\'",
                                "\\'d6",
                                "\\'e",
                                "\\u",
                                "\\u-",
                                "\\uc",
                                "\\bin",
                                "\\par",
                                "\\pard",
                                "\\b",
                                "\\b0",
                                "\\fs",
                                "\\f",
                                "\\cf",
                                "\\*",
                                "\\fonttbl",
                                "\\colortbl",
                                "\\red",
                                ";",
                                "\\tx",
                                "\\sl-",
                                "\\line",
                                "\\tab",
                                "\\plain",
                                "\\ansicpg936",
                                " ",
                                "x",
                                "9",
                                "-",
                                "\\pict",
                                "\\~",
                                "\r\n",
                                "\xB5",
                                "\\fcharset134",
                                "\\deff",
                                "\\highlight"};
  std::mt19937 rng(20240611u);
  for (int round = 0; round < 8000; ++round) {
    std::string input;
    const int length = static_cast<int>(rng() % 60);
    for (int i = 0; i < length; ++i) {
      if (rng() % 8 == 0)
        input += static_cast<char>(rng() & 0xFF);
      else
        input += tokens[rng() % std::size(tokens)];
    }
    const std::string once = WriteRtf(ReadRtf(input));
    ASSERT_EQ(WriteRtf(ReadRtf(once)), once) << "input: " << input;
  }
  const std::string real =
      "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}"
      "{\\colortbl ;\\red31\\green95\\blue159;}\\pard\\sl-340\\slmult0\\tx960\\plain\\f0\\fs22\\b\\cf1 41 "
      "\\'d4\\'f6\\'d2\\'e6\\u8230?\\par{\\*\\x y}{\\pict\\bin4 {}}}";
  for (std::size_t cut = 0; cut <= real.size(); ++cut) {
    const std::string part = real.substr(0, cut);
    const std::string once = WriteRtf(ReadRtf(part));
    ASSERT_EQ(WriteRtf(ReadRtf(once)), once) << "cut at " << cut;
  }
  EXPECT_EQ(Normalised(real), WriteRtf(ReadRtf(real)));
}
