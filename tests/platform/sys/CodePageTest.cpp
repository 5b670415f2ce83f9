#include <cstring>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/sys/CodePage.h"

namespace {

const std::string kFffd = "\xEF\xBF\xBD";
// "中文名称" in UTF-8 and in GBK.
const std::string kChineseUtf8 = "\xE4\xB8\xAD\xE6\x96\x87\xE5\x90\x8D\xE7\xA7\xB0";
const std::string kChineseGbk = "\xD6\xD0\xCE\xC4\xC3\xFB\xB3\xC6";

// A field exactly `size` bytes long on the heap, so that a read past its end
// is caught by the address sanitizer.
std::unique_ptr<char[]> Field(const std::string& bytes) {
  auto f = std::make_unique<char[]>(bytes.size());
  std::memcpy(f.get(), bytes.data(), bytes.size());
  return f;
}

bool IsValidUtf8(const std::string& s) {
  for (size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    size_t len = c < 0x80                   ? 1
                 : (c >= 0xC2 && c <= 0xDF) ? 2
                 : (c >= 0xE0 && c <= 0xEF) ? 3
                 : (c >= 0xF0 && c <= 0xF4) ? 4
                                            : 0;
    if (len == 0 || i + len > s.size()) return false;
    for (size_t k = 1; k < len; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += len;
  }
  return true;
}

}  // namespace

TEST(CodePage, ChosenFromTheLocaleName) {
  struct Case {
    const char* name;
    AnsiCodePage page;
  } cases[] = {
      {"zh_CN.UTF-8", AnsiCodePage::Gbk},   {"zh_TW.Big5", AnsiCodePage::Gbk},
      {"zh_SG", AnsiCodePage::Gbk},         {"zh", AnsiCodePage::Gbk},
      {"zh.GBK", AnsiCodePage::Gbk},        {"en_US.UTF-8", AnsiCodePage::Cp1252},
      {"C", AnsiCodePage::Cp1252},          {"POSIX", AnsiCodePage::Cp1252},
      {"", AnsiCodePage::Cp1252},           {"zhx_XX", AnsiCodePage::Cp1252},
      {"de_DE@euro", AnsiCodePage::Cp1252},
  };
  for (const auto& c : cases) EXPECT_EQ(AnsiCodePageForLocale(c.name), c.page) << c.name;
}

TEST(CodePage, OverrideDecidesTheDefaultConversions) {
  AnsiCodePage before = GetAnsiCodePage();
  SetAnsiCodePage(AnsiCodePage::Gbk);
  EXPECT_EQ(GetAnsiCodePage(), AnsiCodePage::Gbk);
  EXPECT_EQ(Utf8ToAnsi(kChineseUtf8), kChineseGbk);
  EXPECT_EQ(AnsiToUtf8(kChineseGbk), kChineseUtf8);
  SetAnsiCodePage(AnsiCodePage::Cp1252);
  EXPECT_EQ(Utf8ToAnsi("\xC3\xA9"), "\xE9");
  EXPECT_EQ(AnsiToUtf8("\xE9"), "\xC3\xA9");
  SetAnsiCodePage(before);
}

TEST(CodePage, Cp1252EveryByteRoundTrips) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(char(b));
  std::string utf8 = AnsiToUtf8(all, AnsiCodePage::Cp1252);
  EXPECT_EQ(utf8.find(kFffd), std::string::npos);
  EXPECT_EQ(Utf8ToAnsi(utf8, AnsiCodePage::Cp1252), all);
  EXPECT_EQ(AnsiToUtf8("\x80 \x93x\x94 \x85", AnsiCodePage::Cp1252),
            "\xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D \xE2\x80\xA6");
  // Bytes without a character stand for the C1 controls of the same number.
  EXPECT_EQ(AnsiToUtf8("\x81", AnsiCodePage::Cp1252), "\xC2\x81");
}

TEST(CodePage, UnconvertibleAndInvalidTextBecomesQuestionMarks) {
  struct Case {
    std::string utf8;
    AnsiCodePage page;
    std::string ansi;
  } cases[] = {
      {kChineseUtf8.substr(0, 3), AnsiCodePage::Cp1252, "?"},
      {"A\xF0\x9F\x98\x80"
       "B",
       AnsiCodePage::Cp1252, "A?B"},  // emoji
      {"A\xF0\x9F\x98\x80"
       "B",
       AnsiCodePage::Gbk, "A?B"},
      {"\xFF"
       "A",
       AnsiCodePage::Cp1252, "?A"},                // not UTF-8
      {"\xE4\xB8", AnsiCodePage::Gbk, "??"},       // cut sequence
      {"\xC0\xAF", AnsiCodePage::Cp1252, "??"},    // overlong
      {"\xED\xA0\x80", AnsiCodePage::Gbk, "???"},  // surrogate
      {"Mix \xC3\xA9\xE4\xB8\xAD", AnsiCodePage::Cp1252, "Mix \xE9?"},
      {"\xE2\x82\xAC", AnsiCodePage::Gbk, "\x80"},  // euro sign
      {std::string("a\0b", 3), AnsiCodePage::Gbk, std::string("a\0b", 3)},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToAnsi(c.utf8, c.page), c.ansi) << c.utf8;
}

TEST(CodePage, GbkInvalidBytesAreReplacedWithoutEatingTheNext) {
  struct Case {
    std::string gbk;
    std::string utf8;
  } cases[] = {
      {kChineseGbk, kChineseUtf8},
      {"\x80", "\xE2\x82\xAC"},
      {"\xFF"
       "A",
       kFffd + "A"},
      {"\xA1\x40"
       "B",
       kFffd + "B"},  // unassigned pair: one replacement
      {"\x81"
       "0",
       kFffd + "0"},                             // a byte that cannot follow a lead byte survives
      {"\xD6\xD0\xD6", "\xE4\xB8\xAD" + kFffd},  // cut at the end of the text
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(AnsiToUtf8(c.gbk, AnsiCodePage::Gbk), c.utf8);
}

TEST(CodePage, FixedFieldsNeverSplitACharacterNorReadPastTheirEnd) {
  // Writing: a character that does not fit whole is left out.
  EXPECT_EQ(Utf8ToAnsiField(kChineseUtf8, 8, AnsiCodePage::Gbk), kChineseGbk);
  EXPECT_EQ(Utf8ToAnsiField(kChineseUtf8, 7, AnsiCodePage::Gbk), kChineseGbk.substr(0, 6));
  EXPECT_EQ(Utf8ToAnsiField("AB" + kChineseUtf8, 3, AnsiCodePage::Gbk), "AB");
  EXPECT_EQ(Utf8ToAnsiField("Input A long name", 14, AnsiCodePage::Cp1252), "Input A long n");
  EXPECT_EQ(Utf8ToAnsiField("Caf\xC3\xA9", 8, AnsiCodePage::Cp1252), "Caf\xE9");
  EXPECT_EQ(Utf8ToAnsiField("x", 0, AnsiCodePage::Gbk), "");
  EXPECT_EQ(Utf8ToAnsiPadded("AB" + kChineseUtf8, 5, '\0', AnsiCodePage::Gbk),
            std::string("AB\xD6\xD0\0", 5));
  EXPECT_EQ(Utf8ToAnsiPadded("Preset", 14, ' ', AnsiCodePage::Cp1252), "Preset        ");
  EXPECT_EQ(Utf8ToAnsiPadded("A long preset name", 14, ' ', AnsiCodePage::Cp1252), "A long preset ");

  // Reading: stops at NUL; a character cut by the field end is dropped.
  auto full = Field(kChineseGbk);  // 8 bytes, no terminator
  EXPECT_EQ(AnsiFieldToUtf8(full.get(), 8, AnsiCodePage::Gbk), kChineseUtf8);
  auto cut = Field("AB\xD6\xD0\xCE");  // the field ends inside the second character
  EXPECT_EQ(AnsiFieldToUtf8(cut.get(), 5, AnsiCodePage::Gbk), "AB\xE4\xB8\xAD");
  auto terminated = Field(std::string("Out 1\0\xFF\xFFgarbage", 14));
  EXPECT_EQ(AnsiFieldToUtf8(terminated.get(), 14, AnsiCodePage::Cp1252), "Out 1");
  auto padded = Field(std::string("\xD6\xD0\0\0\0\0\0\0", 8));
  EXPECT_EQ(AnsiFieldToUtf8(padded.get(), 8, AnsiCodePage::Gbk), "\xE4\xB8\xAD");
  EXPECT_EQ(AnsiFieldToUtf8(nullptr, 8, AnsiCodePage::Gbk), "");
}

TEST(CodePage, RandomBytesNeverBreakTheConverters) {
  // Whatever the device sends, conversion yields valid UTF-8 and converting
  // that back stays within the field's size.
  uint32_t seed = 12345;
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(14, '\0');
    for (char& c : bytes) {
      seed = seed * 1103515245u + 12345u;
      c = char(seed >> 16);
    }
    for (AnsiCodePage page : {AnsiCodePage::Cp1252, AnsiCodePage::Gbk}) {
      auto f = Field(bytes);
      std::string utf8 = AnsiFieldToUtf8(f.get(), bytes.size(), page);
      ASSERT_TRUE(IsValidUtf8(utf8));
      ASSERT_TRUE(IsValidUtf8(AnsiToUtf8(bytes, page)));
      std::string back = Utf8ToAnsiField(utf8, 14, page);
      ASSERT_LE(back.size(), 14u);
      ASSERT_EQ(AnsiToUtf8(back, page).find('\0'), std::string::npos);
    }
  }
}
